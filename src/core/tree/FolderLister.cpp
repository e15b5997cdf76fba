#include "tree/FolderLister.h"

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
    FolderListing listing{std::move(read->key), std::move(read->entries), {}};
    listing.leftOut.foldersBadName = int(read->badNames.size());
    listing.leftOut.foldersTooLong = int(read->tooLong.size());
    return listing;
}

std::optional<FolderIdentity> DirectoryLister::identify(const QString& path)
{
    return folderIdentity(path);
}

} // namespace kvx
