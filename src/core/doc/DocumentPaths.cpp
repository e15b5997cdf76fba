#include "doc/DocumentPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kvx {

QString withDocumentExtension(const QString& path)
{
    if (QFileInfo(path).fileName().contains(QLatin1String(".kvx")))
        return path;
    return path + QLatin1String(".kvx");
}

bool isDocumentName(const QString& path)
{
    return path.endsWith(QLatin1String(".kvx"), Qt::CaseInsensitive);
}

namespace {

QString firstFolder(const QStringList& candidates)
{
    for (const QString& folder : candidates) {
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    }
    return QDir::homePath();
}

} // namespace

QString openDialogStart(const QString& document, const QString& lastFolder)
{
    return firstFolder({document.isEmpty() ? QString() : QFileInfo(document).absolutePath(),
                        lastFolder,
                        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)});
}

QString saveDialogStart(const QString& document, const QString& lastFolder)
{
    const QString folder = openDialogStart(document, lastFolder);
    return document.isEmpty() || QFileInfo(document).absolutePath() != folder
               ? folder
               : QDir(folder).filePath(QFileInfo(document).fileName());
}

} // namespace kvx
