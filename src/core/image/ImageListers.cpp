#include "image/ImageListers.h"

#include "image/DiscImage.h"
#include "tree/NameOrder.h"
#include "tree/WildcardList.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace kvx {

namespace {

// Folder identities of an image: a device number no file system uses.
constexpr quint64 kImageDevice = ~quint64(0);

struct ImageFolder
{
    int index = 0;
    QString key;
};

// The folder of the image a path names: the image's own path (its root) or
// a key below it.
std::optional<ImageFolder> imageFolder(const DiscImage& image, const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    const QString rootKey = folderKey(image.path());
    const QString clean = path.startsWith(rootKey)
                              ? path
                              : QDir::cleanPath(QFileInfo(path).absoluteFilePath()) + u'/';
    if (!clean.startsWith(rootKey) && clean != rootKey)
        return std::nullopt;
    const std::optional<int> found = image.find(clean.mid(rootKey.size()));
    const std::optional<int> folder = found ? image.resolve(*found) : std::nullopt;
    if (!folder || image.entry(*folder).kind != WalkKind::Folder)
        return std::nullopt;
    return ImageFolder{*folder, folderKey(QDir::cleanPath(clean))};
}

// The visible entries of a folder of the kind wanted, links counted as what
// they lead to; the others with names that are not valid UTF-8 are counted.
std::vector<FolderEntry> entriesOf(const DiscImage& image, int folder, WalkKind kind,
                                   QStringList* badNames)
{
    std::vector<FolderEntry> entries;
    for (const int index : image.entry(folder).children) {
        const DiscImage::Entry& entry = image.entry(index);
        if (entry.name.startsWith(u'.'))
            continue;
        const std::optional<int> target = image.resolve(index);
        if (!target || image.entry(*target).kind != kind)
            continue;
        if (entry.badName)
            badNames->append(entry.name);
        else
            entries.push_back({entry.name, entry.kind == WalkKind::Link});
    }
    sortByName(entries);
    return entries;
}

} // namespace

std::optional<FolderListing> ImageFolderLister::listFolder(const QString& path)
{
    const std::optional<ImageFolder> folder = imageFolder(m_image, path);
    if (!folder)
        return std::nullopt;
    QStringList badNames;
    FolderListing listing{
        folder->key, entriesOf(m_image, folder->index, WalkKind::Folder, &badNames), {}};
    listing.leftOut.foldersBadName = int(badNames.size());
    return listing;
}

std::optional<FolderIdentity> ImageFolderLister::identify(const QString& path)
{
    const std::optional<ImageFolder> folder = imageFolder(m_image, path);
    if (!folder)
        return std::nullopt;
    return FolderIdentity{kImageDevice, quint64(folder->index)};
}

std::optional<FileListing> ImageFileLister::listFiles(const QString& folder,
                                                      const WildcardList& pattern)
{
    const std::optional<ImageFolder> found = imageFolder(m_image, folder);
    if (!found)
        return std::nullopt;
    FileListing listing;
    if (pattern.isEmpty())
        return listing;
    QStringList badNames;
    for (const FolderEntry& entry : entriesOf(m_image, found->index, WalkKind::File, &badNames)) {
        if (pattern.matches(entry.name))
            listing.names.append(entry.name);
    }
    listing.leftOut.filesBadName =
        int(std::count_if(badNames.begin(), badNames.end(),
                          [&pattern](const QString& n) { return pattern.matches(n); }));
    return listing;
}

} // namespace kvx
