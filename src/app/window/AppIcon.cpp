#include "window/AppIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kvx {

namespace {

const QColor kInk(0x2f, 0x3e, 0x5c);
const QColor kDiscEdge(0x5a, 0x6b, 0x85);
const QColor kFolder(0xf0, 0xb4, 0x3c);
const QColor kFolderEdge(0x8a, 0x5a, 0x12);

// The icon's drawing on its 128-unit square.
void drawIcon(QPainter& painter)
{
    // The disc, slid half out of its case.
    painter.setPen(QPen(kDiscEdge, 3));
    painter.setBrush(QColor(0xc9, 0xd3, 0xe0));
    painter.drawEllipse(QPointF(80, 64), 46, 46);
    painter.setPen(QPen(QColor(0xe6, 0xeb, 0xf2), 6));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(80, 64), 30, 30);
    painter.setPen(QPen(kDiscEdge, 3));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(80, 64), 9, 9);

    // The jacket and its spine.
    painter.setPen(QPen(kInk, 4));
    painter.setBrush(QColor(0xfb, 0xf8, 0xf0));
    painter.drawRoundedRect(QRectF(8, 14, 100, 100), 6, 6);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kInk);
    painter.drawRoundedRect(QRectF(8, 14, 14, 100), 4, 4);

    // The tree: its lines, then its folders and a file.
    QPainterPath lines;
    lines.moveTo(40, 38);
    lines.lineTo(40, 94);
    lines.lineTo(54, 94);
    lines.moveTo(40, 60);
    lines.lineTo(54, 60);
    lines.moveTo(64, 70);
    lines.lineTo(64, 82);
    lines.lineTo(76, 82);
    painter.setPen(QPen(kInk, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(lines);
    painter.setPen(QPen(kFolderEdge, 2));
    painter.setBrush(kFolder);
    for (const QPointF& at : {QPointF(30, 24), QPointF(54, 53), QPointF(54, 87)})
        painter.drawRoundedRect(QRectF(at, QSizeF(22, 15)), 2, 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x4f, 0x7c, 0xc4));
    painter.drawRoundedRect(QRectF(76, 78, 22, 8), 2, 2);
}

} // namespace

QIcon programIcon()
{
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 128.0, size / 128.0);
        drawIcon(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace kvx
