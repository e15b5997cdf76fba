#pragma once

#include "catalogue/CatalogueRecords.h"
#include "walk/FullWalk.h"

#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace kvx {

class DiscImage;

// A folder, a mounted disc or an ISO 9660 image about to be recorded: what
// the system tells of it, and where its walk reads from.
struct DiscToRead
{
    // Source, file system, UUID, capacity and free space, and the name a
    // record takes by default: the volume label of a mount point, the volume
    // name of an image, else the folder's name.
    DiscRecord record;
    std::unique_ptr<DiscImage> image;
    std::unique_ptr<WalkSource> source;

    DiscToRead();
    DiscToRead(DiscToRead&&) noexcept;
    DiscToRead& operator=(DiscToRead&&) noexcept;
    ~DiscToRead();
};

// Null, with one line telling why in *error, when the path names neither a
// folder nor a readable image.
[[nodiscard]] std::optional<DiscToRead> openDiscToRead(const QString& path, QString* error);

// A disc walked whole, ready for Catalogue::addDisc.
struct DiscReading
{
    DiscRecord record; // with its entry count, bytes and unread folders
    std::vector<CatalogueEntry> entries;
    WalkResult walked;
};

// Walks the disc (on any thread: it touches no tree and no widget).
[[nodiscard]] DiscReading readDisc(DiscToRead& disc, const WalkOptions& options);

} // namespace kvx
