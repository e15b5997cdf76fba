#include "lang/LanguageList.h"

#include "tree/NameOrder.h"

#include <QDir>
#include <QMap>
#include <algorithm>

namespace kvx {

QList<LanguageItem> ListLanguages(const QStringList& folders)
{
    QMap<QString, QString> pathOfName;
    for (const QString& folder : folders) {
        if (folder.isEmpty())
            continue;
        const QDir dir(folder);
        const QStringList names = dir.entryList({QStringLiteral("*.lng")}, QDir::Files);
        for (const QString& name : names)
            pathOfName.insert(name, dir.filePath(name));
    }
    QStringList names = pathOfName.keys();
    std::sort(names.begin(), names.end(), nameBefore);
    QList<LanguageItem> items;
    items.reserve(names.size());
    for (const QString& name : names)
        items.append(
            {QString(name).replace(QLatin1Char('&'), QLatin1String("&&")), pathOfName.value(name)});
    return items;
}

} // namespace kvx
