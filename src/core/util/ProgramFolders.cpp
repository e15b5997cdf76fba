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

QString userDataDir()
{
    const QString home = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return home.isEmpty() ? QString() : home + QLatin1String("/kvx");
}

QString userLanguageFolder(const QString& programDir)
{
    const QFileInfo program(programDir);
    if (program.isDir() && program.isWritable())
        return programDir;
    return userDataDir();
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
