#pragma once

#include "print/CoverChoice.h"
#include "print/JacketLayout.h"
#include "print/RowList.h"
#include "print/SlicePlan.h"
#include "tree/RowPainter.h"

#include <QPageLayout>
#include <optional>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace kvx {

class ImageList;
class NodeTree;

// What a cover prints besides the rows.
struct CoverPrint
{
    const CoverTemplate* cover = &BookletTemplate();
    QString title;
    QString identifier;
    bool titleOnBooklet = false;

    // The document's choice for that tree.
    [[nodiscard]] static CoverPrint of(const CoverChoice& choice, const NodeTree& tree);
    // The booklet alone, as it always printed.
    [[nodiscard]] bool plainBooklet() const
    {
        return cover == &BookletTemplate() && !titleOnBooklet;
    }
};

// One jacket or cover, drawn from the tree: the shown rows numbered in
// display order and cut into the slices of the layout, each slice's rows
// drawn by the row painter at the slice's place and size, within its column
// of the 12 cm square, and the 12 cm frame over them. Other templates lay the
// rows out in their cards' rows areas and add the cut and fold marks, the
// title along the spines and on the front. The rows are those of the moment
// it is made. QtGui only: the printer, the preview and the PDF writer take
// the same page.
class JacketPage
{
public:
    // `look` as the rows show on screen (and whether the print is in colour).
    // `capacity` is the booklet's; other templates hold what their cards hold.
    JacketPage(const NodeTree& tree, const ImageList& images, RowAppearance look,
               const JacketLayout& layout, qint32 capacity, CoverPrint cover = {});

    // The rows the tree shows, and how many of them the jacket holds.
    [[nodiscard]] int rowCount() const { return m_rows.VisibleNodeCount(); }
    [[nodiscard]] int printedRows() const { return qMin(rowCount(), m_capacity); }
    [[nodiscard]] const std::vector<Slice>& slices() const { return m_slices; }

    [[nodiscard]] const CoverPrint& cover() const { return m_cover; }

    // Paints the jacket, its top-left corner at the painter's origin, on a
    // device of `dotsPerInch`.
    void paint(QPainter& painter, double dotsPerInch) const;
    // Where paint() puts its origin on a page, from the top-left of its
    // printable area, in device units: the booklet alone at that corner, the
    // other templates centred on the sheet.
    [[nodiscard]] QPointF origin(const QPageLayout& paper, double dotsPerInch) const;
    // How a printer's paper is turned for the page: portrait for the booklet,
    // as the template needs on A4 or, for that paper, US Letter. None when the
    // template fits on neither turn; *paperName then names the paper.
    [[nodiscard]] std::optional<QPageLayout::Orientation> orientationOn(const QPageSize& paper,
                                                                        QString* paperName) const;
    // Prints it as one page of a printer or a PDF writer (whose page is
    // turned as the template needs). False when the device does not start
    // or end the page.
    [[nodiscard]] bool print(QPagedPaintDevice& device) const;

    // Thin, but visible on any printer.
    static constexpr double FrameWidthMm = 0.2;
    static constexpr double MarkWidthMm = 0.1;
    // The name of a print job, which also names the file a PDF queue writes.
    static constexpr const char* DocumentName = "KVX jaquette";

private:
    void paintSlices(QPainter& painter, double dotsPerInch, const CardRows& rows) const;
    void paintCard(QPainter& painter, double dotsPerInch, const CoverCard& card) const;

    RowList m_rows;
    qint32 m_capacity;
    std::vector<Slice> m_slices;
    RowPainter m_painter;
    CoverPrint m_cover;
    std::vector<CardRows> m_cards; // other templates' rows, card by card
    QFont m_titleFont;
};

} // namespace kvx
