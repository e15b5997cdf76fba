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
        const auto boxes = w.dialogs.callsOf("MsgBox");
        QCOMPARE(boxes.size(), size_t(box != MessageIcon::None));
        for (const auto& shown : boxes)
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

    // Folder pictures switch between the colour and the black-and-white
    // pairs for every folder, files keep theirs, and the view shows it.
    void folderPicturesFollowTheBox()
    {
        Window w;
        NodeTree& tree = w.window.tree();
        Node* root = tree.addRoot("/m/", "m", image::ClosedFolder);
        Node* file = tree.addChild(tree.addChild(root, "/m/f/", "f", image::ClosedFolder),
                                   QString(), "a.zip", "zip");
        tree.setExpanded(root, true);
        const TreeModel& model = w.window.treeModel();
        for (const auto& [closed, open] : {std::pair(image::ClosedFolderBw, image::OpenFolderBw),
                                           std::pair(image::ClosedFolder, image::OpenFolder)}) {
            w.click("chkImageNb");
            for (const Node* node : {root, file->parent()})
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
