#pragma once

// Known rows for the printing tests: a root and n - 1 children, all shown,
// each row with its own background colour so that a picture of the jacket
// tells which row landed where; and the window that prints them.

#include "app/MainWindowFixture.h"
#include "print/JacketCommands.h"
#include "print/SlicePlan.h"
#include "tree/NodeTree.h"

#include <QAbstractButton>
#include <QImage>

namespace kvx::test {

inline QRgb rowRgb(int row)
{
    return qRgb(40 + row * 53 % 200, 40 + row * 97 % 200, 40 + row * 29 % 200);
}

inline QString rowText(int row)
{
    return QStringLiteral("Ligne%1").arg(row, 3, 10, QLatin1Char('0'));
}

// The view paints a node's background behind its label only: trailing blanks
// make each label reach well into its jacket column.
inline void buildRows(NodeTree& tree, int rows)
{
    Node* root = nullptr;
    for (int r = 1; r <= rows; ++r) {
        const QString key = QStringLiteral("/r/%1/").arg(r);
        const QString label = rowText(r) + QString(40, QLatin1Char(' '));
        Node* node = root ? tree.addChild(root, key, label, image::ClosedFolder)
                          : (root = tree.addRoot(key, label, image::ClosedFolder));
        tree.setBackColor(node, rgbColour(qRed(rowRgb(r)), qGreen(rowRgb(r)), qBlue(rowRgb(r))));
    }
    tree.setExpanded(root, true);
}

// Checks, on a picture of the page at `dpi` whose jacket corner is at
// `origin`, that every printed row shows at its place: the middle of its
// band, past the text of its label but inside its column, has its colour.
inline void verifyRowsAtTheirPlaces(const QImage& page, QPointF origin, int dpi, int lines,
                                    int columns, int rows)
{
    const double scale = PrintScale(TwipsPerCm, lines / 2);
    const double viewPixel = TwipsPerPixel * scale; // one view pixel on paper, in twips
    for (const Slice& s : PlanSlices({.rowsPerSlice = lines / 2,
                          .capacity = lines * columns,
                          .rowCount = rows,
                          .columnStepCm = ColumnStepCm(columns)})) {
        const double x =
            s.positionTwips.x() + qMin(160.0, 0.9 * s.clipTwips.width() / viewPixel) * viewPixel;
        for (int r = s.firstRow; r <= s.lastRow; ++r) {
            const double y = s.positionTwips.y() + (r - s.firstRow + 0.5) * RowHeightTwips * scale;
            const QPoint at = (origin + QPointF(x, y) * dpi / 1440.0).toPoint();
            const QRgb got = page.pixel(at), want = rowRgb(r);
            QVERIFY2(qAbs(qRed(got) - qRed(want)) <= 3 && qAbs(qGreen(got) - qGreen(want)) <= 3 &&
                         qAbs(qBlue(got) - qBlue(want)) <= 3,
                     qPrintable(QStringLiteral("row %1 at %2,%3").arg(r).arg(at.x()).arg(at.y())));
        }
    }
}

// The real main window, started, its dialogs scripted.
struct PrintWindow : MainWindowFixture
{
    PrintWindow()
    {
        window.setLanguageFilesLister([] {});
        window.Form_Load();
    }
    void click(const QString& name) { window.control<QAbstractButton>(name)->click(); }
    QPrinter& printer()
    {
        return window.findChild<JacketCommands*>(QStringLiteral("JacketCommands"))
            ->printer()
            .printer();
    }
};

} // namespace kvx::test
