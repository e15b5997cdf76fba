#include "tree/FolderLister.h"

#include <QFile>
#include <algorithm>
#include <climits>

namespace kvx {

QString folderKey(const QString& folderPath)
{
    return folderPath.endsWith(QLatin1Char('/')) ? folderPath : folderPath + QLatin1Char('/');
}

std::optional<FolderListing> DirectoryLister::listFolder(const QString& path)
{
    std::optional<FolderEntries> read = readFolderEntries(path, EntryKind::Folder);
    if (!read)
        return std::nullopt;
    FolderListing listing{std::move(read->key), std::move(read->entries), {}, read->error};
    if (listing.error)
        listing.leftOut.unreadableFolders.insert(listing.key);
    listing.leftOut.foldersBadName = int(read->badNames.size());
    listing.leftOut.foldersTooLong = int(read->tooLong.size());
    // A sub-folder's key, its path and a "/", must fit in the system's limit
    // too, or it could never be opened: one at the limit is left out as well.
    const qsizetype keyBytes = QFile::encodeName(listing.key).size();
    constexpr qsizetype kLongestName = 255;
    if (keyBytes + kLongestName + 1 >= PATH_MAX) {
        const auto atLimit = [keyBytes](const FolderEntry& folder) {
            return keyBytes + QFile::encodeName(folder.name).size() + 1 >= PATH_MAX;
        };
        std::vector<FolderEntry>& folders = listing.subFolders;
        const auto kept = std::remove_if(folders.begin(), folders.end(), atLimit);
        listing.leftOut.foldersTooLong += int(folders.end() - kept);
        folders.erase(kept, folders.end());
    }
    return listing;
}

std::optional<FolderIdentity> DirectoryLister::identify(const QString& path)
{
    return folderIdentity(path);
}

} // namespace kvx
