#include "util/ProgramFolders.h"

#include "tree/IconFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kvx {

QString programDataDirFor(const QString& executableDir)
{
    if (QFileInfo(iconFolderIn(executableDir)).isDir())
        return executableDir;
    const QDir beside(executableDir);
    for (const QLatin1String installed :
         {QLatin1String("../share/kvx"), QLatin1String("../../share/kvx")}) {
        const QString folder = QDir::cleanPath(beside.filePath(installed));
        if (QFileInfo(folder).isDir())
            return folder;
    }
    return executableDir;
}

QString programDataDir()
{
    return programDataDirFor(QCoreApplication::applicationDirPath());
}

QString programIconFolder()
{
    return iconFolderIn(programDataDir());
}

QString documentationFolderFor(const QString& dataDir)
{
    if (dataDir.isEmpty())
        return {};
    const QDir data(dataDir);
    for (const QLatin1String folder : {QLatin1String("../doc/kvx"), QLatin1String("doc")}) {
        const QString path = QDir::cleanPath(data.filePath(folder));
        if (QFileInfo(path).isDir())
            return path;
    }
    return {};
}

QString licenceFileIn(const QString& documentationFolder)
{
    if (documentationFolder.isEmpty())
        return {};
    const QString path = QDir(documentationFolder).filePath(QStringLiteral("copyright"));
    return QFileInfo(path).isFile() ? path : QString();
}

QString userDataDir()
{
    const QString home = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return home.isEmpty() ? QString() : home + QLatin1String("/kvx");
}

QString userLanguageFolder(const QString& programDir)
{
    const QString user = userDataDir();
    return user.isEmpty() ? programDir : user;
}

QStringList languageFolders(const QString& programDir)
{
    QStringList folders{programDir};
    const QString user = userLanguageFolder(programDir);
    if (!user.isEmpty() && user != programDir)
        folders.append(user);
    return folders;
}

} // namespace kvx
