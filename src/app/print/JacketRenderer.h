#pragma once

#include "print/SlicePlan.h"

#include <QImage>
#include <vector>

class QPainter;
class QTreeView;
class QPicture;

namespace kvx {

class EventPump;

// Paints a jacket onto any painter (printer, PDF, preview image, tests) from
// the tree view itself: for every slice of the plan the view is resized to
// the slice's rows and scrolled as a user's "make this row visible" does, its
// drawing is recorded as vector drawing and replayed at the slice's place and
// size, clipped to the slice's column; the 12 cm frame comes last.
//
// The view must show whole rows of 240 twips (16 px) without header, frame or
// scroll bars. Its height is left at the last slice's: the caller restores it.
class JacketRenderer
{
public:
    // `dotsPerInch` is the resolution of the painter's device; the jacket's
    // top-left corner is the painter's origin.
    JacketRenderer(QPainter& painter, int dotsPerInch);

    // Paints every slice, yielding to the event loop after each scroll as the
    // window does. Returns false, leaving the page unfinished, when the view
    // went away meanwhile.
    [[nodiscard]] bool paintSlices(QTreeView& view, const std::vector<Slice>& plan,
                                   EventPump& pump);
    void paintFrame();

    // Frame line width: thin, but visible on any printer.
    static constexpr double FrameWidthMm = 0.2;

private:
    void paintSlice(const Slice& slice, const QPicture& picture);
    [[nodiscard]] double device(double twips) const;

    QPainter& m_painter;
    int m_dpi;
};

// Resizes the view to `heightTwips`, and delivers the resize at once even to a
// view never shown, so that scrolling sees the new height.
void SetViewHeight(QTreeView& view, int heightTwips);

// Brings row `row` (1-based, in the order the view shows its rows) into view,
// scrolling as little as possible. Rows past the view's last row do nothing.
void EnsureRowVisible(QTreeView& view, int row);

// A pixel copy of the top-left `size` of a widget, drawn by the widget itself
// (no screen pixels: a window covering it never shows). For previews and tests.
[[nodiscard]] QImage CaptureWindowArea(QWidget& widget, QSize size);

} // namespace kvx
