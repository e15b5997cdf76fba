#include "image/DiscImage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <archive.h>
#include <archive_entry.h>
#include <clocale>
#include <locale.h>

namespace kvx {

namespace {

constexpr qint64 kSector = 2048;
constexpr int kFirstDescriptor = 16; // the system area comes first
constexpr int kMostDescriptors = 64;
constexpr int kLinksFollowed = 40; // as the system gives up (ELOOP)

// What the volume descriptors at the start of an image say.
struct Descriptors
{
    bool iso9660 = false;
    bool udf = false;
    QString volumeName;
};

// The standard wants capitals, digits and "_"; image makers write UTF-8 too.
QString volumeName(const QByteArray& field)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8(field);
    return (utf8.hasError() ? QString::fromLatin1(field) : decoded).trimmed();
}

Descriptors readDescriptors(QFile& file)
{
    Descriptors found;
    for (int sector = kFirstDescriptor; sector < kFirstDescriptor + kMostDescriptors; ++sector) {
        if (!file.seek(sector * kSector))
            break;
        const QByteArray block = file.read(kSector);
        if (block.size() < kSector)
            break;
        const QByteArray id = block.mid(1, 5);
        if (id == "CD001") {
            const auto type = quint8(block.at(0));
            if (type == 1 && !found.iso9660) {
                found.iso9660 = true;
                found.volumeName = volumeName(block.mid(40, 32));
            }
            if (type == 255)
                break;
        } else if (id == "BEA01" || id == "NSR02" || id == "NSR03") {
            found.udf = true;
        } else if (id != "TEA01" && id != "BOOT2" && id != "CDW02") {
            break;
        }
    }
    return found;
}

// libarchive gives names in the thread's character set: UTF-8 while reading.
class Utf8Names
{
public:
    Utf8Names() : m_utf8(::newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr))
    {
        if (m_utf8)
            m_previous = ::uselocale(m_utf8);
    }
    ~Utf8Names()
    {
        if (m_utf8) {
            ::uselocale(m_previous);
            ::freelocale(m_utf8);
        }
    }
    Utf8Names(const Utf8Names&) = delete;
    Utf8Names& operator=(const Utf8Names&) = delete;

private:
    locale_t m_utf8;
    locale_t m_previous = nullptr;
};

struct ArchiveReader
{
    archive* handle = archive_read_new();
    ~ArchiveReader() { archive_read_free(handle); }
};

// An entry's path: UTF-8 when it is, else its bytes shown as best they can.
QString entryPath(archive_entry* entry, bool* bad)
{
    if (const char* utf8 = archive_entry_pathname_utf8(entry)) {
        *bad = false;
        return QString::fromUtf8(utf8);
    }
    *bad = true;
    const char* raw = archive_entry_pathname(entry);
    return raw ? QString::fromUtf8(raw) : QString();
}

QStringList pathParts(const QString& path)
{
    QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    parts.removeAll(QStringLiteral("."));
    return parts;
}

} // namespace

