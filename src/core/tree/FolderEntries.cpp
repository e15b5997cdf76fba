#include "tree/FolderEntries.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>

namespace kvx {

namespace {

bool isAscii(const QByteArray& bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
}

// The absolute, clean spelling of a folder path, without a trailing "/".
// Keys are already clean: they skip the general (slow) path handling.
QString cleanAbsolutePath(const QString& path)
{
    const bool clean = path.startsWith(QLatin1Char('/')) && !path.contains(QLatin1String("//")) &&
                       !path.contains(QLatin1String("/./")) &&
                       !path.contains(QLatin1String("/../")) &&
                       !path.endsWith(QLatin1String("/.")) && !path.endsWith(QLatin1String("/.."));
    if (!clean)
        return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    return path.size() > 1 && path.endsWith(QLatin1Char('/')) ? path.chopped(1) : path;
}

bool isWanted(int dirFd, const dirent* entry, EntryKind kind)
{
    const unsigned char type = entry->d_type;
    if (type != DT_LNK && type != DT_UNKNOWN)
        return type == (kind == EntryKind::Folder ? DT_DIR : DT_REG);
    // readdir() tells most entries' types without a stat() per entry, which
    // matters on folders of thousands of sub-folders; links need one.
    struct stat info;
    if (::fstatat(dirFd, entry->d_name, &info, 0) != 0)
        return false; // a dangling link
    return kind == EntryKind::Folder ? S_ISDIR(info.st_mode) : S_ISREG(info.st_mode);
}

FolderIdentity identityOf(const struct stat& info)
{
    return {quint64(info.st_dev), quint64(info.st_ino)};
}

} // namespace

std::optional<FolderEntries> readFolderEntries(const QString& path, EntryKind kind)
{
    if (path.isEmpty())
        return std::nullopt;
    FolderEntries read;
    read.folder = cleanAbsolutePath(path);
    const QByteArray encoded = QFile::encodeName(read.folder);
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(encoded.constData()), ::closedir);
    struct stat info;
    if (!dir || ::fstat(::dirfd(dir.get()), &info) != 0)
        return std::nullopt;
    read.identity = identityOf(info);

    // The longest name whose full path the system still accepts.
    const qsizetype prefixLength = encoded.endsWith('/') ? encoded.size() : encoded.size() + 1;
    const qsizetype longestName = PATH_MAX - 1 - prefixLength;
    while (const dirent* entry = ::readdir(dir.get())) {
        const QByteArray raw(entry->d_name);
        if (raw.startsWith('.') || !isWanted(::dirfd(dir.get()), entry, kind))
            continue; // hidden, "." and ".."
        if (isAscii(raw)) {
            // The common case, folded without the general Unicode machinery.
            if (raw.size() > longestName)
                read.tooLong.append(QString::fromLatin1(raw));
            else
                read.names.emplace_back(QString::fromLatin1(raw.toLower()),
                                        QString::fromLatin1(raw));
            continue;
        }
        const QString name = QFile::decodeName(raw);
        if (QFile::encodeName(name) != raw)
            read.badNames.append(name);
        else if (raw.size() > longestName)
            read.tooLong.append(name);
        else
            read.names.emplace_back(name.toCaseFolded(), name);
    }
    std::sort(read.names.begin(), read.names.end());
    return read;
}

std::optional<FolderIdentity> folderIdentity(const QString& path)
{
    struct stat info;
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &info) != 0 ||
        !S_ISDIR(info.st_mode))
        return std::nullopt;
    return identityOf(info);
}

} // namespace kvx
