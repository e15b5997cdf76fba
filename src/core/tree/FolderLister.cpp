#include "tree/FolderLister.h"

#include <algorithm>

namespace kvx {

QString folderKey(const QString& folderPath)
{
    return folderPath.endsWith(QLatin1Char('/')) ? folderPath : folderPath + QLatin1Char('/');
}

bool nameBefore(const QString& a, const QString& b)
{
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

void sortByName(QStringList& names)
{
    // Fold each name once rather than at every comparison.
    std::vector<std::pair<QString, QString>> keyed;
    keyed.reserve(size_t(names.size()));
    for (QString& name : names)
        keyed.emplace_back(name.toCaseFolded(), std::move(name));
    std::sort(keyed.begin(), keyed.end());
    names.clear();
    for (auto& [folded, name] : keyed)
        names.append(std::move(name));
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
