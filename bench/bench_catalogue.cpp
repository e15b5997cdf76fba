// The catalogue at its size: 1,000 discs of 1,000 entries (names of 20 to 30
// characters), kept in the temporary folder between runs. The first 100 hits
// of searches in the process and `kvx find` as a whole process; a disc of
// 32,767 entries walked and added; the bytes the catalogue takes per entry.
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueSearch.h"
#include "walk/DirectoryWalkSource.h"
#include "walk/FullWalk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <random>

namespace {

using kvx::Catalogue;
using kvx::CatalogueEntry;
using kvx::WalkKind;

constexpr int kDiscs = 1000;
constexpr int kEntries = 1000;

// Made-up words of two to four syllables, always the same.
const QStringList& words()
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
QString entryName(std::mt19937& random, bool folder)
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
std::vector<CatalogueEntry> discEntries(std::mt19937& random)
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

QString bigCatalogue()
{
    static const QString path = [] {
        const QString file = QDir::tempPath() + QStringLiteral("/kvx-bench-catalogue.sqlite");
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
            disc.added = QDateTime::currentDateTimeUtc();
            qint64 same = 0;
            (void)catalogue->addDisc(disc, discEntries(random), false, &same);
        }
        QFile(done).open(QIODevice::WriteOnly);
        return file;
    }();
    return path;
}

// Texts a user may look for: a word of the names, a start, one and two
// letters, a year many names hold, nothing.
QString searchedText(int which)
{
    switch (which) {
    case 0:
        return words().at(100);
    case 1:
        return words().at(200).left(4);
    case 2:
        return QStringLiteral("mo");
    case 3:
        return QStringLiteral("m");
    case 4:
        return QStringLiteral("2013");
    default:
        return QStringLiteral("xyzzy");
    }
}

void BM_FindFirst100(benchmark::State& state)
{
    const QString text = searchedText(int(state.range(0)));
    state.SetLabel(text.toStdString());
    QString error;
    const auto catalogue = Catalogue::open(bigCatalogue(), Catalogue::Use::Read, &error);
    size_t hits = 0;
    for (auto _ : state) {
        const auto found = kvx::findInCatalogue(*catalogue, text, 0, 100);
        hits = found ? found->size() : 0;
    }
    state.counters["hits"] = double(hits);
}
BENCHMARK(BM_FindFirst100)->DenseRange(0, 5)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FindProcess(benchmark::State& state)
{
    const QString text = searchedText(int(state.range(0)));
    state.SetLabel(text.toStdString());
    const QString catalogue = bigCatalogue();
    for (auto _ : state) {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start(QStringLiteral(KVX_BENCH_PROGRAM),
                      {QStringLiteral("find"), text, QStringLiteral("--catalogue"), catalogue});
        if (!process.waitForFinished(60000) || process.exitCode() > 1) {
            state.SkipWithError("kvx find failed");
            return;
        }
    }
}
BENCHMARK(BM_FindProcess)->DenseRange(0, 5)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BytesPerEntry(benchmark::State& state)
{
    const QString file = bigCatalogue();
    for (auto _ : state)
        benchmark::DoNotOptimize(QFileInfo(file).size());
    state.counters["bytes_per_entry"] =
        double(QFileInfo(file).size()) / (double(kDiscs) * double(kEntries));
}
BENCHMARK(BM_BytesPerEntry)->Iterations(1);

// A disc of 32,767 entries: 127 folders of 257 files and one file more.
class Disc32767
{
public:
    Disc32767()
    {
        std::mt19937 random(3);
        for (int f = 0; f < 127; ++f) {
            const QString folder =
                m_dir.filePath(QStringLiteral("%1 %2").arg(f).arg(entryName(random, true)));
            QDir().mkpath(folder);
            for (int i = 0; i < 257; ++i)
                QFile(folder + u'/' + entryName(random, false)).open(QIODevice::WriteOnly);
        }
        QFile(m_dir.filePath(QStringLiteral("Lisez-moi du disque.txt"))).open(QIODevice::WriteOnly);
    }
    [[nodiscard]] QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

// Walked and added, as `kvx catalogue add` does, to an empty catalogue or to
// the large one (the disc taken out again after each time).
void addDisc(benchmark::State& state, bool toLarge)
{
    static const Disc32767 disc;
    QTemporaryDir dir;
    const QString file =
        toLarge ? bigCatalogue() : dir.filePath(QStringLiteral("catalogue.sqlite"));
    QString error;
    const auto catalogue = Catalogue::open(file, Catalogue::Use::Write, &error);
    qint64 count = 0;
    for (auto _ : state) {
        std::vector<CatalogueEntry> entries;
        kvx::DirectoryWalkSource source(disc.path());
        (void)kvx::walkAll(source, kvx::WalkOptions(), [&entries](const kvx::WalkVisit& visit) {
            entries.push_back({visit.number, visit.parent, visit.item.name, visit.item.kind,
                               visit.item.size, visit.item.mtime, visit.hidden, false});
        });
        kvx::DiscRecord record;
        record.name = QStringLiteral("Disque de 32767");
        record.added = QDateTime::currentDateTimeUtc();
        qint64 same = 0;
        const auto id = catalogue->addDisc(record, entries, false, &same);
        count = qint64(entries.size());
        state.PauseTiming();
        if (id)
            (void)catalogue->removeDisc(*id);
        state.ResumeTiming();
    }
    state.counters["entries"] = double(count);
}

void BM_AddDisc32767(benchmark::State& state)
{
    addDisc(state, false);
}
BENCHMARK(BM_AddDisc32767)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_AddDisc32767ToLarge(benchmark::State& state)
{
    addDisc(state, true);
}
BENCHMARK(BM_AddDisc32767ToLarge)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace
