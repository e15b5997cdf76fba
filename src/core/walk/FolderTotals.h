#pragma once

#include "walk/FullWalk.h"

#include <QDateTime>
#include <QHash>
#include <QString>

namespace kvx {

class Node;

// The files under a folder, recursively, and their apparent sizes.
struct FolderTotal
{
    qint64 files = 0; // files and links; a file under several names counts once
    qint64 bytes = 0;

    FolderTotal& operator+=(const FolderTotal& other)
    {
        files += other.files;
        bytes += other.bytes;
        return *this;
    }
    friend bool operator==(const FolderTotal&, const FolderTotal&) = default;
};

// The totals of every folder under one start folder, by path relative to it
// ("" for the start itself, "a/b" below it), and when they were taken.
// Folders the walk could not read, or did not enter (another file system),
// have none: their parents count what could be read.
class FolderTotals
{
public:
    [[nodiscard]] bool isEmpty() const { return m_byPath.isEmpty(); }
    void clear() { *this = FolderTotals(); }

    void insert(const QString& path, const FolderTotal& total) { m_byPath.insert(path, total); }
    [[nodiscard]] const FolderTotal* find(const QString& path) const;
    [[nodiscard]] const QHash<QString, FolderTotal>& all() const { return m_byPath; }

    // The key of the start folder's node: a folder node's key is it plus the
    // folder's path and a "/".
    void setRootKey(const QString& key) { m_rootKey = key; }
    [[nodiscard]] const QString& rootKey() const { return m_rootKey; }
    // The totals a folder node shows; none for other nodes.
    [[nodiscard]] const FolderTotal* ofNode(const Node& node) const;
    // The key of the folder at `path`.
    [[nodiscard]] QString keyOf(const QString& path) const;

    QDateTime taken; // UTC

private:
    QHash<QString, FolderTotal> m_byPath;
    QString m_rootKey;
};

struct TotalsWalk
{
    FolderTotals totals; // empty when cancelled or the start could not be read
    WalkResult walk;
};

// Takes the totals in one full walk: hidden entries left out as the tree
// leaves them, links counted and never followed, a file with several hard
// links counted once. Touches no tree, so it may run on any thread.
[[nodiscard]] TotalsWalk takeFolderTotals(WalkSource& source, WalkOptions options);

} // namespace kvx
