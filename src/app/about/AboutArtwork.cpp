#include "about/AboutArtwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <numbers>

namespace kvx {

namespace {

const QColor kNight(0x1d, 0x2b, 0x53);
const QColor kSea(0x3a, 0x7c, 0xa5);

// One frame: a disc turning above its jacket. Frames 0, 5 and 10 (the long
// ones) show the letters K, V and X on the jacket in turn.
void drawFrame(QPainter& painter, int frame)
{
    const QRectF area(0, 0, kAnimationFrameWidth, kAnimationFrameHeight);
    QLinearGradient sky(area.topLeft(), area.bottomLeft());
    sky.setColorAt(0, QColor(0xf4, 0xf1, 0xe8));
    sky.setColorAt(1, QColor(0xd9, 0xe4, 0xec));
    painter.fillRect(area, sky);

    // The jacket: a square case on the left.
    const QRectF jacket(10, 8, 68, 68);
    painter.setPen(QPen(kNight, 1.5));
    painter.setBrush(QColor(0xff, 0xfd, 0xf7));
    painter.drawRect(jacket);
    painter.setPen(QPen(kSea, 1));
    for (int row = 0; row < 6; ++row) {
        const qreal y = jacket.top() + 10 + row * 9;
        const qreal indent = (row % 3) * 5;
        painter.drawLine(QPointF(jacket.left() + 8 + indent, y),
                         QPointF(jacket.right() - 10 - (row % 2) * 12, y));
    }
    const int letterStep = frame / 5;
    if (frame % 5 == 0) {
        QFont font = painter.font();
        font.setPixelSize(40);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(QColor(0xc0, 0x39, 0x2b));
        painter.drawText(jacket, Qt::AlignCenter, QString(QStringLiteral("KVX").at(letterStep)));
    }

    // The disc, sliding out of the jacket and back as it turns.
    const qreal slide = 22.0 * std::sin(frame * std::numbers::pi / kAnimationFrameCount);
    const QPointF centre(112 + slide / 2, 42);
    const qreal radius = 34;
    QRadialGradient silver(centre, radius);
    silver.setColorAt(0, QColor(0xf7, 0xf7, 0xf7));
    silver.setColorAt(1, QColor(0xa9, 0xb4, 0xbf));
    painter.setPen(QPen(QColor(0x6b, 0x77, 0x83), 1));
    painter.setBrush(silver);
    painter.drawEllipse(centre, radius, radius);

    // The rainbow glint turns by 24 degrees a frame.
    const qreal angle = frame * 24.0;
    for (int band = 0; band < 3; ++band) {
        QColor colour = QColor::fromHsv((frame * 24 + band * 50) % 360, 120, 255);
        colour.setAlpha(170);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        QPainterPath sector;
        sector.moveTo(centre);
        sector.arcTo(QRectF(centre.x() - radius + 2, centre.y() - radius + 2, 2 * radius - 4,
                            2 * radius - 4),
                     angle + band * 12, 12);
        sector.closeSubpath();
        painter.drawPath(sector);
    }
    painter.setBrush(kNight);
    painter.drawEllipse(centre, 9, 9);
    painter.setBrush(QColor(0xf4, 0xf1, 0xe8));
    painter.drawEllipse(centre, 3, 3);
}

} // namespace

QPixmap titleBand(const QString& title, int width)
{
    QPixmap band(width, kTitleBandHeight);
    QPainter painter(&band);
    QLinearGradient gradient(0, 0, width, 0);
    gradient.setColorAt(0, kNight);
    gradient.setColorAt(1, kSea);
    painter.fillRect(band.rect(), gradient);
    QFont font = painter.font();
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(band.rect().adjusted(6, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, title);
    return band;
}

QPixmap animationStrip()
{
    QPixmap strip(kAnimationFrameWidth, kAnimationFrameHeight * kAnimationFrameCount);
    QPainter painter(&strip);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int frame = 0; frame < kAnimationFrameCount; ++frame) {
        painter.save();
        painter.translate(0, frame * kAnimationFrameHeight);
        painter.setClipRect(0, 0, kAnimationFrameWidth, kAnimationFrameHeight);
        drawFrame(painter, frame);
        painter.restore();
    }
    return strip;
}

QPixmap closeCross()
{
    QPixmap cross(kCrossSize, kCrossSize);
    cross.fill(Qt::transparent);
    QPainter painter(&cross);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1.6));
    painter.drawLine(QPointF(2.5, 2.5), QPointF(8.5, 8.5));
    painter.drawLine(QPointF(8.5, 2.5), QPointF(2.5, 8.5));
    return cross;
}

QPixmap buttonEdge(ButtonEdge edge, const QColor& colour)
{
    // The frame runs from (1, 2) to (15, 15), around the cross placed 3 pixels
    // right of and 4 below the edges' corner.
    QPixmap pixmap(kButtonEdgeSize, kButtonEdgeSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(colour);
    if (edge == ButtonEdge::TopLeft) {
        painter.drawLine(1, 2, 14, 2);
        painter.drawLine(1, 2, 1, 14);
    } else {
        painter.drawLine(1, 15, 15, 15);
        painter.drawLine(15, 2, 15, 15);
    }
    return pixmap;
}

} // namespace kvx
