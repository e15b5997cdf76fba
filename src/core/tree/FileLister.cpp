#include "tree/FileLister.h"

#include "tree/FolderEntries.h"
#include "tree/WildcardList.h"

#include <algorithm>

namespace kvx {

std::optional<FileListing> DirectoryFileLister::listFiles(const QString& folder,
                                                          const WildcardList& pattern)
{
    const std::optional<FolderEntries> read = readFolderEntries(folder, EntryKind::File);
    if (!read)
        return std::nullopt;
    FileListing listing;
    if (read->error)
        listing.leftOut.unreadableFolders.insert(read->key);
    if (pattern.isEmpty())
        return listing;
    const auto matching = [&pattern](const QStringList& names) {
        return int(std::count_if(names.begin(), names.end(), [&pattern](const QString& name) {
            return pattern.matches(name);
        }));
    };
    listing.leftOut.filesBadName = matching(read->badNames);
    listing.leftOut.filesTooLong = matching(read->tooLong);
    for (const FolderEntry& entry : read->entries) {
        if (pattern.matches(entry.name))
            listing.names.append(entry.name);
    }
    return listing;
}

} // namespace kvx
