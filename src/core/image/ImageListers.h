#pragma once

#include "tree/FileLister.h"
#include "tree/FolderLister.h"

namespace kvx {

class DiscImage;

// The folder lister over a disc image, by the rules of the folder lister
// over the file system: the image's root key is its path followed by "/",
// hidden folders are left out, links to folders of the image are listed as
// folders, entries come in the same order.
class ImageFolderLister : public FolderLister
{
public:
    explicit ImageFolderLister(const DiscImage& image) : m_image(image) {}
    [[nodiscard]] std::optional<FolderListing> listFolder(const QString& path) override;
    [[nodiscard]] std::optional<FolderIdentity> identify(const QString& path) override;

private:
    const DiscImage& m_image;
};

// The file lister over a disc image: hidden files left out, links to files
// of the image listed as files.
class ImageFileLister : public FileLister
{
public:
    explicit ImageFileLister(const DiscImage& image) : m_image(image) {}
    [[nodiscard]] std::optional<FileListing> listFiles(const QString& folder,
                                                       const WildcardList& pattern) override;

private:
    const DiscImage& m_image;
};

} // namespace kvx
