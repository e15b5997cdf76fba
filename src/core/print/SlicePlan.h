#pragma once

#include "util/Twips.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QSizeF>
#include <vector>

namespace kvx {

// The jacket on paper: a 12 cm square of columns, each column two stacked
// half-columns ("slices") of the tree view, shrunk so that a full slice is 6 cm
// high. Every length on the page is in twips, laid out with a fixed number of
// twips per centimetre whatever the page (1440 / 2.54, rounded).
inline constexpr int TwipsPerCm = 567;
inline constexpr int JacketSideCm = 12;
inline constexpr int SliceHeightCm = 6;
// The tree view: rows of 240 twips, 6000 twips wide and, outside printing,
// 6000 twips high; its right-hand 270 twips (the scroll-bar strip) never print.
inline constexpr int RowHeightTwips = 240;
inline constexpr int ViewSideTwips = 6000;
inline constexpr int ScrollBarStripTwips = 270;
inline constexpr int CaptureWidthTwips = ViewSideTwips - ScrollBarStripTwips;

struct SliceInputs
{
    qint32 rowsPerSlice = 25; // half the lines per column
    qint32 capacity = 150;    // what lblImprimable shows
    qint32 rowCount = 0;      // the rows numbered for this print
    qint32 columnStepCm = 4;  // width of one column
    qint32 twipsPerCm = TwipsPerCm;
    // Other covers lay out one taller slice per column, at the same row
    // height, within an area of their own.
    qint32 sliceRows = 0; // rows a slice holds; 0: rowsPerSlice
    qint32 slicesPerColumn = 2;
    QSize areaTwips; // what may print; empty: the 12 cm square
};

// One half-column of the tree view's rows and its place on the page.
struct Slice
{
    int number = 0;   // 1-based
    int firstRow = 0; // first row shown (1-based in the row list)
    int lastRow = 0;  // last row shown; below it the view may be empty (slice 1)
    int viewHeightTwips = 0;
    QSize capturePixels;  // the view's part shown, in screen pixels
    QPoint positionTwips; // top-left on the page
    QSizeF printedTwips;
    // What of the slice may print: its own column, within the 12 cm square.
    // The slice is wider than a column; the rest of its width never prints.
    QRect clipTwips;

    friend bool operator==(const Slice&, const Slice&) = default;
};

// How much the view's rows shrink onto paper: a full slice becomes 6 cm high.
[[nodiscard]] double PrintScale(qint32 twipsPerCm, qint32 rowsPerSlice);

// Width of one jacket column in whole centimetres: 6, 4 or 3 for 2, 3 or 4 columns.
[[nodiscard]] qint32 ColumnStepCm(qint32 columnCount);

// The slices of one print, in the order they are painted. Rows up to the
// capacity are cut into consecutive runs of rowsPerSlice; only the last run
// may be shorter, and then its view is shortened to match, except when every
// row fits into slice 1, which always keeps its full height. Empty when there
// is no row to print.
[[nodiscard]] std::vector<Slice> PlanSlices(const SliceInputs& in);

} // namespace kvx
