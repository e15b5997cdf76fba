#pragma once

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kvx::test {

// Folder permissions hold only for a user who is not root, and CI runs as
// root. A test about a folder that cannot be read makes its folders here and
// runs the program (or a piece of code) through this: as "nobody" when the
// test runs as root, as itself otherwise. The folder is one that user can
// reach and write: the test's own temporary folder when every folder above it
// lets others through, else one in /tmp; it is removed with this object.
class OtherUser
{
public:
    struct Run
    {
        int exitCode = -1;
        QByteArray out;
        QByteArray err;
    };

    OtherUser() : m_dir(reachableRoot() + QStringLiteral("/kvx-other-XXXXXX"))
    {
        if (m_dir.isValid())
            ::chmod(QFile::encodeName(m_dir.path()).constData(), 0777);
        QDir(m_dir.path()).mkpath(QStringLiteral("home/.config"));
        QDir(m_dir.path()).mkpath(QStringLiteral("home/.local/share"));
        QDir(m_dir.path()).mkpath(QStringLiteral("runtime"));
        ::chmod(QFile::encodeName(path(QStringLiteral("runtime"))).constData(), 0700);
        if (asRoot())
            giveAway(m_dir.path());
    }

    ~OtherUser()
    {
        // Whatever the test locked, root removes it; as a user, open it up first.
        for (QDirIterator it(m_dir.path(), QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                             QDirIterator::Subdirectories);
             it.hasNext();)
            ::chmod(QFile::encodeName(it.next()).constData(), 0700);
    }

    [[nodiscard]] static bool asRoot() { return ::geteuid() == 0; }
    [[nodiscard]] bool isValid() const { return m_dir.isValid(); }
    [[nodiscard]] QString path(const QString& relative = {}) const
    {
        return relative.isEmpty() ? m_dir.path() : m_dir.filePath(relative);
    }

    // Makes a file or folder the test created under path() the other user's,
    // so that its mode alone decides what that user may do (call it before
    // chmod'ing a folder shut).
    static void giveAway(const QString& path)
    {
        if (!asRoot())
            return;
        const QByteArray native = QFile::encodeName(path);
        QVERIFY(::lchown(native.constData(), kUid, kGid) == 0);
        QFileInfo info(path);
        if (info.isDir() && !info.isSymLink())
            for (const QFileInfo& child : QDir(path).entryInfoList(
                     QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
                giveAway(child.filePath());
    }

    // Runs a program as the other user, in a home of its own under path().
    // The built program is copied into reach first when the other user cannot
    // reach the build folder.
    [[nodiscard]] Run run(const QString& program, const QStringList& arguments,
                          const QByteArray& input = {})
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        const QString home = path(QStringLiteral("home"));
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), path(QStringLiteral("runtime")));
        env.insert(QStringLiteral("TMPDIR"), home);
        process.setProcessEnvironment(env);
        QStringList command{reachable(program)};
        command += arguments;
        if (asRoot())
            command =
                QStringList{QStringLiteral("setpriv"), QStringLiteral("--reuid=nobody"),
                            QStringLiteral("--regid=nogroup"), QStringLiteral("--clear-groups")} +
                command;
        process.start(command.takeFirst(), command);
        Run result;
        if (!process.waitForStarted())
            return result;
        process.write(input);
        process.closeWriteChannel();
        if (!process.waitForFinished(120000))
            return result;
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = process.readAllStandardOutput();
        result.err = process.readAllStandardError();
        return result;
    }

    // The built kvx, as the other user.
    [[nodiscard]] Run kvx(const QStringList& arguments, const QByteArray& input = {})
    {
        return run(QStringLiteral(KVX_TEST_PROGRAM_DIR "/kvx"), arguments, input);
    }

    // Runs `work` in a child process with the other user's rights and gives
    // back the bytes it returned (empty when the child failed). For code of
    // the core that a test calls directly; the child does only `work`.
    template <class Work> [[nodiscard]] static QByteArray inChild(Work work)
    {
        int pipeFds[2];
        if (::pipe(pipeFds) != 0)
            return {};
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(pipeFds[0]);
            if (asRoot() && (::setgroups(0, nullptr) != 0 || ::setresgid(kGid, kGid, kGid) != 0 ||
                             ::setresuid(kUid, kUid, kUid) != 0))
                ::_exit(2);
            const QByteArray bytes = work();
            qsizetype done = 0;
            while (done < bytes.size()) {
                const ssize_t n =
                    ::write(pipeFds[1], bytes.constData() + done, size_t(bytes.size() - done));
                if (n <= 0)
                    ::_exit(3);
                done += n;
            }
            ::_exit(0);
        }
        ::close(pipeFds[1]);
        QByteArray bytes;
        char buffer[4096];
        for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
            bytes.append(buffer, n);
        ::close(pipeFds[0]);
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? bytes : QByteArray();
    }

private:
    static constexpr uid_t kUid = 65534; // nobody
    static constexpr gid_t kGid = 65534; // nogroup

    // Whether every folder from the root down to `path` lets others through.
    static bool othersCanReach(const QString& path)
    {
        QString at = QFileInfo(path).absoluteFilePath();
        for (; !at.isEmpty() && at != QStringLiteral("/"); at = QFileInfo(at).path()) {
            struct stat st
            {
            };
            if (::stat(QFile::encodeName(at).constData(), &st) != 0 || !(st.st_mode & S_IXOTH))
                return false;
        }
        return true;
    }

    static QString reachableRoot()
    {
        const QString own = QDir::tempPath();
        return !asRoot() || othersCanReach(own) ? own : QStringLiteral("/tmp");
    }

    // The program itself when the other user can reach it, else a copy of its
    // folder (the program and its data) under path().
    QString reachable(const QString& program)
    {
        const QFileInfo info(program);
        if (!asRoot() || othersCanReach(info.absolutePath()))
            return program;
        const QString copy = path(QStringLiteral("program"));
        if (!QFileInfo::exists(copy)) {
            QProcess::execute(QStringLiteral("cp"),
                              {QStringLiteral("-a"), info.absolutePath(), copy});
            giveAway(copy);
        }
        return copy + QLatin1Char('/') + info.fileName();
    }

    QTemporaryDir m_dir;
};

} // namespace kvx::test
