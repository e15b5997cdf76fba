#include "tree/FolderEntries.h"

#include "tree/NameOrder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <dirent.h>
#include <string_view>
#include <sys/stat.h>

namespace kvx {

namespace {

// A folder path as the system spells it, followed by "/", with the key that
// names it: the absolute, clean path (no empty, "." or ".." component) ending
// in "/" ("/" for the root).
struct FolderPath
{
    QString key;
    QByteArray bytes;
};

bool isCleanAbsolute(std::string_view path)
{
    if (!path.starts_with('/'))
        return false;
    // Each part after a "/": not empty (a last "/" aside), not "." nor "..".
    size_t start = 1;
    for (size_t at = 1; at <= path.size(); ++at) {
        if (at < path.size() && path[at] != '/')
            continue;
        const std::string_view part = path.substr(start, at - start);
        if ((part.empty() && at < path.size()) || part == "." || part == "..")
            return false;
        start = at + 1;
    }
    return true;
}

FolderPath folderPath(const QString& path)
{
    // Keys are already so spelt: they skip the general (slow) path handling.
    FolderPath spelt{path, QFile::encodeName(path)};
    if (!isCleanAbsolute(std::string_view(spelt.bytes.constData(), size_t(spelt.bytes.size())))) {
        spelt.key = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
        spelt.bytes = QFile::encodeName(spelt.key);
    }
    if (!spelt.key.endsWith(QLatin1Char('/'))) {
        spelt.key += QLatin1Char('/');
        spelt.bytes += '/';
    }
    return spelt;
}

bool isWanted(DIR* folder, const dirent& entry, EntryKind kind)
{
    const unsigned char type = entry.d_type;
    if (type != DT_LNK && type != DT_UNKNOWN)
        return type == (kind == EntryKind::Folder ? DT_DIR : DT_REG);
    // The entry's type comes with its name, without a stat() per entry, which
    // matters on folders of thousands of sub-folders; links need one.
    struct stat info;
    if (::fstatat(::dirfd(folder), entry.d_name, &info, 0) != 0)
        return false; // a dangling link
    return kind == EntryKind::Folder ? S_ISDIR(info.st_mode) : S_ISREG(info.st_mode);
}

// An open folder listing, closed when it goes.
struct FolderStream
{
    explicit FolderStream(const char* path) : dir(::opendir(path)) {}
    ~FolderStream()
    {
        if (dir)
            ::closedir(dir);
    }
    FolderStream(const FolderStream&) = delete;
    FolderStream& operator=(const FolderStream&) = delete;
    DIR* dir;
};

} // namespace

std::optional<FolderEntries> readFolderEntries(const QString& path, EntryKind kind)
{
    if (path.isEmpty())
        return std::nullopt;
    FolderPath spelt = folderPath(path);
    const QByteArray encoded = std::move(spelt.bytes);
    FolderEntries read;
    read.key = std::move(spelt.key);
    const FolderStream folder(encoded.constData());
    if (!folder.dir) {
        // No folder there, or one that cannot be read (a file node's empty
        // key never gets here).
        if (errno == ENOENT || errno == ENOTDIR)
            return std::nullopt;
        read.error = errno;
        return read;
    }

    // The longest name whose full path the system still accepts.
    const size_t longestName = PATH_MAX - 1 - size_t(encoded.size());
    while (const dirent* entry = ::readdir(folder.dir)) {
        if (entry->d_name[0] == '.' || !isWanted(folder.dir, *entry, kind))
            continue; // hidden, "." and ".."
        const bool link = entry->d_type != DT_DIR && entry->d_type != DT_REG;
        const QByteArrayView raw(entry->d_name);
        if (std::all_of(raw.begin(), raw.end(), [](char c) { return (c & 0x80) == 0; })) {
            // The common case, without the general Unicode machinery.
            QString name = QString::fromLatin1(raw);
            if (size_t(raw.size()) > longestName)
                read.tooLong.append(name);
            else
                read.entries.push_back({std::move(name), link});
            continue;
        }
        QString name = QFile::decodeName(raw.toByteArray());
        if (QFile::encodeName(name) != raw)
            read.badNames.append(name);
        else if (size_t(raw.size()) > longestName)
            read.tooLong.append(name);
        else
            read.entries.push_back({std::move(name), link});
    }
    sortByName(read.entries);
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
