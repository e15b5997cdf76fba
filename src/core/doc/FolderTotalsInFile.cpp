#include "doc/FolderTotalsInFile.h"

#include "doc/FieldEncoding.h"
#include "doc/IniFile.h"
#include "doc/IniWriter.h"
#include "walk/FolderTotals.h"

#include <QStringList>
#include <algorithm>

namespace kvx {

namespace {

constexpr QStringView kSizes = u"Sizes";
constexpr QStringView kFolder = u"folder";

} // namespace

QString FolderTotalsSection(const FolderTotals& totals)
{
    if (totals.isEmpty())
        return {};
    // By path, so that the same totals always read the same.
    QStringList paths = totals.all().keys();
    std::sort(paths.begin(), paths.end());
    IniWriter w;
    w.section(kSizes);
    w.entry(u"Taken", totals.taken.toUTC().toString(Qt::ISODate));
    int number = 0;
    for (const QString& path : paths) {
        const FolderTotal& total = *totals.find(path);
        w.entry(QStringLiteral("Folder%1").arg(++number), encodeField(path) + u'|' +
                                                              QString::number(total.files) + u'|' +
                                                              QString::number(total.bytes));
    }
    return w.text();
}

FolderTotals ReadFolderTotals(const IniFile& document, const QString& rootKey)
{
    FolderTotals totals;
    totals.setRootKey(rootKey);
    document.forEachEntry(kSizes, [&](QStringView key, IniFile::Entry entry) {
        if (!key.startsWith(kFolder))
            return;
        const QStringList fields = document.valueFields(entry, '|', 3);
        if (fields.size() < 3)
            return;
        bool filesRead = false;
        bool bytesRead = false;
        const FolderTotal total{fields.at(1).toLongLong(&filesRead),
                                fields.at(2).toLongLong(&bytesRead)};
        if (filesRead && bytesRead && total.files >= 0 && total.bytes >= 0)
            totals.insert(decodeField(fields.at(0)), total);
    });
    if (!totals.isEmpty())
        totals.taken = QDateTime::fromString(document.value(kSizes, u"Taken"), Qt::ISODate);
    return totals;
}

} // namespace kvx
