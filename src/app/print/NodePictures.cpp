#include "print/NodePictures.h"

#include "tree/ImageRegistry.h"
#include "tree/NodeTree.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QPainter>

namespace kvx {

namespace {

void drawFolder(QPainter& p, bool open, const QColor& fill, const QColor& line)
{
    p.setPen(line);
    p.setBrush(fill);
    p.drawPolygon(QPolygon({{1, 3}, {6, 3}, {7, 4}, {14, 4}, {14, 13}, {1, 13}}));
    if (open) {
        p.setBrush(fill.lighter(115));
        p.drawPolygon(QPolygon({{1, 13}, {4, 7}, {15, 7}, {12, 13}}));
    }
}

} // namespace

QPixmap BuiltInPicture(int number)
{
    if (number < 1 || number > image::BuiltInCount)
        return {};
    static QHash<int, QPixmap> cache;
    if (const auto it = cache.constFind(number); it != cache.constEnd())
        return *it;

    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    const QColor yellow(0xF0, 0xC8, 0x40);
    const QColor brown(0x80, 0x60, 0x10);
    switch (number) {
    case image::ClosedFolder:
        drawFolder(p, false, yellow, brown);
        break;
    case image::OpenFolder:
        drawFolder(p, true, yellow, brown);
        break;
    case image::SelectedFolder:
        drawFolder(p, true, QColor(0x60, 0xC0, 0x60), QColor(0x20, 0x60, 0x20));
        break;
    case image::ClosedFolderBw:
        drawFolder(p, false, Qt::white, Qt::black);
        break;
    case image::OpenFolderBw:
        drawFolder(p, true, Qt::white, Qt::black);
        break;
    default:
        p.setPen(Qt::black);
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygon({{3, 1}, {10, 1}, {13, 4}, {13, 15}, {3, 15}}));
        break;
    }
    p.end();
    cache.insert(number, pixmap);
    return pixmap;
}

QPixmap NodePicture(const NodeTree& tree, const Node& node)
{
    const ImageRef& ref =
        node.expanded() && !node.expandedImage().isNone() ? node.expandedImage() : node.image();
    const ImageRegistry* images = tree.imageList();
    const int position = images ? images->positionOf(ref) : ref.number();
    if (position >= 1 && position <= image::BuiltInCount)
        return BuiltInPicture(position);
    const QString key = images ? images->keyAt(position) : ref.key();
    if (key.isEmpty())
        return {};
    static QHash<QString, QPixmap> icons;
    auto it = icons.find(key);
    if (it == icons.end()) {
        const QDir folder(QCoreApplication::applicationDirPath() + QStringLiteral("/ico"));
        QPixmap icon(folder.filePath(key + QStringLiteral(".ico")));
        it = icons.insert(key, icon.isNull() ? icon : icon.scaled(16, 16));
    }
    return *it;
}

} // namespace kvx
