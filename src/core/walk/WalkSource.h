#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace kvx {

enum class WalkKind : quint8 { File = 0, Folder = 1, Link = 2 };

// One entry of a folder as a full walk sees it.
struct WalkItem
{
    QString name;
    QByteArray handle; // how the source reaches the entry again
    WalkKind kind = WalkKind::File;
    qint64 size = 0;             // apparent size of a file; 0 for folders and links
    std::optional<qint64> mtime; // seconds since 1970 (UTC)
    // The same device and inode under several names (links > 1) is one file.
    quint64 device = 0;
    quint64 inode = 0;
    quint32 links = 1;
    bool badName = false;         // not valid UTF-8: shown with replacement characters
    bool otherFileSystem = false; // a folder where another file system is mounted
};

// Where a full walk reads folders from: the file system, or a disc image.
// Safe to use from one thread at a time, any thread.
class WalkSource
{
public:
    virtual ~WalkSource() = default;
    // The handle of the folder the walk starts from.
    [[nodiscard]] virtual QByteArray start() const = 0;
    // The entries of one folder, in any order. False, with the system's reason,
    // when the folder cannot be read.
    [[nodiscard]] virtual bool list(const QByteArray& folder, std::vector<WalkItem>& items,
                                    QString& reason) = 0;
};

} // namespace kvx
