#include "print/JacketPage.h"

#include "util/Twips.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace kvx {

namespace {

// The rows as the tree view shows them off screen: 6000 twips wide, in rows
// of 240 twips.
RowAppearance jacketRows(RowAppearance look)
{
    look.rowWidth = TwipsToPixels(ViewSideTwips);
    look.rowHeight = TwipsToPixels(RowHeightTwips);
    return look;
}

} // namespace

JacketPage::JacketPage(const NodeTree& tree, const ImageList& images, RowAppearance look,
                       const JacketLayout& layout, qint32 capacity)
    : m_capacity(capacity), m_painter(tree, images, jacketRows(std::move(look)))
{
    m_rows.NumberVisibleNodes(tree);
    SliceInputs in;
    in.rowsPerSlice = layout.LinesPerColumn / 2;
    in.capacity = capacity;
    in.rowCount = m_rows.VisibleNodeCount();
    in.columnStepCm = ColumnStepCm(layout.ColumnCount);
    m_slices = PlanSlices(in);
}

void JacketPage::paint(QPainter& painter, double dotsPerInch) const
{
    const auto device = [dotsPerInch](double twips) { return twips * dotsPerInch / TwipsPerInch; };
    painter.save();
    for (const Slice& slice : m_slices) {
        const QRectF target(device(slice.positionTwips.x()), device(slice.positionTwips.y()),
                            device(slice.printedTwips.width()),
                            device(slice.printedTwips.height()));
        const QRect column = slice.clipTwips;
        painter.setClipRect(QRectF(device(column.x()), device(column.y()), device(column.width()),
                                   device(column.height())));
        m_painter.paintRows(painter, m_rows.rows(), slice.firstRow, slice.lastRow, target,
                            QSizeF(slice.capturePixels));
    }
    // In true centimetres, over the slices.
    painter.setClipping(false);
    QPen pen(Qt::black, FrameWidthMm / 25.4 * dotsPerInch);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const double side = JacketSideCm / 2.54 * dotsPerInch;
    painter.drawRect(QRectF(0, 0, side, side));
    painter.restore();
}

bool JacketPage::print(QPagedPaintDevice& device) const
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    paint(painter, device.logicalDpiX());
    return painter.end();
}

} // namespace kvx
