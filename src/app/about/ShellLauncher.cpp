#include "about/ShellLauncher.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QUrl>

namespace kvx {

using namespace shell_code;

namespace {

bool isOpenVerb(const QString& operation)
{
    static const QStringList verbs{QString(), QStringLiteral("open"), QStringLiteral("edit"),
                                   QStringLiteral("explore")};
    return verbs.contains(operation.toLower());
}

// The local file a request names, or an empty text for an address or a link.
QString localPath(const ShellRequest& request)
{
    const QString& file = request.file;
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (file.startsWith(QLatin1String("file:")))
        return QUrl(file).toLocalFile();
    if (!file.startsWith(QLatin1Char('/')) && scheme.match(file).hasMatch())
        return {};
    const QDir base(request.directory.isEmpty() ? QDir::currentPath() : request.directory);
    return base.absoluteFilePath(file);
}

} // namespace

XdgOpenLauncher::XdgOpenLauncher(QString program, int waitMs, QObject* parent)
    : QObject(parent), m_program(std::move(program)), m_waitMs(waitMs)
{
}

qint32 XdgOpenLauncher::codeForExitStatus(int exitStatus)
{
    switch (exitStatus) {
    case 0:
        return Accepted;
    case 2: // a file named on the command line does not exist
        return FileNotFound;
    case 3: // no tool or application for the type
    case 4: // the desktop's opener failed, mostly for want of an application
        return NoAssociation;
    default:
        return OtherError;
    }
}

qint32 XdgOpenLauncher::launch(const ShellRequest& request, LateFailure lateFailure)
{
    if (!isOpenVerb(request.operation))
        return NoAssociation;
    if (request.file.isEmpty())
        return FileNotFound;
    const QString path = localPath(request);
    if (!path.isEmpty() && !QFileInfo::exists(path))
        return QFileInfo(path).absoluteDir().exists() ? FileNotFound : PathNotFound;

    // The process is parented to the application, not to this launcher, so that
    // closing the window that asked never kills what was started.
    auto* process = new QProcess(QCoreApplication::instance());
    process->setProgram(m_program);
    process->setArguments({path.isEmpty() ? request.file : path});
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    if (!request.directory.isEmpty())
        process->setWorkingDirectory(request.directory);
    process->start(QIODevice::NotOpen);
    if (!process->waitForStarted()) {
        delete process;
        return InvalidAssociation;
    }
    if (process->waitForFinished(m_waitMs)) {
        const qint32 code = process->exitStatus() == QProcess::NormalExit
                                ? codeForExitStatus(process->exitCode())
                                : OtherError;
        delete process;
        return code;
    }

    connect(process, &QProcess::finished, process,
            [process, lateFailure](int exitCode, QProcess::ExitStatus status) {
                const qint32 code =
                    status == QProcess::NormalExit ? codeForExitStatus(exitCode) : OtherError;
                if (lateFailure && !isShellSuccess(code))
                    lateFailure(code);
                process->deleteLater();
            });
    return Accepted;
}

} // namespace kvx
