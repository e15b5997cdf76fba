#pragma once

#include "catalogue/CatalogueRecords.h"
#include "tree/FileLister.h"
#include "tree/FolderLister.h"

#include <QHash>
#include <memory>
#include <vector>

namespace kvx {

class Catalogue;

// A disc as the catalogue recorded it, read whole into memory: a tree can be
// built from it when the disc itself is not at hand. Its folders have the
// keys they had on the disc when it was recorded (its source path followed by
// the path inside it).
class RecordedDisc
{
public:
    // Null, with one line telling why in *error, when the catalogue cannot be
    // read or holds no such disc.
    [[nodiscard]] static std::unique_ptr<RecordedDisc> load(Catalogue& catalogue, qint64 disc,
                                                            QString* error);

    [[nodiscard]] const DiscRecord& record() const { return m_record; }
    // The key of its top folder.
    [[nodiscard]] QString rootKey() const { return folderKey(m_record.source); }

    // The number of the entry a path inside the disc names ("" or "/": the
    // top, 0; "a/b" or "/a/b"); nullopt when it names none.
    [[nodiscard]] std::optional<qint64> find(const QString& relativePath) const;
    // The number of the folder a key names; nullopt when none.
    [[nodiscard]] std::optional<qint64> folderOfKey(const QString& key) const;
    // An entry (numbers from 1) and the entries of a folder (0: the top).
    [[nodiscard]] const CatalogueEntry& entry(qint64 number) const;
    [[nodiscard]] const std::vector<qint64>& children(qint64 folder) const;

private:
    RecordedDisc() = default;

    DiscRecord m_record;
    std::vector<CatalogueEntry> m_entries;
    QHash<qint64, size_t> m_byNumber;
    QHash<qint64, std::vector<qint64>> m_children;
    QHash<std::pair<qint64, QString>, qint64> m_byName; // (folder, name) -> entry
};

// The folder and file listers over a recorded disc, by the rules of the
// listers over the file system: hidden entries left out, entries in the same
// order. Links are left out: where they led was not recorded. A folder that
// could not be read when it was recorded lists nothing and is left out as
// unreadable.
class RecordFolderLister : public FolderLister
{
public:
    explicit RecordFolderLister(const RecordedDisc& disc) : m_disc(disc) {}
    [[nodiscard]] std::optional<FolderListing> listFolder(const QString& path) override;
    [[nodiscard]] std::optional<FolderIdentity> identify(const QString& path) override;

private:
    const RecordedDisc& m_disc;
};

class RecordFileLister : public FileLister
{
public:
    explicit RecordFileLister(const RecordedDisc& disc) : m_disc(disc) {}
    [[nodiscard]] std::optional<FileListing> listFiles(const QString& folder,
                                                       const WildcardList& pattern) override;

private:
    const RecordedDisc& m_disc;
};

} // namespace kvx