std::unique_ptr<DiscImage> DiscImage::open(const QString& path, QString* error)
{
    const QFileInfo info(path);
    QFile file(info.absoluteFilePath());
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return nullptr;
    }
    const Descriptors descriptors = readDescriptors(file);
    if (!descriptors.iso9660) {
        *error =
            descriptors.udf
                ? QStringLiteral("%1 is a UDF disc image, which KVX cannot read: only ISO "
                                 "9660 images are (mount it and give the folder)")
                      .arg(path)
                : QStringLiteral("%1 is neither a folder nor an ISO 9660 disc image").arg(path);
        return nullptr;
    }

    std::unique_ptr<DiscImage> image(new DiscImage);
    image->m_path = QDir::cleanPath(info.absoluteFilePath());
    image->m_volumeName = descriptors.volumeName;
    image->m_fileSize = file.size();
    image->m_entries.push_back(Entry{});

    const Utf8Names names;
    ArchiveReader reader;
    archive_read_support_format_iso9660(reader.handle);
    const QByteArray native = QFile::encodeName(image->m_path);
    const auto failed = [&] {
        *error = QStringLiteral("cannot read the disc image %1: %2")
                     .arg(path, QString::fromLocal8Bit(archive_error_string(reader.handle)));
        return nullptr;
    };
    if (archive_read_open_filename(reader.handle, native.constData(), 64 * 1024) != ARCHIVE_OK)
        return failed();
    archive_entry* entry = nullptr;
    int status = ARCHIVE_OK;
    while ((status = archive_read_next_header(reader.handle, &entry)) == ARCHIVE_OK ||
           status == ARCHIVE_WARN) {
        bool bad = false;
        const QStringList parts = pathParts(entryPath(entry, &bad));
        int at = root();
        for (const QString& part : parts)
            at = image->child(at, part);
        Entry& added = image->m_entries[size_t(at)];
        added.badName = bad && at != root();
        const auto type = archive_entry_filetype(entry);
        added.kind = type == AE_IFDIR   ? WalkKind::Folder
                     : type == AE_IFLNK ? WalkKind::Link
                                        : WalkKind::File;
        if (archive_entry_mtime_is_set(entry))
            added.mtime = qint64(archive_entry_mtime(entry));
        added.links = archive_entry_nlink(entry);
        if (added.kind == WalkKind::File)
            added.size = qint64(archive_entry_size(entry));
        if (added.kind == WalkKind::Link) {
            const char* target = archive_entry_symlink_utf8(entry);
            added.target = target ? QString::fromUtf8(target) : QString();
        }
        if (const char* first = archive_entry_hardlink_utf8(entry)) {
            if (const auto same = image->find(QString::fromUtf8(first)); same && *same != at) {
                added.sameFileAs = *same;
                added.size = image->m_entries[size_t(*same)].size;
            }
        }
    }
    if (status != ARCHIVE_EOF)
        return failed();
    if (image->m_entries.size() == 1) {
        *error = QStringLiteral("the disc image %1 holds nothing").arg(path);
        return nullptr;
    }
    return image;
}

int DiscImage::child(int folder, const QString& name)
{
    const auto key = std::make_pair(folder, name);
    if (const auto known = m_byName.constFind(key); known != m_byName.cend())
        return *known;
    const int index = int(m_entries.size());
    Entry made;
    made.name = name;
    made.parent = folder;
    m_entries.push_back(std::move(made));
    m_entries[size_t(folder)].children.push_back(index);
    m_byName.insert(key, index);
    return index;
}

std::optional<int> DiscImage::find(const QString& relativePath) const
{
    return walkDown(root(), relativePath, 0);
}

std::optional<int> DiscImage::walkDown(int from, const QString& path, int depth) const
{
    std::optional<int> at = from;
    for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String("."))
            continue;
        at = resolve(*at, depth);
        if (!at || m_entries[size_t(*at)].kind != WalkKind::Folder)
            return std::nullopt;
        if (part == QLatin1String("..")) {
            at = m_entries[size_t(*at)].parent;
            continue;
        }
        const auto found = m_byName.constFind(std::make_pair(*at, part));
        if (found == m_byName.cend())
            return std::nullopt;
        at = *found;
    }
    return at;
}

std::optional<int> DiscImage::resolve(int index) const
{
    return resolve(index, 0);
}

std::optional<int> DiscImage::resolve(int index, int depth) const
{
    const Entry& link = m_entries[size_t(index)];
    if (link.kind != WalkKind::Link)
        return index;
    // A link's target is read from the folder holding it; one that starts
    // at the system's root cannot be followed inside an image.
    if (depth >= kLinksFollowed || link.target.isEmpty() || link.target.startsWith(u'/'))
        return std::nullopt;
    const std::optional<int> target = walkDown(link.parent, link.target, depth + 1);
    return target ? resolve(*target, depth + 1) : std::nullopt;
}

} // namespace kvx
