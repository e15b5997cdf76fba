#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace kvx {

// A folder as the file system knows it, whatever path or link leads to it.
struct FolderIdentity
{
    quint64 device = 0;
    quint64 inode = 0;
    friend bool operator==(const FolderIdentity&, const FolderIdentity&) = default;
};

enum class EntryKind { Folder, File };

// One entry of a folder listing.
struct FolderEntry
{
    QString name;
    bool link = false; // a symbolic link to an entry of the kind listed
};

// The entries of one kind in one folder, read straight from the file system.
// Hidden entries (names starting with ".") are skipped; a link counts as what
// it leads to.
struct FolderEntries
{
    QString key; // the folder's absolute, clean path followed by "/" ("/" for the root)
    std::vector<FolderEntry> entries; // in name order (NameOrder.h)
    // Entries left out: names that are not valid UTF-8, which could not be
    // opened again (shown with replacement characters), and names whose full
    // path is longer than the system allows.
    QStringList badNames;
    QStringList tooLong;
    // The folder is there but could not be read (no permission to list it,
    // say): why, as an errno value; no entries then.
    int error = 0;
};

// Null when the path names no folder (an empty path included).
[[nodiscard]] std::optional<FolderEntries> readFolderEntries(const QString& path, EntryKind kind);

// The folder a path leads to; null when it leads to no folder.
[[nodiscard]] std::optional<FolderIdentity> folderIdentity(const QString& path);

} // namespace kvx
