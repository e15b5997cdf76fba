#include "lang/LanguageTemplate.h"

#include "util/ProgramFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kvx {

QString editableLanguageTemplate(const QString& programDir)
{
    const QString templatePath = QDir(programDir).filePath(QLatin1String(kLanguageTemplateName));
    const QString folder = userLanguageFolder(programDir);
    if (folder == programDir)
        return templatePath;
    return copyLanguageTemplate(templatePath, folder);
}

QString copyLanguageTemplate(const QString& templatePath, const QString& folder)
{
    if (folder.isEmpty())
        return templatePath;
    const QString copy = QDir(folder).filePath(QFileInfo(templatePath).fileName());
    if (QFileInfo(copy).isFile())
        return copy;
    if (!QFileInfo(templatePath).isFile() || !QDir().mkpath(folder) ||
        !QFile::copy(templatePath, copy))
        return templatePath;
    // The installed template is read-only; the user's copy is theirs to edit.
    QFile(copy).setPermissions(QFile(copy).permissions() | QFileDevice::WriteOwner);
    return copy;
}

} // namespace kvx
