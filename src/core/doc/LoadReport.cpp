#include "doc/LoadReport.h"

#include <QLocale>
#include <QStringList>

namespace kvx {

namespace {

// "1 node entry" or "3 node entries", with the verb that follows agreeing.
QString counted(qint64 n, const char* one, const char* many)
{
    return QLocale(QLocale::English).toString(n) + u' ' + QString::fromLatin1(n == 1 ? one : many);
}

} // namespace

QString describeLoadReport(const LoadReport& r)
{
    QStringList parts;
    if (r.nodesLeftOut > 0)
        parts += counted(r.nodesLeftOut, "node entry could not be read and was left out",
                         "node entries could not be read and were left out");
    if (r.nodesMissing > 0)
        parts += counted(r.nodesMissing, "node entry numbered up to Count is missing",
                         "node entries numbered up to Count are missing");
    if (r.countUnread) {
        QString part = QStringLiteral("Count is missing or not a number");
        if (r.beyondCount > 0)
            part += QStringLiteral(": ") +
                    counted(r.beyondCount, "node entry was not read", "node entries were not read");
        parts += part;
    } else if (r.beyondCount > 0) {
        parts += counted(r.beyondCount, "node entry numbered beyond Count (%1) was not read",
                         "node entries numbered beyond Count (%1) were not read")
                     .arg(r.count);
    }

    QStringList defaults;
    if (r.settingsUnread > 0)
        defaults +=
            counted(r.settingsUnread, "setting could not be read", "settings could not be read");
    if (r.nodeFieldsUnread > 0)
        defaults += QStringLiteral("the tag or sort flag of ") +
                    counted(r.nodeFieldsUnread, "node", "nodes") +
                    QStringLiteral(" could not be read");
    const auto forNodes = [&defaults](qint64 n, const char* what) {
        if (n > 0)
            defaults += QString::fromLatin1(what) + counted(n, "node", "nodes");
    };
    forNodes(r.picturesMissing, "no pictures for ");
    forNodes(r.picturesUnread, "unreadable pictures for ");
    forNodes(r.stylesMissing, "no styles for ");
    forNodes(r.stylesUnread, "unreadable styles for ");
    if (!defaults.isEmpty())
        parts += defaults.join(QStringLiteral(", ")) + QStringLiteral(" (defaults used)");
    if (r.mixedEncodings)
        parts += QStringLiteral("lines that are not UTF-8 were read as Windows-1252");
    return parts.join(QStringLiteral("; "));
}

} // namespace kvx
