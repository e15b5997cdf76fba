#include "JacketTestTree.h"
#include "print/SlicePlan.h"
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
            QCOMPARE(w.window.vLine()->geometry(),
                     QRect(TwipsToVisiblePixels(guides[line][column]), 0, TwipsToVisiblePixels(3),
                           w.control<QWidget>("picTv")->height()));
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

    // The options clicked, then a print to the file the user names, and what
    // the user does amid it. A print: every row up to the capacity at its
    // place in the 12 cm frame and as text, the others not at all. Nothing to
    // print, no file chosen, a file that cannot be written, the tree cleared
    // or the selected row deleted amid the print: the message (a warning, the
    // file written, none) and the next print asks for its own file and works.
    // Either way the window as before: guide (its left in twips), scroll
    // position and selection.
    void prints_data()
    {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("amid");
        QTest::addColumn<MessageIcon>("box");
        QTest::addColumn<int>("guide");
        const MessageIcon warning = MessageIcon::Exclamation, written = MessageIcon::Information;
        const auto row = [](const char* name, const char* clicks, int lines, int columns, int rows,
                            const char* file, const char* amid, MessageIcon box, int guide = 3730) {
            QTest::newRow(name) << QString(clicks) << lines << columns << rows << QString(file)
                                << QString(amid) << box << guide;
        };
        row("50x3 60, as started", "", 50, 3, 60, "ma jaquette.pdf", "", written);
        row("50x2 10", "opColum(6)", 50, 2, 10, "j.pdf", "", written, 5730);
        row("30x2 45", "opLines(0) opColum(6)", 30, 2, 45, "j.pdf", "", written, 3690);
        row("40x4 170, past the capacity", "opColum(3) opLines(1)", 40, 4, 170, "j.pdf", "",
            written, 2400);
        row("40x3 60 monochrome", "opLines(1) chkNb", 40, 3, 60, "j.pdf", "", written, 3290);
        row("empty tree", "", 50, 3, 0, "", "", warning);
        row("no file chosen", "", 50, 3, 5, "", "", MessageIcon::None);
        row("unwritable", "", 50, 3, 70, "/nonexistent-folder/j.pdf", "", warning);
        row("tree cleared", "", 50, 3, 120, "j.pdf", "clear", written);
        row("selected row deleted", "", 50, 3, 120, "j.pdf", "delete", written);
    }
    void prints()
    {
        QFETCH(QString, clicks);
        QFETCH(int, lines);
        QFETCH(int, columns);
        QFETCH(int, rows);
        QFETCH(QString, file);
        QFETCH(QString, amid);
        QFETCH(MessageIcon, box);
        QFETCH(int, guide);
        Window w;
        NodeTree& tree = w.window.tree();
        NodeTreeView& view = *w.window.TV();
        test::buildRows(tree, rows);
        for (const QString& name : clicks.split(' ', Qt::SkipEmptyParts))
            w.click(name);
        QCOMPARE(w.control<QLabel>("lblImprimable")->text(), QString::number(lines * columns));
        Node* chosen = tree.nodeAt(rows / 2 + 1);
        tree.setSelectedItem(chosen);
        if (chosen)
            view.scrollTo(w.window.treeModel().indexOf(chosen), QAbstractItemView::PositionAtTop);
        const QModelIndex top = view.indexAt(QPoint(0, 0));
        QTemporaryDir dir;
        if (!file.isEmpty())
            file = QDir(dir.path()).filePath(file);
        w.dialogs.savePaths.push_back(file);
        const bool overflow = rows > lines * columns;
        if (overflow)
            w.dialogs.messageAnswers.push_back(MessageResult::Ok); // print the rows that fit
        // Amid the print: busy pointer, guide and selection hidden; a second
        // print is refused (it would ask for a file again).
        bool busy = false;
        QTimer::singleShot(0, &w.window, [&] {
            const QCursor* cursor = QApplication::overrideCursor();
            busy = cursor && cursor->shape() == Qt::WaitCursor && !w.window.vLine()->isVisible() &&
                   !tree.selectedItem();
            if (amid == "clear")
                tree.clear();
            else if (amid == "delete")
                QVERIFY(tree.remove(chosen));
            else
                w.click("cmdPrint");
        });
        w.click("cmdPrint");
        QCOMPARE(busy, rows && !file.isEmpty());
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(w.dialogs.callsOf("ShowSave").size(), size_t(rows ? 1 : 0));
        auto boxes = w.dialogs.callsOf("MsgBox");
        QCOMPARE(boxes.size(), size_t(box != MessageIcon::None) + overflow);
        if (overflow) // first the question, naming the rows left out
            QVERIFY(boxes.front().args[0].contains(QString::number(rows - lines * columns)));
        for (const auto& shown : std::vector(boxes.begin() + overflow, boxes.end()))
            QVERIFY(shown.args[0].contains(file) && shown.args[1] == "KVX" && shown.icon == box);
        QCOMPARE(w.window.TV()->height(), TwipsToPixels(ViewSideTwips));
        QVERIFY(w.window.vLine()->isVisible());
        QCOMPARE(w.window.vLine()->geometry(),
                 QRect(TwipsToVisiblePixels(guide), 0, TwipsToVisiblePixels(3),
                       w.control<QWidget>("picTv")->height()));
        QCOMPARE(tree.selectedItem(), amid.isEmpty() ? chosen : nullptr);

        if (box == MessageIcon::Information && amid.isEmpty()) {
            QCOMPARE(view.indexAt(QPoint(0, 0)), top);
            const QString text = test::output("pdftotext", {file, "-"});
            const int printed = qMin(rows, lines * columns);
            QVERIFY(text.contains(test::rowText(1)) && text.contains(test::rowText(printed)));
            QVERIFY(!text.contains(test::rowText(printed + 1)));
            test::verifyJacket(file, w.printer(), lines, columns,
                               clicks.contains("chkNb") ? 0 : rows);
        } else {
            tree.clear();
            test::buildRows(tree, 3);
            w.dialogs.savePaths = {dir.filePath("next.pdf")};
            w.click("cmdPrint");
            QVERIFY(QFile::exists(dir.filePath("next.pdf")));
        }
    }
};

QTEST_MAIN(tst_JacketCommands)
#include "tst_JacketCommands.moc"
