#include "tree/LeftOut.h"

#include "tree/NodeTree.h"

#include <QLocale>
#include <QStringList>
#include <climits>

namespace kvx {

LeftOut& LeftOut::operator+=(const LeftOut& other)
{
    foldersBadName += other.foldersBadName;
    filesBadName += other.filesBadName;
    foldersTooLong += other.foldersTooLong;
    filesTooLong += other.filesTooLong;
    beyondNodeLimit += other.beyondNodeLimit;
    unreadableFolders += other.unreadableFolders;
    if (other.startFolderUnreadable) {
        startFolderUnreadable = true;
        startFolderError = other.startFolderError;
    }
    return *this;
}

namespace {

QString number(int n)
{
    return QLocale(QLocale::English).toString(n);
}

} // namespace

QString describeLeftOut(const LeftOut& leftOut)
{
    QStringList items;
    // "1 folder whose name is ..." or "3 folders whose names are ...".
    const auto add = [&items](int n, const QString& one, const QString& many) {
        if (n > 0)
            items.append(number(n) + u' ' + (n == 1 ? one : many));
    };
    const QString path = number(PATH_MAX);
    const QString nodes = number(NodeTree::MaxNodes);
    add(leftOut.foldersBadName, QStringLiteral("folder whose name is not valid UTF-8"),
        QStringLiteral("folders whose names are not valid UTF-8"));
    add(leftOut.filesBadName, QStringLiteral("file whose name is not valid UTF-8"),
        QStringLiteral("files whose names are not valid UTF-8"));
    add(leftOut.foldersTooLong,
        QStringLiteral("folder whose path exceeds the system's %1-byte limit").arg(path),
        QStringLiteral("folders whose paths exceed the system's %1-byte limit").arg(path));
    add(leftOut.filesTooLong,
        QStringLiteral("file whose path exceeds the system's %1-byte limit").arg(path),
        QStringLiteral("files whose paths exceed the system's %1-byte limit").arg(path));
    add(int(leftOut.unreadableFolders.size()), QStringLiteral("folder that cannot be read"),
        QStringLiteral("folders that cannot be read"));
    add(leftOut.beyondNodeLimit, QStringLiteral("entry beyond the %1-node limit").arg(nodes),
        QStringLiteral("entries beyond the %1-node limit").arg(nodes));

    QStringList parts;
    if (leftOut.startFolderUnreadable)
        parts.append(QStringLiteral("the start folder cannot be read"));
    if (!items.isEmpty())
        parts.append(QStringLiteral("left out ") + items.join(u"; "));
    return parts.join(u"; ");
}

} // namespace kvx
