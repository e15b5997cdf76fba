#include "catalogue/DiscReading.h"

#include "catalogue/DiscFacts.h"
#include "image/DiscImage.h"
#include "image/ImageWalkSource.h"
#include "walk/DirectoryWalkSource.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace kvx {

DiscToRead::DiscToRead() = default;
DiscToRead::DiscToRead(DiscToRead&&) noexcept = default;
DiscToRead& DiscToRead::operator=(DiscToRead&&) noexcept = default;
DiscToRead::~DiscToRead() = default;

std::optional<DiscToRead> openDiscToRead(const QString& path, QString* error)
{
    const QFileInfo info(path);
    DiscToRead disc;
    DiscRecord& record = disc.record;
    const QString folder = QDir::cleanPath(info.absoluteFilePath());
    record.source = folder;
    if (info.isDir()) {
        disc.source = std::make_unique<DirectoryWalkSource>(path);
        const DiscFacts facts = discFacts(folder);
        record.fsType = facts.fsType;
        record.uuid = facts.uuid;
        record.capacity = facts.capacity;
        record.freeSpace = facts.freeSpace;
        record.name = facts.mountPoint && !facts.label.isEmpty() ? facts.label
                      : folder == QLatin1String("/")             ? folder
                                                                 : info.fileName();
        return disc;
    }
    if (!info.exists()) {
        *error = QStringLiteral("no such folder: %1").arg(path);
        return std::nullopt;
    }
    disc.image = DiscImage::open(path, error);
    if (!disc.image)
        return std::nullopt;
    disc.source = std::make_unique<ImageWalkSource>(*disc.image);
    record.fsType = QStringLiteral("iso9660");
    record.capacity = disc.image->fileSize();
    record.freeSpace = 0;
    record.name = disc.image->volumeName();
    if (record.name.isEmpty())
        record.name = info.completeBaseName();
    return disc;
}

DiscReading readDisc(DiscToRead& disc, const WalkOptions& options)
{
    DiscReading reading;
    reading.record = disc.record;
    DiscRecord& record = reading.record;
    QSet<std::pair<quint64, quint64>> linked; // files of several names, counted once
    reading.walked = walkAll(*disc.source, options, [&](const WalkVisit& visit) {
        const WalkItem& item = visit.item;
        reading.entries.push_back({visit.number, visit.parent, item.name, item.kind, item.size,
                                   item.mtime, visit.hidden, visit.unreadable});
        if (item.kind == WalkKind::File &&
            (item.links < 2 || !linked.contains({item.device, item.inode}))) {
            record.bytes += item.size;
            if (item.links > 1)
                linked.insert({item.device, item.inode});
        }
    });
    record.entries = qint64(reading.entries.size());
    record.unreadable = qint64(reading.walked.unreadable.size());
    return reading;
}

} // namespace kvx
