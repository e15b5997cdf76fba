#pragma once

#include "tree/FileLister.h"
#include "tree/FolderLister.h"

#include <memory>

namespace kvx {

class DiscImage;
class RecordedDisc;

// Where a workspace's tree reads its folders and files from as it grows: the
// file system, a disc image, or a disc as the catalogue recorded it. The
// source of a tree stays until the next tree is built or opened.
class TreeSource final : public FolderLister, public FileLister
{
public:
    TreeSource();
    ~TreeSource() override;
    TreeSource(const TreeSource&) = delete;
    TreeSource& operator=(const TreeSource&) = delete;

    void readFileSystem();
    void readImage(std::unique_ptr<DiscImage> image);
    void readRecord(std::unique_ptr<RecordedDisc> disc);

    // The image or the recorded disc read from; null for the file system.
    [[nodiscard]] const DiscImage* image() const { return m_image.get(); }
    [[nodiscard]] const RecordedDisc* record() const { return m_record.get(); }

    [[nodiscard]] std::optional<FolderListing> listFolder(const QString& path) override;
    [[nodiscard]] std::optional<FolderIdentity> identify(const QString& path) override;
    [[nodiscard]] std::optional<FileListing> listFiles(const QString& folder,
                                                       const WildcardList& pattern) override;

private:
    // The listers go before what they read.
    std::unique_ptr<DiscImage> m_image;
    std::unique_ptr<RecordedDisc> m_record;
    std::unique_ptr<FolderLister> m_folders;
    std::unique_ptr<FileLister> m_files;
};

} // namespace kvx
