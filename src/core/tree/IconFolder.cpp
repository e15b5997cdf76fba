#include "tree/IconFolder.h"

#include "tree/FileLister.h"
#include "tree/ImageRegistry.h"
#include "tree/WildcardList.h"

#include <QDir>

namespace kvx {

QString iconFolderIn(const QString& programDir)
{
    return programDir + QLatin1String("/ico");
}

std::optional<QList<IconFile>> IconFiles(const QString& folder)
{
    DirectoryFileLister lister;
    const auto listing = lister.listFiles(folder, WildcardList(QStringLiteral("*.ico")));
    if (!listing)
        return std::nullopt;
    const QDir dir(folder);
    QList<IconFile> icons;
    icons.reserve(listing->names.size());
    for (const QString& name : listing->names)
        icons.append({name.left(name.lastIndexOf(QLatin1Char('.'))).toLower(), dir.filePath(name)});
    return icons;
}

QStringList IconKeys(const QString& folder)
{
    QStringList keys;
    if (const auto icons = IconFiles(folder)) {
        for (const IconFile& icon : *icons)
            keys.append(icon.key);
    }
    return keys;
}

void AddIconKeys(ImageRegistry& images, const QString& folder)
{
    const QStringList keys = IconKeys(folder);
    for (const QString& key : keys)
        images.add(key);
}

} // namespace kvx
