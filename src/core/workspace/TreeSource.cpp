#include "workspace/TreeSource.h"

#include "catalogue/RecordedDisc.h"
#include "image/DiscImage.h"
#include "image/ImageListers.h"

namespace kvx {

TreeSource::TreeSource()
{
    readFileSystem();
}

TreeSource::~TreeSource() = default;

void TreeSource::readFileSystem()
{
    m_folders = std::make_unique<DirectoryLister>();
    m_files = std::make_unique<DirectoryFileLister>();
    m_image.reset();
    m_record.reset();
}

void TreeSource::readImage(std::unique_ptr<DiscImage> image)
{
    m_folders = std::make_unique<ImageFolderLister>(*image);
    m_files = std::make_unique<ImageFileLister>(*image);
    m_image = std::move(image);
    m_record.reset();
}

void TreeSource::readRecord(std::unique_ptr<RecordedDisc> disc)
{
    m_folders = std::make_unique<RecordFolderLister>(*disc);
    m_files = std::make_unique<RecordFileLister>(*disc);
    m_record = std::move(disc);
    m_image.reset();
}

std::optional<FolderListing> TreeSource::listFolder(const QString& path)
{
    return m_folders->listFolder(path);
}

std::optional<FolderIdentity> TreeSource::identify(const QString& path)
{
    return m_folders->identify(path);
}

std::optional<FileListing> TreeSource::listFiles(const QString& folder, const WildcardList& pattern)
{
    return m_files->listFiles(folder, pattern);
}

} // namespace kvx
