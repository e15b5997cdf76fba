#pragma once

// The catalogue the benchmarks share: 1,000 discs of 1,000 entries (names of
// 20 to 30 characters), made once in the temporary folder and kept between
// runs. Disc N was read from /media/disque-N.
#include "catalogue/Catalogue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <random>
#include <vector>

namespace kvx::bench {

using kvx::Catalogue;
using kvx::CatalogueEntry;
using kvx::WalkKind;

constexpr int kDiscs = 1000;
constexpr int kEntries = 1000;

// Made-up words of two to four syllables, always the same.
inline const QStringList& words()
{
    static const QStringList all = [] {
        const QStringList syllables =
            QStringLiteral("ba be bi bo bu ca ce ci co da de di do fa fe fi fo ga ge gi go la le "
                           "li lo lu ma me mi mo mu na ne ni no pa pe pi po ra re ri ro ru sa se "
                           "si so ta te ti to va ve vi vo an en in on ar er ir or")
                .split(u' ');
        std::mt19937 random(7);
        QStringList made;
        for (int i = 0; i < 5000; ++i) {
            QString word;
            for (int n = 2 + int(random() % 3); n > 0; --n)
                word += syllables.at(int(random() % syllables.size()));
            made.append(word);
        }
        return made;
    }();
    return all;
}

// A name of 20 to 30 characters: "Pelido_vaneri 2013.jpg".
inline QString entryName(std::mt19937& random, bool folder)
{
    static const QStringList extensions = QStringLiteral(".jpg .png .mp3 .flac .pdf .txt .odt "
                                                         ".avi .mkv .zip")
                                              .split(u' ');
    const QStringList& all = words();
    QString name = all.at(int(random() % all.size()));
    name[0] = name[0].toUpper();
    name += QStringLiteral("_ -").at(int(random() % 3)) + all.at(int(random() % all.size())) +
            u' ' + QString::number(1990 + random() % 35);
    if (!folder)
        name += extensions.at(int(random() % extensions.size()));
    while (name.size() < 20)
        name += QChar(u'0' + char16_t(random() % 10));
    return name.left(30);
}

// One disc: 50 folders of 19 files each.
inline std::vector<CatalogueEntry> discEntries(std::mt19937& random)
{
    std::vector<CatalogueEntry> entries;
    qint64 number = 0;
    for (int f = 0; f < 50; ++f) {
        const qint64 folder = ++number;
        entries.push_back({folder, 0, entryName(random, true), WalkKind::Folder, 0,
                           1500000000 + qint64(random() % 300000000), false, false});
        for (int i = 0; i < kEntries / 50 - 1; ++i)
            entries.push_back({++number, folder, entryName(random, false), WalkKind::File,
                               qint64(random() % 100000000),
                               1500000000 + qint64(random() % 300000000), false, false});
    }
    return entries;
}

inline QString bigCatalogue()
{
    static const QString path = [] {
        const QString file = QDir::tempPath() + QStringLiteral("/kvx-bench-catalogue-2.sqlite");
        const QString done = file + QStringLiteral(".complete");
        if (QFileInfo::exists(done))
            return file;
        for (const QString& old : {file, file + "-wal", file + "-shm"})
            QFile::remove(old);
        QString error;
        const auto catalogue = Catalogue::open(file, Catalogue::Use::Write, &error);
        std::mt19937 random(1);
        for (int d = 1; d <= kDiscs && catalogue; ++d) {
            kvx::DiscRecord disc;
            disc.name = QStringLiteral("Disque %1").arg(d);
            disc.source = QStringLiteral("/media/disque-%1").arg(d);
            disc.added = QDateTime::currentDateTimeUtc();
            qint64 same = 0;
            (void)catalogue->addDisc(disc, discEntries(random), false, &same);
        }
        QFile(done).open(QIODevice::WriteOnly);
        return file;
    }();
    return path;
}

} // namespace kvx::bench
