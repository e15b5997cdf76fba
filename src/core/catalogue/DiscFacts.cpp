#include "catalogue/DiscFacts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/statvfs.h>

namespace kvx {

namespace {

struct Mount
{
    QString point;
    QString fsType;
    QString source;
};

// The escapes of the mount table ("\040" for a blank: three octal digits)
// and of udev's link names ("\x20": two hexadecimal ones) undone.
QByteArray unescaped(const QByteArray& text, QByteArrayView escape, int digits, int base)
{
    QByteArray plain;
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (QByteArrayView(text).sliced(at).startsWith(escape) &&
            at + escape.size() + digits <= text.size()) {
            bool ok = false;
            const int code = text.mid(at + escape.size(), digits).toInt(&ok, base);
            if (ok) {
                plain += char(code);
                at += escape.size() + digits - 1;
                continue;
            }
        }
        plain += text[at];
    }
    return plain;
}

QString unescapeMount(const QByteArray& field)
{
    return QFile::decodeName(unescaped(field, "\\", 3, 8));
}

bool isBelow(const QString& path, const QString& point)
{
    return point == QLatin1String("/") || path == point ||
           path.startsWith(point + QLatin1Char('/'));
}

// The mount that holds `path`: the last one mounted at the longest prefix.
std::optional<Mount> mountOf(const QString& path, const QString& root)
{
    QFile table(root + QStringLiteral("/proc/self/mountinfo"));
    if (!table.open(QIODevice::ReadOnly))
        return std::nullopt;
    std::optional<Mount> best;
    // Files of /proc tell no size: read to the end.
    for (const QByteArray& line : table.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        const qsizetype separator = fields.indexOf("-");
        if (fields.size() < 5 || separator < 0 || separator + 2 >= fields.size())
            continue;
        Mount mount{unescapeMount(fields[4]), QString::fromUtf8(fields[separator + 1]),
                    unescapeMount(fields[separator + 2])};
        if (isBelow(path, mount.point) && (!best || mount.point.size() >= best->point.size()))
            best = std::move(mount);
    }
    return best;
}

// The name of the link in a /dev/disk folder that leads to the device.
QString linkTo(const QString& device, const QString& folder)
{
    for (const QFileInfo& link : QDir(folder).entryInfoList(QDir::System | QDir::Files)) {
        if (link.isSymLink() && link.canonicalFilePath() == device)
            return link.fileName();
    }
    return QString();
}

} // namespace

DiscFacts discFacts(const QString& folder, const QString& systemRoot)
{
    DiscFacts facts;
    const QString path = QFileInfo(folder).canonicalFilePath();
    const QString root = systemRoot == QLatin1String("/") ? QString() : systemRoot;
    if (const std::optional<Mount> mount = mountOf(path, root)) {
        facts.fsType = mount->fsType;
        facts.mountPoint = mount->point == path;
        if (facts.mountPoint && mount->source.startsWith(u'/')) {
            const QString device = QFileInfo(root + mount->source).canonicalFilePath();
            if (!device.isEmpty()) {
                facts.uuid = linkTo(device, root + QStringLiteral("/dev/disk/by-uuid"));
                facts.label = QString::fromUtf8(unescaped(
                    QFile::encodeName(linkTo(device, root + QStringLiteral("/dev/disk/by-label"))),
                    "\\x", 2, 16));
            }
        }
    }
    struct statvfs space;
    if (::statvfs(QFile::encodeName(folder).constData(), &space) == 0) {
        facts.capacity = qint64(space.f_blocks) * qint64(space.f_frsize);
        facts.freeSpace = qint64(space.f_bavail) * qint64(space.f_frsize);
    }
    return facts;
}

} // namespace kvx
