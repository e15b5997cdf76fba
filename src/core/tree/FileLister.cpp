#include "tree/FileLister.h"

#include "tree/FolderLister.h"
#include "tree/WildcardList.h"

#include <QDirIterator>
#include <QFileInfo>

namespace kvx {

std::optional<QStringList> DirectoryFileLister::listFiles(const QString& folder,
                                                          const WildcardList& pattern)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return std::nullopt;

    QStringList names;
    if (pattern.isEmpty())
        return names;
    QDirIterator it(folder, QDir::Files);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (!name.startsWith(QLatin1Char('.')) && pattern.matches(name))
            names.append(name);
    }
    sortByName(names);
    return names;
}

} // namespace kvx
