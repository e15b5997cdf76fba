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

QString documentDialogFolder(const QString& programDir)
{
    const QFileInfo program(programDir);
    if (!programDir.isEmpty() && program.isDir() && program.isWritable())
        return programDir;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}

} // namespace kvx
