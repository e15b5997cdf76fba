#pragma once

#include "walk/WalkSource.h"

#include <QHash>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace kvx {

// The listing of an ISO 9660 disc image (with its Joliet and Rock Ridge
// names), read whole at once without mounting it. Folders, files and
// symbolic links, with sizes and times; file data is never read.
class DiscImage
{
public:
    struct Entry
    {
        QString name;
        WalkKind kind = WalkKind::Folder;
        qint64 size = 0;
        std::optional<qint64> mtime;
        int parent = 0;            // the root is its own parent
        std::vector<int> children; // in the image's order
        QString target;            // what a link points to
        int sameFileAs = -1;       // a hard link: the entry first listed for the file
        quint32 links = 1;
        bool badName = false; // not valid UTF-8: shown with replacement characters
    };

    // Reads the image; null, with one line telling why in *error, when it is no
    // ISO 9660 image, cannot be read or holds nothing.
    [[nodiscard]] static std::unique_ptr<DiscImage> open(const QString& path, QString* error);

    // The image file's absolute, clean path.
    [[nodiscard]] const QString& path() const { return m_path; }
    // The volume name of its primary volume descriptor, without trailing blanks.
    [[nodiscard]] const QString& volumeName() const { return m_volumeName; }
    [[nodiscard]] qint64 fileSize() const { return m_fileSize; }

    [[nodiscard]] static constexpr int root() { return 0; }
    [[nodiscard]] int count() const { return int(m_entries.size()); }
    [[nodiscard]] const Entry& entry(int index) const { return m_entries[size_t(index)]; }

    // The entry a path inside the image names ("" the root, "a/b"), links on
    // the way followed as the system would; nullopt when it names none.
    [[nodiscard]] std::optional<int> find(const QString& relativePath) const;
    // The entry a link leads to, inside the image (itself when it is no
    // link); nullopt for a link that leads nowhere, outside or round in circles.
    [[nodiscard]] std::optional<int> resolve(int index) const;

private:
    DiscImage() = default;
    int child(int folder, const QString& name);
    [[nodiscard]] std::optional<int> walkDown(int from, const QString& path, int depth) const;
    [[nodiscard]] std::optional<int> resolve(int index, int depth) const;

    QString m_path;
    QString m_volumeName;
    qint64 m_fileSize = 0;
    std::vector<Entry> m_entries;
    QHash<std::pair<int, QString>, int> m_byName; // (folder, name) -> entry
};

} // namespace kvx
