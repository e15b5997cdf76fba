#include "print/SlicePlan.h"

#include <algorithm>

namespace kvx {

double PrintScale(qint32 twipsPerCm, qint32 rowsPerSlice)
{
    if (rowsPerSlice < 1)
        return 0.0;
    return double(twipsPerCm) * SliceHeightCm / (double(rowsPerSlice) * RowHeightTwips);
}

qint32 ColumnStepCm(qint32 columnCount)
{
    return columnCount > 0 ? JacketSideCm / columnCount : 0;
}

namespace {

Slice makeSlice(const SliceInputs& in, int number, int firstRow, int lastRow, int viewRows)
{
    Slice slice;
    slice.number = number;
    slice.firstRow = firstRow;
    slice.lastRow = lastRow;
    slice.viewHeightTwips = viewRows * RowHeightTwips;
    slice.capturePixels =
        QSize(TwipsToPixels(CaptureWidthTwips), TwipsToPixels(slice.viewHeightTwips));

    const int perColumn = qMax(1, in.slicesPerColumn);
    const int column = (number - 1) / perColumn;
    const int half = (number - 1) % perColumn;
    const int columnWidth = in.columnStepCm * in.twipsPerCm;
    slice.positionTwips = QPoint(column * columnWidth, half * SliceHeightCm * in.twipsPerCm);

    const double scale = PrintScale(in.twipsPerCm, in.rowsPerSlice);
    slice.printedTwips = QSizeF(CaptureWidthTwips * scale, slice.viewHeightTwips * scale);

    const int side = JacketSideCm * in.twipsPerCm;
    const QRect area =
        in.areaTwips.isEmpty() ? QRect(0, 0, side, side) : QRect(QPoint(), in.areaTwips);
    slice.clipTwips = QRect(column * columnWidth, 0, columnWidth, area.height()) & area;

    return slice;
}

} // namespace

std::vector<Slice> PlanSlices(const SliceInputs& in)
{
    std::vector<Slice> slices;
    const qint32 h = in.sliceRows > 0 ? in.sliceRows : in.rowsPerSlice;
    const qint32 n = in.rowCount;
    if (h < 1 || n < 1)
        return slices;

    slices.push_back(makeSlice(in, 1, 1, std::min(n, h), h));
    int d = 2;
    for (; h * d < in.capacity && h * d < n; ++d)
        slices.push_back(makeSlice(in, d, h * (d - 1) + 1, h * d, h));

    const qint32 left = n - h * (d - 1);
    if (left >= 1) {
        const int rows = std::min(left, h);
        const int last = in.capacity > n ? n : h * d;
        slices.push_back(makeSlice(in, d, last - rows + 1, last, rows));
    }
    return slices;
}

} // namespace kvx
