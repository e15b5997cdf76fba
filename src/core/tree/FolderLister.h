#pragma once

#include "tree/FolderEntries.h"
#include "tree/LeftOut.h"

#include <QString>
#include <optional>
#include <vector>

namespace kvx {

// One folder's sub-folders, as the folder lister shows them.
struct FolderListing
{
    QString key; // the folder's absolute, clean path followed by "/": its node's key
    std::vector<FolderEntry> subFolders; // in name order (NameOrder.h)
    LeftOut leftOut;                     // sub-folders not listed, and why
    // The folder is there but could not be read: why, as an errno value (it
    // is then among the left-out folders too).
    int error = 0;
};

// Lists the sub-folders of one folder.
class FolderLister
{
public:
    virtual ~FolderLister() = default;
    // Fails (nullopt) when the text names no existing folder, an empty text
    // included. A folder that cannot be read lists nothing and says why.
    [[nodiscard]] virtual std::optional<FolderListing> listFolder(const QString& path) = 0;
    // The folder the text leads to, whether or not it can be read; nullopt
    // when it names none.
    [[nodiscard]] virtual std::optional<FolderIdentity> identify(const QString& path) = 0;
};

// The lister over the real file system. Hidden folders (names starting with
// ".") are left out quietly; links to folders are listed as folders.
class DirectoryLister : public FolderLister
{
public:
    [[nodiscard]] std::optional<FolderListing> listFolder(const QString& path) override;
    [[nodiscard]] std::optional<FolderIdentity> identify(const QString& path) override;
};

// The key of a folder node: its path followed by "/" ("/" for the root).
[[nodiscard]] QString folderKey(const QString& folderPath);

} // namespace kvx
