#include "JacketTestTree.h"
#include "print/RowsOverflow.h"
#include "tree/ImageList.h"
#include "tree/NodeTreeView.h"
#include "tree/TreeModel.h"
#include "window/VLine.h"
#include "workspace/Workspace.h"

#include <QApplication>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLabel>
#include <QPrintPreviewDialog>
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
    // at its place in the 12 cm frame, the window as before afterwards. More
    // rows than the jacket holds show the count in red and ask first.
    void printsToPdf_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("mono");
        QTest::addColumn<bool>("cancel"); // the question about the rows left out
        QTest::addRow("50x3 60") << 2 << 4 << 60 << false << false;
        QTest::addRow("50x3 200") << 2 << 4 << 200 << false << false;
        QTest::addRow("50x3 150") << 2 << 4 << 150 << false << false;
        QTest::addRow("50x3 151 cancelled") << 2 << 4 << 151 << false << true;
        QTest::addRow("50x3 10") << 2 << 4 << 10 << false << false;
        QTest::addRow("30x2 45") << 0 << 6 << 45 << false << false;
        QTest::addRow("40x4 170") << 1 << 3 << 170 << false << false;
        QTest::addRow("monochrome") << 2 << 4 << 60 << true << false;
    }
    void printsToPdf()
    {
        if (!m_pdf)
            QSKIP("a system printer is installed here");
        QFETCH(int, line);
        QFETCH(int, column);
        QFETCH(int, rows);
        QFETCH(bool, mono);
        QFETCH(bool, cancel);
        const int lines = LineOptionCounts[line];
        const int capacity = lines * 12 / column;
        Window w;
        NodeTree& tree = w.window.tree();
        NodeTreeView& view = *w.window.TV();
        test::buildRows(tree, rows);
        w.window.workspace().RefreshElementCount();
        w.click(frMain::arrayName("opLines", line));
        w.click(frMain::arrayName("opColum", column));
        const QColor countColour =
            w.control<QLabel>("lblNbElements")->palette().color(QPalette::WindowText);
        QCOMPARE(countColour == QColor(OverflowRgb), rows > capacity);
        if (mono)
            w.click("chkNb");
        Node* chosen = tree.nodeAt(1)->childAt(rows / 2);
        tree.setSelectedItem(chosen);
        view.scrollTo(w.window.treeModel().indexOf(chosen), QAbstractItemView::PositionAtTop);
        const QModelIndex top = view.indexAt(QPoint(0, 0));
        QTemporaryDir dir;
        const QString file = dir.filePath("ma jaquette.pdf");
        w.dialogs.messageAnswers.push_back(cancel ? MessageResult::Cancel : MessageResult::Ok);
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
        auto boxes = w.dialogs.callsOf("MsgBox");
        if (rows > capacity) {
            QCOMPARE(boxes.at(0).args.at(0),
                     QString("L'arbre montre %1 lignes, la jaquette n'en contient que %2 : les %3 "
                             "dernières lignes ne seront pas imprimées.\nImprimer les %2 premières "
                             "lignes ?")
                         .arg(rows)
                         .arg(capacity)
                         .arg(rows - capacity));
            boxes.erase(boxes.begin());
        }
        QCOMPARE(QFile::exists(file), !cancel);
        if (cancel)
            return;
        QVERIFY(busy);
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(w.dialogs.callsOf("ShowSave").size(), size_t(1));
        QCOMPARE(boxes.size(), size_t(1));
        QVERIFY(boxes[0].args[0].contains(file) && boxes[0].args[1] == "KVX" &&
                boxes[0].icon == MessageIcon::Information);
        verifyWindowAtRest(w, *ColumnGuideLeft(lines, qint16(column)));
        QCOMPARE(view.indexAt(QPoint(0, 0)), top);
        QCOMPARE(tree.selectedItem(), chosen);

        // The rows up to the capacity as real text, the others not at all.
        const QString text = test::pdfText(file);
        const int printed = qMin(rows, capacity);
        QVERIFY(text.contains(test::rowText(1)) && text.contains(test::rowText(printed)));
        QVERIFY(!text.contains(test::rowText(printed + 1)));
        test::verifyJacket(file, w.printer(), lines, 12 / column, rows, mono);
    }

    // The preview paints the page the print prints: its page drawn at 144
    // dpi and the printed PDF read back at 144 dpi differ only where two
    // drawings of the same text would.
    void previewShowsThePrintedPage()
    {
        if (!m_pdf)
            QSKIP("a system printer is installed here");
        Window w;
        test::buildRows(w.window.tree(), 70);
        w.click("opColum(3)");
        QImage shown;
        // Once the preview shows its page: drawn, then closed.
        std::function<void()> look = [&] {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            QGraphicsScene* scene =
                preview ? preview->findChild<QGraphicsView*>()->scene() : nullptr;
            if (!scene || scene->items().isEmpty()) {
                QTimer::singleShot(20, &w.window, look);
                return;
            }
            const QPrinter& printer = *preview->printer();
            const QSizeF paper = printer.pageLayout().fullRectPixels(printer.resolution()).size();
            shown = QImage((paper * 144 / printer.resolution()).toSize(), QImage::Format_RGB32);
            shown.fill(Qt::white);
            QPainter painter(&shown);
            painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
            const QGraphicsItem* page = scene->items().constFirst();
            scene->render(&painter, shown.rect(), page->mapRectToScene(QRectF({}, paper)));
            preview->reject();
        };
        QTimer::singleShot(0, &w.window, look);
        w.click("cmdPreview");
        QTemporaryDir dir;
        const QString pdf = dir.filePath("j.pdf");
        w.dialogs.savePaths.push_back(pdf);
        w.click("cmdPrint");
        QProcess::execute("pdftoppm", {"-r", "144", "-png", "-singlefile", pdf, pdf});
        const QImage printed = QImage(pdf + ".png").convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), printed.size());
        // Compared in squares of 8 pixels (1.4 mm), which smooth out how two
        // painters draw the same glyph, picture or hairline: a row, a colour
        // or the frame out of place would differ by far more.
        const auto squares = [](const QImage& page) {
            return page.scaled(page.size() / 8, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        };
        const QImage a = squares(shown), b = squares(printed);
        int inked = 0;
        int worst = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) {
                const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
                inked += qGray(q) < 230;
                worst = qMax(worst, qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) +
                                        qAbs(qBlue(p) - qBlue(q)));
            }
        QVERIFY(inked > 2000);
        QVERIFY2(worst < 120, qPrintable(QString::number(worst)));
        verifyWindowAtRest(w, 2730);
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
