#include "tree/FolderLister.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <algorithm>

namespace kvx {

QString folderKey(const QString& folderPath)
{
    return folderPath.endsWith(QLatin1Char('/')) ? folderPath : folderPath + QLatin1Char('/');
}

bool nameBefore(const QString& a, const QString& b)
{
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

std::optional<FolderListing> DirectoryLister::listFolder(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    const QString folder = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (!QFileInfo(folder).isDir())
        return std::nullopt;

    QStringList names;
    QDirIterator it(folder, QDir::Dirs | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (!name.startsWith(QLatin1Char('.')))
            names.append(name);
    }
    std::sort(names.begin(), names.end(), nameBefore);

    const QString prefix = folderKey(folder);
    FolderListing listing{folder, {}};
    listing.subFolders.reserve(names.size());
    for (const QString& name : names)
        listing.subFolders.append(prefix + name);
    return listing;
}

} // namespace kvx
