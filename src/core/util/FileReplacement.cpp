#include "util/FileReplacement.h"

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

// The temporary file's name: hidden, beside the target, short enough for
// any target name the system accepts.
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
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_committed && !m_temporary.isEmpty())
        ::unlink(QFile::encodeName(m_temporary).constData());
}

bool FileReplacement::fail(int errorNumber)
{
    return fail(systemErrorText(errorNumber));
}

bool FileReplacement::fail(const QString& reason)
{
    m_error = reason;
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
        return fail(QStringLiteral("not a regular file but %1").arg(kindOf(info.st_mode)));
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
    m_replacesFile = exists;
    m_oldMode = info.st_mode & 07777;
    return true;
}

bool FileReplacement::createTemporary()
{
    const QFileInfo final(m_final);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString path = final.path() + u'/' + temporaryName(final.fileName());
        // A new file gets the usual permissions (0666 less the umask); a
        // replaced one keeps its own.
        m_fd = ::open(QFile::encodeName(path).constData(),
                      O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC,
                      m_replacesFile ? 0600 : 0666);
        if (m_fd >= 0) {
            m_temporary = path;
            if (m_replacesFile && ::fchmod(m_fd, m_oldMode) != 0)
                return fail(errno);
            return true;
        }
        if (errno != EEXIST)
            return fail(errno);
    }
    return fail(EEXIST);
}

bool FileReplacement::begin()
{
    m_error.clear();
    return findFinalPath() && createTemporary();
}

bool FileReplacement::write(QByteArrayView bytes)
{
    if (m_fd < 0)
        return fail(EBADF);
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

bool FileReplacement::commit()
{
    if (m_fd < 0)
        return fail(EBADF);
    // A full disc or a lost connection may show only now.
    const bool synced = ::fsync(m_fd) == 0;
    const int syncError = errno;
    const bool closed = ::close(m_fd) == 0;
    const int closeError = errno;
    m_fd = -1;
    if (!synced)
        return fail(syncError);
    if (!closed)
        return fail(closeError);
    if (::rename(QFile::encodeName(m_temporary).constData(),
                 QFile::encodeName(m_final).constData()) != 0)
        return fail(errno);
    m_committed = true;
    return true;
}

} // namespace kvx
