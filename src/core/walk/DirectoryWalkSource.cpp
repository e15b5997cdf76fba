#include "walk/DirectoryWalkSource.h"

#include "util/FileReplacement.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kvx {

DirectoryWalkSource::DirectoryWalkSource(const QString& startFolder)
    : m_start(QFile::encodeName(QFileInfo(startFolder).absoluteFilePath()))
{
    struct stat info;
    if (::stat(m_start.constData(), &info) == 0)
        m_device = info.st_dev;
}

bool DirectoryWalkSource::list(const QByteArray& folder, std::vector<WalkItem>& items,
                               QString& reason)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = fd < 0 ? nullptr : ::fdopendir(fd);
    if (!dir) {
        reason = systemErrorText(errno);
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    const QByteArray prefix = folder.endsWith('/') ? folder : folder + '/';
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const char* raw = entry->d_name;
        if (std::strcmp(raw, ".") == 0 || std::strcmp(raw, "..") == 0)
            continue;
        struct stat info;
        if (::fstatat(fd, raw, &info, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno == ENOENT)
                continue; // gone since the listing
            break;        // a folder that lists its names but keeps out the rest
        }
        WalkItem item;
        const QByteArray bytes(raw);
        item.name = QFile::decodeName(bytes);
        item.badName = QFile::encodeName(item.name) != bytes;
        item.handle = prefix + bytes;
        if (S_ISDIR(info.st_mode)) {
            item.kind = WalkKind::Folder;
            item.otherFileSystem = m_device && info.st_dev != *m_device;
        } else if (S_ISLNK(info.st_mode)) {
            item.kind = WalkKind::Link;
        } else {
            item.size = qint64(info.st_size);
        }
        item.mtime = qint64(info.st_mtim.tv_sec);
        item.device = quint64(info.st_dev);
        item.inode = quint64(info.st_ino);
        item.links = quint32(info.st_nlink);
        items.push_back(std::move(item));
        errno = 0;
    }
    const int failure = errno;
    ::closedir(dir);
    if (failure != 0) {
        reason = systemErrorText(failure);
        return false;
    }
    return true;
}

} // namespace kvx
