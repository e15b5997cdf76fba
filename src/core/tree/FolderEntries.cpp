#include "tree/FolderEntries.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kvx {

namespace {

// The absolute, clean spelling of a folder path followed by "/". Keys are
// already spelt so: they skip the general (slow) path handling.
QString cleanKey(const QString& path)
{
    // Clean: absolute, and no empty, "." or ".." component (a trailing "/" aside).
    bool clean = path.startsWith(QLatin1Char('/'));
    for (qsizetype at = 0; clean && at < path.size(); ++at) {
        if (path[at] != u'/')
            continue;
        qsizetype end = at + 1;
        while (end < path.size() && path[end] != u'/')
            ++end;
        const QStringView part = QStringView(path).sliced(at + 1, end - at - 1);
        clean = (!part.isEmpty() || end == path.size()) && part != u"." && part != u"..";
        at = end - 1;
    }
    const QString cleaned = clean ? path : QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    return cleaned.endsWith(QLatin1Char('/')) ? cleaned : cleaned + QLatin1Char('/');
}

bool isWanted(int folder, const dirent64& entry, EntryKind kind)
{
    const unsigned char type = entry.d_type;
    if (type != DT_LNK && type != DT_UNKNOWN)
        return type == (kind == EntryKind::Folder ? DT_DIR : DT_REG);
    // The entry's type comes with its name, without a stat() per entry, which
    // matters on folders of thousands of sub-folders; links need one.
    struct stat info;
    if (::fstatat(folder, entry.d_name, &info, 0) != 0)
        return false; // a dangling link
    return kind == EntryKind::Folder ? S_ISDIR(info.st_mode) : S_ISREG(info.st_mode);
}

class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    [[nodiscard]] int get() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

std::optional<FolderEntries> readFolderEntries(const QString& path, EntryKind kind)
{
    if (path.isEmpty())
        return std::nullopt;
    FolderEntries read;
    read.key = cleanKey(path);
    const QByteArray encoded = QFile::encodeName(read.key);
    const FileDescriptor folder(::open(encoded.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() < 0)
        return std::nullopt;

    // The longest name whose full path the system still accepts.
    const size_t longestName = PATH_MAX - 1 - size_t(encoded.size());
    alignas(dirent64) char buffer[32768];
    ssize_t filled = 0;
    while ((filled = ::getdents64(folder.get(), buffer, sizeof buffer)) > 0) {
        for (ssize_t at = 0; at < filled;) {
            const auto& entry = *reinterpret_cast<const dirent64*>(buffer + at);
            at += entry.d_reclen;
            const size_t length = std::strlen(entry.d_name);
            if (entry.d_name[0] == '.' || !isWanted(folder.get(), entry, kind))
                continue; // hidden, "." and ".."
            const bool link = entry.d_type != DT_DIR && entry.d_type != DT_REG;
            const QByteArrayView raw(entry.d_name, qsizetype(length));
            if (std::all_of(raw.begin(), raw.end(), [](char c) { return (c & 0x80) == 0; })) {
                // The common case, folded without the general Unicode machinery.
                QString name = QString::fromLatin1(raw);
                if (length > longestName)
                    read.tooLong.append(name);
                else
                    read.entries.push_back({QString(name).toLower(), name, link});
                continue;
            }
            QString name = QFile::decodeName(raw.toByteArray());
            if (QFile::encodeName(name) != raw)
                read.badNames.append(name);
            else if (length > longestName)
                read.tooLong.append(name);
            else
                read.entries.push_back({name.toCaseFolded(), name, link});
        }
    }
    std::sort(read.entries.begin(), read.entries.end());
    return read;
}

std::optional<FolderIdentity> folderIdentity(const QString& path)
{
    struct stat info;
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &info) != 0 ||
        !S_ISDIR(info.st_mode))
        return std::nullopt;
    return FolderIdentity{quint64(info.st_dev), quint64(info.st_ino)};
}

} // namespace kvx
