#include "util/FileReplacement.h"

#include "util/TemporaryFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace kvx {

namespace {

// What a name that is no regular file names, for the refusal.
QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("a device");
    if (S_ISFIFO(mode))
        return QStringLiteral("a pipe");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("a special file");
}

QString notRegular(mode_t mode)
{
    return QStringLiteral("not a regular file but %1").arg(kindOf(mode));
}

// The temporary file's name: hidden, beside the target, short enough for
// any target name the system accepts. A later run never takes another run's
// name, and its listings leave hidden files out.
QString temporaryName(QString name)
{
    constexpr qsizetype kMaxNameBytes = 200;
    while (QFile::encodeName(name).size() > kMaxNameBytes)
        name.chop(1);
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QString suffix;
    for (int i = 0; i < 8; ++i)
        suffix += QLatin1Char(kLetters[QRandomGenerator::global()->bounded(36)]);
    return u'.' + name + u'.' + suffix;
}

} // namespace

QString systemErrorText(int errorNumber)
{
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

FileReplacement::FileReplacement(QString target) : m_target(std::move(target)) {}

FileReplacement::~FileReplacement()
{
    if (!m_committed)
        discard();
}

void FileReplacement::discard()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_temporary.isEmpty())
        ::unlink(QFile::encodeName(m_temporary).constData());
    m_temporary.clear();
    forgetTemporaryFile(m_noted);
    m_noted = -1;
}

bool FileReplacement::fail(int errorNumber)
{
    return fail(systemErrorText(errorNumber));
}

bool FileReplacement::fail(const QString& reason)
{
    m_error = reason;
    discard();
    return false;
}

// The target's own file, its links followed; only a regular file or a name
// not taken yet.
bool FileReplacement::findFinalPath()
{
    const QByteArray target = QFile::encodeName(m_target);
    struct stat info;
    const bool exists = ::stat(target.constData(), &info) == 0;
    if (!exists) {
        const int error = errno;
        if (error == ENOENT && ::lstat(target.constData(), &info) == 0)
            return fail(QStringLiteral("a symbolic link to a file that does not exist"));
        if (error != ENOENT)
            return fail(error);
    } else if (!S_ISREG(info.st_mode)) {
        return fail(notRegular(info.st_mode));
    } else if (::access(target.constData(), W_OK) != 0) {
        return fail(errno);
    }
    // The folder's real path, so that two names of one file compare equal.
    const QFileInfo given(m_target);
    if (given.fileName().isEmpty())
        return fail(EISDIR);
    const QByteArray resolved = exists ? target : QFile::encodeName(given.absolutePath());
    const std::unique_ptr<char, decltype(&std::free)> real(
        ::realpath(resolved.constData(), nullptr), &std::free);
    if (!real)
        return fail(errno);
    m_final = QFile::decodeName(real.get());
    if (!exists)
        m_final = QDir(m_final).filePath(given.fileName());
    return true;
}

bool FileReplacement::createTemporary()
{
    if (m_fd >= 0)
        return true;
    if (m_final.isEmpty())
        return fail(EBADF);
    // A new file gets the usual permissions (0666 less the umask); until
    // commit() gives it those of the file it replaces, only its owner reads it.
    struct stat info;
    const bool replaces = ::stat(QFile::encodeName(m_final).constData(), &info) == 0;
    const QFileInfo final(m_final);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString path = final.path() + u'/' + temporaryName(final.fileName());
        // Noted before it exists: a signal may come as soon as it does.
        m_noted = noteTemporaryFile(path);
        m_fd = ::open(QFile::encodeName(path).constData(),
                      O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, replaces ? 0600 : 0666);
        if (m_fd >= 0) {
            m_temporary = path;
            return true;
        }
        const int error = errno;
        forgetTemporaryFile(m_noted);
        m_noted = -1;
        if (error != EEXIST)
            return fail(error);
    }
    return fail(EEXIST);
}

bool FileReplacement::begin()
{
    m_error.clear();
    return findFinalPath();
}

bool FileReplacement::write(QByteArrayView bytes)
{
    if (!createTemporary())
        return false;
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(m_fd, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno);
        }
        data += written;
        left -= written;
    }
    return true;
}

// The target as it is now: still a regular file or no file. A replaced file's
// owner, group and permissions go to the temporary file (the owner first, for
// a change of owner clears the set-id bits); where the system refuses the
// owner, the group alone is tried, then the file stays the writer's.
bool FileReplacement::keepOwnerAndMode()
{
    struct stat info;
    if (::stat(QFile::encodeName(m_final).constData(), &info) != 0)
        return errno == ENOENT || fail(errno);
    if (!S_ISREG(info.st_mode))
        return fail(notRegular(info.st_mode));
    if (::fchown(m_fd, info.st_uid, info.st_gid) != 0) {
        if (errno != EPERM)
            return fail(errno);
        if (::fchown(m_fd, uid_t(-1), info.st_gid) != 0 && errno != EPERM)
            return fail(errno);
    }
    if (::fchmod(m_fd, info.st_mode & 07777) != 0)
        return fail(errno);
    m_otherLinks = int(info.st_nlink) - 1;
    return true;
}

bool FileReplacement::commit()
{
    if (!createTemporary() || !keepOwnerAndMode())
        return false;
    // A full disc or a lost connection may show only now.
    if (::fsync(m_fd) != 0)
        return fail(errno);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        return fail(errno);
    if (::rename(QFile::encodeName(m_temporary).constData(),
                 QFile::encodeName(m_final).constData()) != 0)
        return fail(errno);
    forgetTemporaryFile(m_noted);
    m_noted = -1;
    m_committed = true;
    return true;
}

} // namespace kvx
