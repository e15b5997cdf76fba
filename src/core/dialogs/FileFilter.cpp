#include "dialogs/FileFilter.h"

namespace kvx {

std::vector<FilterPair> parseFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    std::vector<FilterPair> pairs;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty() && parts[i + 1].isEmpty())
            continue; // the empty tail after a final "|"
        pairs.push_back({parts[i], parts[i + 1]});
    }
    return pairs;
}

QString openDialogFilter(const QString& filter)
{
    return filter.isEmpty() ? QString::fromLatin1(kAllFilesFilter) : filter;
}

QString saveDialogFilter(const QString& filter)
{
    return filter == QLatin1String("*.*") ? QString::fromLatin1(kAllFilesFilter) : filter;
}

QString patternExtension(const QString& pattern)
{
    const qsizetype dot = pattern.indexOf(QLatin1Char('.'), 1);
    return dot < 0 ? pattern : pattern.mid(dot + 1);
}

QString applySaveExtension(const QString& path, const QString& filter, int selectedFilter)
{
    QString result = path.trimmed();
    result.remove(QChar(0));
    const QStringList parts = filter.split(QLatin1Char('|'));
    const qsizetype patternPart = 2 * qsizetype(selectedFilter) - 1;
    if (selectedFilter < 1 || patternPart >= parts.size())
        return result;
    // Of several patterns ("*.doc;*.txt") the first names the type to save as.
    const QString extension =
        patternExtension(parts[patternPart].section(QLatin1Char(';'), 0, 0).trimmed());
    // A wildcard extension names no particular type: keep the name as typed.
    if (extension.isEmpty() || extension.contains(QLatin1Char('*')) ||
        extension.contains(QLatin1Char('?')))
        return result;
    if (!result.endsWith(extension, Qt::CaseSensitive))
        result += QLatin1Char('.') + extension;
    return result;
}

QString initialFolder(const QString& iniPath, const QString& programDir)
{
    if (!iniPath.isEmpty())
        return iniPath;
    return programDir.endsWith(QLatin1Char('/')) ? programDir : programDir + QLatin1Char('/');
}

} // namespace kvx
