#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace kvx {

// One folder's sub-folders, as the folder lister shows them.
struct FolderListing
{
    QString folder;         // the folder's absolute, clean path ("/" for the root)
    QStringList subFolders; // full paths without a trailing "/", by name ignoring case
};

// Lists the sub-folders of one folder. Fails (nullopt) when the text names no
// existing folder, an empty text included.
class FolderLister
{
public:
    virtual ~FolderLister() = default;
    [[nodiscard]] virtual std::optional<FolderListing> listFolder(const QString& path) = 0;
};

// The lister over the real file system. Hidden folders (names starting with
// ".") are left out; links to folders are listed as folders.
class DirectoryLister : public FolderLister
{
public:
    [[nodiscard]] std::optional<FolderListing> listFolder(const QString& path) override;
};

// The key of a folder node: its path followed by "/" ("/" for the root).
[[nodiscard]] QString folderKey(const QString& folderPath);

// Orders names the way the listers do: ignoring case, then exactly.
[[nodiscard]] bool nameBefore(const QString& a, const QString& b);
// Sorts names in that order (quicker than sorting with nameBefore).
void sortByName(QStringList& names);

} // namespace kvx
