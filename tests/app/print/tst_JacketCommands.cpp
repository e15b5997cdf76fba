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
    // Every combination of the options, clicked in both orders and again:
    // the capacity shown and the guide's left position in twips.
    void optionClicks_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("guide");
        const int guides[3][3] = {{1710, 2370, 3690}, {2400, 3290, 5070}, {2730, 3730, 5730}};
        for (int l = 0; l < 3; ++l)
            for (int c = 0; c < 3; ++c)
                QTest::addRow("opLines(%d) opColum(%d)", l, ColumnOptionIndexes[c])
                    << l << int(ColumnOptionIndexes[c]) << guides[l][c];
    }
    void optionClicks()
    {
        QFETCH(int, line);
        QFETCH(int, column);
        QFETCH(int, guide);
        const QString lines = frMain::arrayName("opLines", line);
        const QString columns = frMain::arrayName("opColum", column);
        for (const bool linesFirst : {true, false}) {
            Window w;
            w.click(linesFirst ? lines : columns);
            w.click(linesFirst ? columns : lines);
            w.click(lines);
            QCOMPARE(w.control<QLabel>("lblImprimable")->text(),
                     QString::number(LineOptionCounts[line] * 12 / column));
            verifyWindowAtRest(w, guide);
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
        QVERIFY(busy);
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(w.dialogs.callsOf("ShowSave").size(), size_t(1));
        const auto boxes = w.dialogs.callsOf("MsgBox");
        QCOMPARE(boxes.size(), size_t(rows > lines * 12 / column ? 2 : 1));
        QVERIFY(boxes.back().args[0].contains(file) && boxes.back().args[1] == "KVX" &&
                boxes.back().icon == MessageIcon::Information);
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

    // Folder pictures switch between the colour and the black-and-white
    // pairs for every folder, files keep theirs, and the view shows it.
    void folderPicturesFollowTheBox()
    {
        Window w;
        NodeTree& tree = w.window.tree();
        Node* root = tree.addRoot("/m/", "m", image::ClosedFolder);
        Node* folder = tree.addChild(root, "/m/f/", "f", image::ClosedFolder);
        Node* file = tree.addChild(root, QString(), "a.zip", "zip");
        tree.setExpanded(root, true);
        const TreeModel& model = w.window.treeModel();
        for (const bool bw : {true, false}) {
            w.click("chkImageNb");
            const int closed = bw ? image::ClosedFolderBw : image::ClosedFolder;
            const int open = bw ? image::OpenFolderBw : image::OpenFolder;
            for (const Node* node : {root, folder})
                QVERIFY(node->image() == ImageRef(closed) &&
                        node->expandedImage() == ImageRef(open));
            QCOMPARE(file->image(), ImageRef("zip"));
            const QIcon shown = model.data(model.indexOf(root), Qt::DecorationRole).value<QIcon>();
            QCOMPARE(shown.pixmap(16).toImage(), w.window.imageList().picture(open).toImage());
        }
    }
};

QTEST_MAIN(tst_JacketCommands)
#include "tst_JacketCommands.moc"
