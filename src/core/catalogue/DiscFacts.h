#pragma once

#include <QString>
#include <optional>

namespace kvx {

// What the system tells about the disc a folder is on.
struct DiscFacts
{
    bool mountPoint = false;         // the folder is where the disc is mounted
    QString label;                   // the file system's volume label, for a mount point
    QString uuid;                    // the file system's UUID, for a mount point
    QString fsType;                  // "ext4", "vfat", "iso9660"...
    std::optional<qint64> capacity;  // bytes
    std::optional<qint64> freeSpace; // bytes the user may still write
};

// The facts of the disc `folder` is on, read from the mount table and from
// udev's /dev/disk/by-uuid and by-label. `systemRoot` stands for "/" when
// reading those, for tests.
[[nodiscard]] DiscFacts discFacts(const QString& folder,
                                  const QString& systemRoot = QStringLiteral("/"));

} // namespace kvx
