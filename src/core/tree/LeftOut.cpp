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
    startFolderUnreadable = startFolderUnreadable || other.startFolderUnreadable;
    return *this;
}

namespace {

QString number(int n)
{
    return QLocale(QLocale::English).toString(n);
}

// "1 folder whose name is ..." or "3 folders whose names are ...".
QString entries(int n, const char* kind, const char* one, const char* many)
{
    return QStringLiteral("%1 %2%3 %4")
        .arg(number(n), QLatin1String(kind), QLatin1String(n == 1 ? "" : "s"),
             QLatin1String(n == 1 ? one : many));
}

} // namespace

QString describeLeftOut(const LeftOut& leftOut)
{
    const char* badName[] = {"whose name is not valid UTF-8", "whose names are not valid UTF-8"};
    const QByteArray limit = number(PATH_MAX).toLatin1();
    const QByteArray tooLong1 = "whose path exceeds the system's " + limit + "-byte limit";
    const QByteArray tooLongN = "whose paths exceed the system's " + limit + "-byte limit";
    QStringList items;
    const auto add = [&items](int n, const char* kind, const char* one, const char* many) {
        if (n > 0)
            items.append(entries(n, kind, one, many));
    };
    add(leftOut.foldersBadName, "folder", badName[0], badName[1]);
    add(leftOut.filesBadName, "file", badName[0], badName[1]);
    add(leftOut.foldersTooLong, "folder", tooLong1.constData(), tooLongN.constData());
    add(leftOut.filesTooLong, "file", tooLong1.constData(), tooLongN.constData());
    if (leftOut.beyondNodeLimit > 0) {
        items.append(QStringLiteral("%1 %2 beyond the %3-node limit")
                         .arg(number(leftOut.beyondNodeLimit),
                              QLatin1String(leftOut.beyondNodeLimit == 1 ? "entry" : "entries"),
                              number(NodeTree::MaxNodes)));
    }
    QString line = items.isEmpty() ? QString() : QStringLiteral("left out ") + items.join(u"; ");
    if (leftOut.startFolderUnreadable)
        line.prepend(line.isEmpty() ? QStringLiteral("the start folder cannot be read")
                                    : QStringLiteral("the start folder cannot be read; "));
    return line;
}

} // namespace kvx
