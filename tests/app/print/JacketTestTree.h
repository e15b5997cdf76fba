#pragma once

// For the printing tests: known rows, each with its own background colour so
// that a picture of the jacket tells which row landed where; the window that
// prints them; and a printed page checked.

#include "app/MainWindowFixture.h"
#include "print/JacketCommands.h"
#include "tree/NodeTree.h"

#include <QAbstractButton>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTest>

namespace kvx::test {

inline QRgb rowRgb(int row)
{
    return qRgb(40 + row * 53 % 200, 40 + row * 97 % 200, 40 + row * 29 % 200);
}

inline QString rowText(int row)
{
    return QStringLiteral("Ligne%1").arg(row, 3, 10, QLatin1Char('0'));
}

// A root and rows - 1 children, all shown. Trailing blanks make each label,
// which alone carries the node's background, reach well into its column.
inline void buildRows(NodeTree& tree, int rows)
{
    Node* root = nullptr;
    for (int r = 1; r <= rows; ++r) {
        const QString key = QStringLiteral("/r/%1/").arg(r), label = rowText(r) + QString(40, u' ');
        Node* node = root ? tree.addChild(root, key, label, image::ClosedFolder)
                          : (root = tree.addRoot(key, label, image::ClosedFolder));
        tree.setBackColor(node, rgbColour(qRed(rowRgb(r)), qGreen(rowRgb(r)), qBlue(rowRgb(r))));
    }
    if (root)
        tree.setExpanded(root, true);
}

// The real main window, started, its dialogs scripted.
struct PrintWindow : MainWindowFixture
{
    PrintWindow() { window.Form_Load(); }
    void click(const QString& name)
    {
        auto* control = this->control<QAbstractButton>(name);
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(6, control->height() / 2));
    }
    QPrinter& printer() { return window.jacketCommands().printer().printer(); }
};

// What a program writes on its standard output.
inline QString output(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(program, arguments);
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Page 1 of a PDF as the paper shows it.
inline QImage pdfPage(const QString& pdf, int dpi = 144)
{
    QProcess::execute("pdftoppm", {"-r", QString::number(dpi), "-png", "-singlefile", pdf, pdf});
    return QImage(pdf + ".png").convertToFormat(QImage::Format_RGB32);
}

// A page at `dpi` on `paper`: the 12 cm frame at the top-left of its
// printable area, nothing outside it, and the rows up to the capacity at
// their places: row r on line (r - 1) % lines of column (r - 1) / lines. The
// middle of a row's band, past the text of its label but inside its column,
// has the row's colour (its grey without colour). With no row to find, the
// page has no colour at all.
inline void verifyJacket(QImage page, const QPageLayout& paper, int lines, int columns, int rows,
                         bool colour = true, double dpi = 144)
{
    const double side = 12 / 2.54 * dpi;
    QVERIFY(!page.isNull());
    const QPointF origin = paper.paintRect(QPageLayout::Inch).topLeft() * dpi;
    const double line = side / lines, column = side / columns;
    const auto off = [](QRgb a, QRgb b) {
        return qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b));
    };
    for (int r = 1; r <= qMin(rows, lines * columns); ++r) {
        const QPointF at((r - 1) / lines * column + qMin(10 * line, 0.9 * column),
                         ((r - 1) % lines + 0.5) * line);
        const QRgb expected =
            colour ? rowRgb(r) : qRgb(qGray(rowRgb(r)), qGray(rowRgb(r)), qGray(rowRgb(r)));
        QVERIFY2(off(page.pixel((origin + at).toPoint()), expected) <= 9, qPrintable(rowText(r)));
    }
    QVERIFY(colour || page.allGray());
    for (const QPointF on : {QPointF(side / 2, 0), QPointF(0, side / 2), QPointF(side, side / 3),
                             QPointF(side / 3, side)}) {
        const QPoint at = (origin + on).toPoint();
        int darkest = 255;
        for (const QPoint near : {at, at + QPoint(1, 1), at - QPoint(1, 1)})
            darkest = qMin(darkest, qGray(page.pixel(near)));
        QVERIFY(darkest < 160);
    }
    QPainter(&page).fillRect(QRectF(origin, QSizeF(side, side)).adjusted(-2, -2, 3, 3), Qt::white);
    QImage blank(page.size(), page.format());
    blank.fill(Qt::white);
    QVERIFY(page == blank);
}

} // namespace kvx::test
