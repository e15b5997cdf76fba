#include "tree/BuiltInPictures.h"

#include "tree/ImageRef.h"

#include <QPainter>
#include <QPolygon>

namespace kvx {

namespace {

struct FolderColours
{
    QColor back;  // the folder's back wall and tab
    QColor front; // the front flap
    QColor outline;
};

// Pixel art: no antialiasing, so every edge falls on whole pixels.
QPixmap blankPixmap()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPixmap closedFolder(const FolderColours& c)
{
    QPixmap pixmap = blankPixmap();
    QPainter p(&pixmap);
    p.setPen(c.outline);
    p.setBrush(c.back);
    p.drawPolygon(QPolygon({{1, 3}, {6, 3}, {7, 4}, {7, 5}, {1, 5}}));
    p.setBrush(c.front);
    p.drawRect(1, 5, 13, 8);
    p.setPen(c.front.lighter(130));
    p.drawLine(2, 6, 13, 6);
    return pixmap;
}

QPixmap openFolder(const FolderColours& c)
{
    QPixmap pixmap = blankPixmap();
    QPainter p(&pixmap);
    p.setPen(c.outline);
    p.setBrush(c.back);
    p.drawPolygon(QPolygon({{1, 3}, {6, 3}, {7, 4}, {12, 4}, {12, 7}, {1, 13}}));
    p.setBrush(c.front);
    p.drawPolygon(QPolygon({{1, 13}, {4, 7}, {15, 7}, {12, 13}}));
    return pixmap;
}

QPixmap blankPage()
{
    QPixmap pixmap = blankPixmap();
    QPainter p(&pixmap);
    p.setPen(QColor(96, 96, 96));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygon({{3, 1}, {10, 1}, {13, 4}, {13, 14}, {3, 14}}));
    p.setBrush(QColor(224, 224, 224));
    p.drawPolygon(QPolygon({{10, 1}, {10, 4}, {13, 4}}));
    return pixmap;
}

} // namespace

QPixmap builtInPicture(int number)
{
    const FolderColours yellow{QColor(230, 180, 40), QColor(255, 214, 90), QColor(140, 100, 10)};
    const FolderColours green{QColor(40, 150, 60), QColor(90, 200, 100), QColor(20, 90, 30)};
    const FolderColours outline{Qt::white, Qt::white, Qt::black};
    switch (number) {
    case image::ClosedFolder:
        return closedFolder(yellow);
    case image::OpenFolder:
        return openFolder(yellow);
    case image::SelectedFolder:
        return openFolder(green);
    case image::ClosedFolderBw:
        return closedFolder(outline);
    case image::OpenFolderBw:
        return openFolder(outline);
    case image::BlankPage:
        return blankPage();
    default:
        return {};
    }
}

} // namespace kvx
