#pragma once

#include "print/JacketLayout.h"
#include "print/RowList.h"
#include "print/SlicePlan.h"
#include "tree/RowPainter.h"

#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace kvx {

class ImageList;
class NodeTree;

// One jacket, drawn from the tree: the shown rows numbered in display order
// and cut into the slices of the layout, each slice's rows drawn by the row
// painter at the slice's place and size, within its column of the 12 cm
// square, and the 12 cm frame over them. The rows are those of the moment it
// is made. QtGui only: the printer, the preview and the PDF writer take the
// same page.
class JacketPage
{
public:
    // `look` as the rows show on screen (and whether the print is in colour).
    JacketPage(const NodeTree& tree, const ImageList& images, RowAppearance look,
               const JacketLayout& layout, qint32 capacity);

    // The rows the tree shows, and how many of them the jacket holds.
    [[nodiscard]] int rowCount() const { return m_rows.VisibleNodeCount(); }
    [[nodiscard]] int printedRows() const { return qMin(rowCount(), m_capacity); }
    [[nodiscard]] const std::vector<Slice>& slices() const { return m_slices; }

    // Paints the jacket, its top-left corner at the painter's origin, on a
    // device of `dotsPerInch`.
    void paint(QPainter& painter, double dotsPerInch) const;
    // Prints it as one page at the top-left of the printable area of a
    // printer or a PDF writer. False when the device does not start or end
    // the page.
    [[nodiscard]] bool print(QPagedPaintDevice& device) const;

    // Thin, but visible on any printer.
    static constexpr double FrameWidthMm = 0.2;
    // The name of a print job, which also names the file a PDF queue writes.
    static constexpr const char* DocumentName = "KVX jaquette";

private:
    RowList m_rows;
    qint32 m_capacity;
    std::vector<Slice> m_slices;
    RowPainter m_painter;
};

} // namespace kvx
