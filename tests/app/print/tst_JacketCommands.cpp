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

// With no printer installed, prints go to a PDF file the user names.
class tst_JacketCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(QPrinterInfo::availablePrinterNames().isEmpty(),
                 "a printer is in reach: run through ctest, which hides the machine's printers");
    }

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

    // The options clicked (lines or columns first), the capacity shown, the
    // guide's left position in twips; then printed to the file the user
    // names: every row at its place in the 12 cm frame, the window as before.
    void printsToPdf_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("columns");
        QTest::addColumn<bool>("linesFirst");
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("mono");
        QTest::addColumn<int>("guide");
        QTest::addRow("50x3 60, as started") << 50 << 3 << true << 60 << false << 3730;
        QTest::addRow("50x2 10") << 50 << 2 << true << 10 << false << 5730;
        QTest::addRow("30x2 45") << 30 << 2 << true << 45 << false << 3690;
        QTest::addRow("40x4 170, past the capacity") << 40 << 4 << false << 170 << false << 2400;
        QTest::addRow("40x3 60 monochrome") << 40 << 3 << false << 60 << true << 3290;
    }
    void printsToPdf()
    {
        QFETCH(int, lines);
        QFETCH(int, columns);
        QFETCH(bool, linesFirst);
        QFETCH(int, rows);
        QFETCH(bool, mono);
        QFETCH(int, guide);
        Window w;
        NodeTree& tree = w.window.tree();
        NodeTreeView& view = *w.window.TV();
        test::buildRows(tree, rows);
        const QString lineOption = frMain::arrayName("opLines", (lines - 30) / 10);
        const QString columnOption = frMain::arrayName("opColum", 12 / columns);
        w.click(linesFirst ? lineOption : columnOption);
        w.click(linesFirst ? columnOption : lineOption);
        if (mono)
            w.click("chkNb");
        QCOMPARE(w.control<QLabel>("lblImprimable")->text(),
                 QString::number(lines * columns));
        Node* chosen = tree.nodeAt(1)->childAt(rows / 2);
        tree.setSelectedItem(chosen);
        view.scrollTo(w.window.treeModel().indexOf(chosen), QAbstractItemView::PositionAtTop);
        const QModelIndex top = view.indexAt(QPoint(0, 0));
        QTemporaryDir dir;
        const QString file = dir.filePath("ma jaquette.pdf");
        w.dialogs.messageAnswers.push_back(MessageResult::Ok); // print the rows that fit
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
        QVERIFY(busy && !QApplication::overrideCursor());
        QCOMPARE(w.dialogs.callsOf("ShowSave").size(), size_t(1));
        const auto boxes = w.dialogs.callsOf("MsgBox");
        QCOMPARE(boxes.size(), size_t(rows > lines * columns ? 2 : 1));
        QVERIFY(boxes.back().args[0].contains(file) && boxes.back().args[1] == "KVX" &&
                boxes.back().icon == MessageIcon::Information);
        verifyWindowAtRest(w, guide);
        QCOMPARE(view.indexAt(QPoint(0, 0)), top);
        QCOMPARE(tree.selectedItem(), chosen);

        // The rows up to the capacity as real text, the others not at all.
        const QString text = test::pdfText(file);
        const int printed = qMin(rows, lines * columns);
        QVERIFY(text.contains(test::rowText(1)) && text.contains(test::rowText(printed)));
        QVERIFY(!text.contains(test::rowText(printed + 1)));
        test::verifyJacket(file, w.printer(), lines, columns, mono ? 0 : rows);
    }

    // Nothing to print, no file chosen, a file that cannot be written, the
    // tree cleared or the selected row deleted amid the print: the message
    // (a warning, the file written, none), the window as before; the next
    // print asks for its own file and works.
    void failuresLeaveTheWindowAsBefore_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("file");
        QTest::addColumn<MessageIcon>("box");
        QTest::addColumn<QString>("amid"); // what the user does while the print runs
        const MessageIcon warning = MessageIcon::Exclamation, written = MessageIcon::Information;
        QTest::addRow("empty tree") << 0 << "" << warning << "";
        QTest::addRow("no file chosen") << 5 << "" << MessageIcon::None << "";
        QTest::addRow("unwritable") << 70 << "/nonexistent-folder/j.pdf" << warning << "";
        QTest::addRow("tree cleared") << 120 << "j.pdf" << written << "clear";
        QTest::addRow("selected row deleted") << 120 << "j.pdf" << written << "delete";
    }
    void failuresLeaveTheWindowAsBefore()
    {
        QFETCH(int, rows);
        QFETCH(QString, file);
        QFETCH(MessageIcon, box);
        QFETCH(QString, amid);
        Window w;
        NodeTree& tree = w.window.tree();
        if (rows)
            test::buildRows(tree, rows);
        tree.setSelectedItem(tree.nodeAt(3));
        QTemporaryDir dir;
        if (!file.isEmpty())
            file = QDir(dir.path()).filePath(file);
        w.dialogs.savePaths.push_back(file);
        QTimer::singleShot(0, &w.window, [&] {
            QVERIFY(QApplication::overrideCursor()); // amid a print
            if (amid == "clear")
                tree.clear();
            else if (amid == "delete")
                QVERIFY(tree.remove(tree.nodeAt(3)));
        });
        w.click("cmdPrint");
        QCOMPARE(w.dialogs.callsOf("ShowSave").size(), size_t(rows ? 1 : 0));
        const auto boxes = w.dialogs.callsOf("MsgBox");
        QCOMPARE(boxes.size(), size_t(box != MessageIcon::None));
        for (const auto& shown : boxes)
            QVERIFY(shown.args[0].contains(file) && shown.args[1] == "KVX" && shown.icon == box);
        verifyWindowAtRest(w);
        QCOMPARE(tree.selectedItem() != nullptr, amid.isEmpty() && rows);

        tree.clear();
        test::buildRows(tree, 3);
        w.dialogs.savePaths = {dir.filePath("next.pdf")};
        w.click("cmdPrint");
        QVERIFY(QFile::exists(dir.filePath("next.pdf")));
    }
};

QTEST_MAIN(tst_JacketCommands)
#include "tst_JacketCommands.moc"
