#pragma once

// A tree of known rows for the printing tests: a root and n - 1 children, all
// shown, each row with its own background colour so that a picture of the
// jacket tells which row landed where.

#include "print/JacketView.h"
#include "print/SlicePlan.h"
#include "tree/ImageList.h"
#include "tree/NodeTree.h"

#include <QImage>
#include <QTest>
#include <QTreeView>

namespace kvx::test {

inline Colour rowColour(int row)
{
    return rgbColour(40 + (row * 53) % 200, 40 + (row * 97) % 200, 40 + (row * 29) % 200);
}

inline QString rowText(int row)
{
    return QStringLiteral("Ligne%1").arg(row, 3, 10, QLatin1Char('0'));
}

// The view paints a node's background behind its label only: trailing blanks
// make each label reach well into its jacket column.
inline QString rowLabel(int row)
{
    return rowText(row) + QString(40, QLatin1Char(' '));
}

inline void buildRows(NodeTree& tree, int rows)
{
    Node* root = tree.addRoot(QStringLiteral("/r/"), rowLabel(1), image::ClosedFolder);
    tree.setBackColor(root, rowColour(1));
    for (int r = 2; r <= rows; ++r) {
        Node* child =
            tree.addChild(root, QStringLiteral("/r/%1/").arg(r), rowLabel(r), image::ClosedFolder);
        tree.setBackColor(child, rowColour(r));
    }
    tree.setExpanded(root, true);
}

// The plan of a print of `rows` rows in a grid of lines x columns.
inline SliceInputs inputsFor(int lines, int columns, int rows)
{
    SliceInputs in;
    in.rowsPerSlice = lines / 2;
    in.capacity = lines * columns;
    in.rowCount = rows;
    in.columnStepCm = ColumnStepCm(columns);
    return in;
}

// The known rows shown in the window's tree view, without the window.
struct ShownRows
{
    ImageList images;
    NodeTree tree;
    JacketView shown{tree, images};
    NodeTreeView& view = shown.view();

    explicit ShownRows(int rows)
    {
        tree.setImageList(&images.registry());
        buildRows(tree, rows);
    }
};

inline bool near(QRgb a, QRgb b)
{
    return qAbs(qRed(a) - qRed(b)) <= 3 && qAbs(qGreen(a) - qGreen(b)) <= 3 &&
           qAbs(qBlue(a) - qBlue(b)) <= 3;
}

inline QRgb expected(int row)
{
    const Colour c = rowColour(row);
    return qRgb(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

// Checks, on a picture of the page whose jacket corner is at `origin` with
// `pixelsPerTwip`, that every row of every slice shows at its place: the
// middle of its band, past the text of its label but inside its column, has
// the row's colour.
inline void verifyRowsAtTheirPlaces(const QImage& page, QPointF origin, double pixelsPerTwip,
                                    const std::vector<Slice>& plan, double scale)
{
    for (const Slice& s : plan) {
        for (int r = s.firstRow; r <= s.lastRow; ++r) {
            const double viewTwips = TwipsPerPixel * scale; // one view pixel on paper
            const double xPixels = qMin(160.0, 0.9 * s.clipTwips.width() / viewTwips);
            const double xTwips = s.positionTwips.x() + xPixels * viewTwips;
            const double yTwips =
                s.positionTwips.y() + (r - s.firstRow + 0.5) * RowHeightTwips * scale;
            const QPoint at = (origin + QPointF(xTwips, yTwips) * pixelsPerTwip).toPoint();
            const QRgb got = page.pixel(at);
            if (!near(got, expected(r)))
                QFAIL(qPrintable(QStringLiteral("row %1 (slice %2) at %3,%4: got #%5, want #%6")
                                     .arg(r)
                                     .arg(s.number)
                                     .arg(at.x())
                                     .arg(at.y())
                                     .arg(got & 0xFFFFFF, 6, 16, QLatin1Char('0'))
                                     .arg(expected(r) & 0xFFFFFF, 6, 16, QLatin1Char('0'))));
        }
    }
}

// True when no pixel of the rectangle is darker than near-white.
inline bool blank(const QImage& page, const QRect& area)
{
    const QRect r = area & page.rect();
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(page.pixel(x, y)) < 245)
                return false;
    return true;
}

// Checks, on a picture of the page at `dpi`, the 12 cm frame with its top-left
// corner at `origin`, and that nothing is drawn outside it.
inline void verifyFrameAndNothingOutside(const QImage& page, QPointF origin, int dpi)
{
    const double side = 12 / 2.54 * dpi;
    const auto dark = [&page](QPointF p) { return qGray(page.pixel(p.toPoint())) < 160; };
    QVERIFY(dark(origin + QPointF(side / 2, 0)));
    QVERIFY(dark(origin + QPointF(0, side / 2)));
    QVERIFY(dark(origin + QPointF(side, side / 3)));
    QVERIFY(dark(origin + QPointF(side / 3, side)));
    // Right of it, below it, above and left of it.
    const QPoint o = origin.toPoint();
    const int s = int(side);
    QVERIFY(blank(page, QRect(o.x() + s + 3, 0, page.width(), page.height())));
    QVERIFY(blank(page, QRect(0, o.y() + s + 3, page.width(), page.height())));
    QVERIFY(blank(page, QRect(0, 0, page.width(), o.y() - 2)));
    QVERIFY(blank(page, QRect(0, 0, o.x() - 2, page.height())));
}

} // namespace kvx::test
