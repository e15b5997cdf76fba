#include "print/JacketRenderer.h"

#include "tree/ScanHooks.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPicture>
#include <QPointer>
#include <QResizeEvent>
#include <QTreeView>

namespace kvx {

void SetViewHeight(QTreeView& view, int heightTwips)
{
    const QSize old = view.size();
    view.resize(view.width(), TwipsToPixels(heightTwips));
    if (view.testAttribute(Qt::WA_PendingResizeEvent)) {
        // A hidden view only learns its size when shown: tell it now.
        QResizeEvent event(view.size(), old);
        QCoreApplication::sendEvent(&view, &event);
        view.setAttribute(Qt::WA_PendingResizeEvent, false);
    }
}

void EnsureRowVisible(QTreeView& view, int row)
{
    const QAbstractItemModel* model = view.model();
    if (!model || row < 1)
        return;
    QModelIndex index = model->index(0, 0, view.rootIndex());
    for (int r = 1; r < row && index.isValid(); ++r)
        index = view.indexBelow(index);
    if (index.isValid())
        view.scrollTo(index, QAbstractItemView::EnsureVisible);
}

QImage CaptureWindowArea(QWidget& widget, QSize size)
{
    return widget.grab(QRect(QPoint(0, 0), size)).toImage();
}

JacketRenderer::JacketRenderer(QPainter& painter, int dotsPerInch)
    : m_painter(painter), m_dpi(dotsPerInch)
{
}

double JacketRenderer::device(double twips) const
{
    return TwipsToDevice(twips, m_dpi);
}

bool JacketRenderer::paintSlices(QTreeView& view, const std::vector<Slice>& plan, EventPump& pump)
{
    const QPointer<QTreeView> alive(&view);
    for (const Slice& slice : plan) {
        SetViewHeight(view, slice.viewHeightTwips);
        // Slice 1 starts at the top row; every later one ends on its last row,
        // which lies below the view and so becomes its bottom row.
        EnsureRowVisible(view, slice.number == 1 ? 1 : slice.lastRow);
        pump.yieldToEvents();
        if (!alive)
            return false;

        // Only what lands in the slice's column is recorded: a replayed picture
        // may reset the clip of the painter it is replayed on.
        QPicture picture;
        {
            QPainter recorder(&picture);
            recorder.setClipRect(QRect(QPoint(0, 0), slice.visiblePixels));
            view.render(&recorder);
        }
        paintSlice(slice, picture);
    }
    return true;
}

void JacketRenderer::paintSlice(const Slice& slice, const QPicture& picture)
{
    // A picture replays at its own resolution scaled to the device's; what is
    // left to apply is the shrink from the captured size to the printed size.
    const double pictureDpi = picture.logicalDpiX();
    const double sx = slice.printedTwips.width() * pictureDpi /
                      (double(TwipsPerInch) * slice.capturePixels.width());
    const double sy = slice.printedTwips.height() * picture.logicalDpiY() /
                      (double(TwipsPerInch) * slice.capturePixels.height());

    const QRectF clip(device(slice.clipTwips.x()), device(slice.clipTwips.y()),
                      device(slice.clipTwips.width()), device(slice.clipTwips.height()));
    m_painter.save();
    m_painter.setClipRect(clip, Qt::IntersectClip);
    m_painter.translate(device(slice.positionTwips.x()), device(slice.positionTwips.y()));
    m_painter.scale(sx, sy);
    m_painter.drawPicture(0, 0, picture);
    m_painter.restore();
}

void JacketRenderer::paintFrame()
{
    // In true centimetres, over the slices.
    const double side = JacketSideCm / 2.54 * m_dpi;
    m_painter.save();
    m_painter.setClipping(false);
    QPen pen(Qt::black, FrameWidthMm / 25.4 * m_dpi);
    pen.setJoinStyle(Qt::MiterJoin);
    m_painter.setPen(pen);
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(QRectF(0, 0, side, side));
    m_painter.restore();
}

} // namespace kvx
