#include "JacketTestTree.h"
#include "tree/ImageList.h"
#include "tree/NodeTreeView.h"
#include "tree/TreeModel.h"
#include "window/VLine.h"

#include <QApplication>
#include <QLabel>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTimer>

using namespace kvx;
using Window = test::PrintWindow;

namespace {

// The window as it shows outside printing, its guide `left` twips into the view.
void verifyWindowAtRest(Window& w, int left = 3730)
{
    QCOMPARE(w.window.TV()->height(), TwipsToPixels(ViewSideTwips));
    QVERIFY(w.window.vLine()->isVisible());
    QCOMPARE(w.window.vLine()->geometry(),
             QRect(TwipsToVisiblePixels(left), 0, TwipsToVisiblePixels(3),
                   w.control<QWidget>("picTv")->height()));
}

} // namespace

class tst_JacketCommands : public QObject
{
    Q_OBJECT

    // Prints go to a file the user names only when no printer is installed.
    bool m_pdf = QPrinterInfo::availablePrinters().isEmpty();

private Q_SLOTS:
    // Real clicks in one window through every combination of the options,
    // each option clicked again while selected: after every click exactly the
    // options last clicked are checked, one of each set, with their capacity
    // and the guide's left position in twips.
    void optionClicks()
    {
        const int guides[3][3] = {{1710, 2370, 3690}, {2400, 3290, 5070}, {2730, 3730, 5730}};
        const int capacities[3][3] = {{120, 90, 60}, {160, 120, 80}, {200, 150, 100}};
        Window w;
        QList<QAbstractButton*> lines, columns;
        for (const int index : {0, 1, 2})
            lines << w.control<QAbstractButton>(frMain::arrayName("opLines", index));
        for (const int index : ColumnOptionIndexes)
            columns << w.control<QAbstractButton>(frMain::arrayName("opColum", index));
        int line = 2, column = 1;
        const auto click = [&](QAbstractButton* option) {
            QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
            (lines.contains(option) ? line : column) =
                int((lines.contains(option) ? lines : columns).indexOf(option));
            for (const auto& set : {lines, columns})
                QCOMPARE(std::count_if(set.begin(), set.end(),
                                       [](const QAbstractButton* b) { return b->isChecked(); }),
                         1);
            QVERIFY(lines[line]->isChecked() && columns[column]->isChecked());
            QCOMPARE(w.control<QLabel>("lblImprimable")->text(),
                     QString::number(capacities[line][column]));
            verifyWindowAtRest(w, guides[line][column]);
        };
        for (int l : {0, 1, 2, 2}) {
            for (int c : {2, 2, 0, 1}) {
                click(columns[c]);
                click(lines[l]);
                if (QTest::currentTestFailed())
                    return;
            }
        }
    }

    // Printed through the window to the PDF file the user names: every row
    // at its place in the 12 cm frame, the window as before afterwards.
    void printsToPdf_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("mono");
        QTest::addRow("50x3 60") << 2 << 4 << 60 << false;
        QTest::addRow("50x3 200") << 2 << 4 << 200 << false;
        QTest::addRow("50x3 10") << 2 << 4 << 10 << false;
        QTest::addRow("30x2 45") << 0 << 6 << 45 << false;
        QTest::addRow("40x4 170") << 1 << 3 << 170 << false;
        QTest::addRow("monochrome") << 2 << 4 << 60 << true;
    }
    void printsToPdf()
    {
        if (!m_pdf)
            QSKIP("a system printer is installed here");
        QFETCH(int, line);
        QFETCH(int, column);
        QFETCH(int, rows);
        QFETCH(bool, mono);
        const int lines = LineOptionCounts[line];
        Window w;
        NodeTree& tree = w.window.tree();
        NodeTreeView& view = *w.window.TV();
        test::buildRows(tree, rows);
        w.click(frMain::arrayName("opLines", line));
        w.click(frMain::arrayName("opColum", column));
        if (mono)
            w.click("chkNb");
        Node* chosen = tree.nodeAt(1)->childAt(rows / 2);
        tree.setSelectedItem(chosen);
        view.scrollTo(w.window.treeModel().indexOf(chosen), QAbstractItemView::PositionAtTop);
        const QModelIndex top = view.indexAt(QPoint(0, 0));
        QTemporaryDir dir;
        const QString file = dir.filePath("ma jaquette.pdf");
        w.dialogs.savePaths.push_back(file);
        // Amid the print: busy pointer, guide and selection hidden; a second
        // print is refused (it would ask for a file again).
        bool busy = false;
        QTimer::singleShot(0, &w.window, [&] {
            const QCursor* cursor = QApplication::overrideCursor();
            busy = cursor && cursor->shape() == Qt::WaitCursor && !w.window.vLine()->isVisible() &&
                   !tree.selectedItem();
            w.click("cmdPrint");
        });
        w.click("cmdPrint");
        QVERIFY(busy);
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(w.dialogs.callsOf("ShowSave").size(), size_t(1));
        const auto boxes = w.dialogs.callsOf("MsgBox");
        QCOMPARE(boxes.size(), size_t(1));
        QVERIFY(boxes[0].args[0].contains(file) && boxes[0].args[1] == "KVX" &&
                boxes[0].icon == MessageIcon::Information);
        verifyWindowAtRest(w, *ColumnGuideLeft(lines, qint16(column)));
        QCOMPARE(view.indexAt(QPoint(0, 0)), top);
        QCOMPARE(tree.selectedItem(), chosen);

        // The rows up to the capacity as real text, the others not at all.
        const QString text = test::pdfText(file);
        const int printed = qMin(rows, lines * 12 / column);
        QVERIFY(text.contains(test::rowText(1)) && text.contains(test::rowText(printed)));
        QVERIFY(!text.contains(test::rowText(printed + 1)));
        test::verifyJacket(file, w.printer(), lines, 12 / column, rows, mono);
    }

    // Nothing to print, no file chosen, a file that cannot be written: a
    // message titled "KVX" or none, the window as before, the next print works.
    void failuresLeaveTheWindowAsBefore_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("file");
        QTest::addRow("empty tree") << 0 << QString();
        QTest::addRow("no file chosen") << 5 << QString();
        QTest::addRow("unwritable") << 70 << QStringLiteral("/nonexistent-folder/j.pdf");
    }
    void failuresLeaveTheWindowAsBefore()
    {
        if (!m_pdf)
            QSKIP("a system printer is installed here");
        QFETCH(int, rows);
        QFETCH(QString, file);
        Window w;
        if (rows) {
            test::buildRows(w.window.tree(), rows);
            w.dialogs.savePaths.push_back(file);
        }
        w.click("cmdPrint");
        QCOMPARE(w.dialogs.callsOf("ShowSave").size(), size_t(rows ? 1 : 0));
        const auto boxes = w.dialogs.callsOf("MsgBox");
        QCOMPARE(boxes.size(), size_t(!rows || !file.isEmpty()));
        for (const auto& box : boxes)
            QVERIFY(box.args[0].contains(file) && box.args[1] == "KVX" &&
                    box.icon == MessageIcon::Exclamation);
        verifyWindowAtRest(w);

        QTemporaryDir dir;
        if (!rows)
            test::buildRows(w.window.tree(), 3);
        w.dialogs.savePaths.push_back(dir.filePath("j.pdf"));
        w.click("cmdPrint");
        QVERIFY(QFile::exists(dir.filePath("j.pdf")));
    }
};

QTEST_MAIN(tst_JacketCommands)
#include "tst_JacketCommands.moc"
