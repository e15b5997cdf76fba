#include "JacketTestTree.h"
#include "PdfPages.h"
#include "app/ScriptedDialogs.h"
#include "app/VLine.h"
#include "app/frMain.h"
#include "print/JacketCommands.h"
#include "print/JacketRenderer.h"
#include "print/PrintViewMode.h"
#include "tree/NodeTreeView.h"
#include "tree/TreeModel.h"
#include "util/Twips.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace kvx;
using kvx::test::ScriptedDialogs;

namespace {

// The real main window, started, with scripted dialogs.
struct Window
{
    ScriptedDialogs dialogs;
    frMain window;

    Window()
    {
        window.setProgramDir(QStringLiteral(KVX_TEST_PROGRAM_DIR));
        window.setDialogService(&dialogs);
        window.setLanguageFilesLister([] {});
        window.Form_Load();
    }

    NodeTree& tree() { return window.tree(); }
    NodeTreeView& view() { return *window.TV(); }
    QAbstractButton* button(const QString& name) { return window.control<QAbstractButton>(name); }
    void click(const QString& name) { button(name)->click(); }
    QString capacity() { return window.control<QLabel>(QStringLiteral("lblImprimable"))->text(); }
    QPrinter& printer()
    {
        return window.findChild<JacketCommands*>(QStringLiteral("JacketCommands"))
            ->printer()
            .printer();
    }
    // The guide as the window places it for a left position in twips.
    QRect guideAt(int leftTwips)
    {
        return {TwipsToVisiblePixels(leftTwips), 0, TwipsToVisiblePixels(3),
                window.control<QWidget>(QStringLiteral("picTv"))->height()};
    }
    // Builds the tree of a real folder through the start command.
    void buildFrom(const QString& folder)
    {
        dialogs.folders.push_back(folder);
        window.cmdStartPoint_Click();
    }
};

bool coloured(QRgb c)
{
    return qAbs(qRed(c) - qGreen(c)) > 12 || qAbs(qGreen(c) - qBlue(c)) > 12 ||
           qAbs(qRed(c) - qBlue(c)) > 12;
}

} // namespace

class tst_JacketCommands : public QObject
{
    Q_OBJECT

    bool m_poppler = false;

private Q_SLOTS:
    void initTestCase()
    {
        m_poppler = !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty() &&
                    !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
    }

    // Every combination of the options, chosen in both orders: the capacity,
    // the guide and the layout state.
    void optionsSetCapacityAndGuide_data()
    {
        QTest::addColumn<int>("lineOption");
        QTest::addColumn<int>("columnOption");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("guideLeft");
        const int lineCounts[] = {30, 40, 50};
        const int guides[3][3] = {{1710, 2370, 3690}, {2400, 3290, 5070}, {2730, 3730, 5730}};
        const int columnOptions[] = {3, 4, 6};
        for (int l = 0; l < 3; ++l)
            for (int c = 0; c < 3; ++c)
                QTest::addRow("%d lines, %d columns", lineCounts[l], 12 / columnOptions[c])
                    << l << columnOptions[c] << lineCounts[l] << 12 / columnOptions[c]
                    << guides[l][c];
    }
    void optionsSetCapacityAndGuide()
    {
        QFETCH(int, lineOption);
        QFETCH(int, columnOption);
        QFETCH(int, lines);
        QFETCH(int, columns);
        QFETCH(int, guideLeft);
        const QString lineName = frMain::arrayName("opLines", lineOption);
        const QString columnName = frMain::arrayName("opColum", columnOption);

        for (const bool linesFirst : {true, false}) {
            Window w;
            QCOMPARE(w.capacity(), QStringLiteral("150"));
            QCOMPARE(w.window.vLine()->geometry(), w.guideAt(3730));
            w.click(linesFirst ? lineName : columnName);
            w.click(linesFirst ? columnName : lineName);
            // Choosing the chosen option again recomputes the same.
            w.click(lineName);
            w.click(columnName);
            QCOMPARE(w.capacity(), QString::number(lines * columns));
            QCOMPARE(w.window.vLine()->geometry(), w.guideAt(guideLeft));
            QVERIFY(w.window.vLine()->isVisible());
            QCOMPARE(w.window.jacket.LinesPerColumn, lines);
            QCOMPARE(w.window.jacket.ColumnCount, columns);
            QCOMPARE(int(w.window.jacket.ColumnOptionIndex), columnOption);
        }
    }

    // A real folder tree, styled, printed to the PDF file the user names.
    void printsTheStyledTreeToPdf()
    {
        if (!m_poppler)
            QSKIP("poppler-utils is not installed");
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("a system printer is installed here: the print would go there");
        QTemporaryDir disc;
        QStringList names;
        for (int i = 1; i <= 50; ++i)
            names << QStringLiteral("Dossier %1 l'été & «co»").arg(i, 2, 10, QLatin1Char('0'));
        for (const QString& name : names)
            QVERIFY(QDir(disc.path()).mkpath(name + QStringLiteral("/sous")));
        Window w;
        w.buildFrom(disc.path());
        QCOMPARE(w.tree().count(), 1 + 50 + 50);
        NodeTree& tree = w.tree();
        tree.setBold(tree.nodeAt(1), true);
        Node* red = tree.nodeAt(1)->childAt(1); // row 3
        tree.setBackColor(red, rgbColour(255, 0, 0));
        tree.setForeColor(tree.nodeAt(1)->childAt(2), rgbColour(0, 0, 255));
        Node* chosen = tree.nodeAt(1)->childAt(4);
        tree.setSelectedItem(chosen);
        w.click(QStringLiteral("opLines(1)"));
        w.click(QStringLiteral("opColum(6)")); // 40 lines, 2 columns: 80 rows
        const QFrame::Shape frame = w.view().frameShape();
        // Scrolled down, the selection above the shown rows.
        w.view().scrollTo(w.window.treeModel().indexOf(tree.nodeAt(1)->childAt(20)),
                          QAbstractItemView::PositionAtTop);
        const QModelIndex top = w.view().indexAt(QPoint(0, 0));
        QCOMPARE(w.window.treeModel().nodeOf(top), tree.nodeAt(1)->childAt(20));

        const QString file = disc.filePath(QStringLiteral("ma jaquette.pdf"));
        w.dialogs.savePaths.push_back(file);
        // In the middle of the print: busy pointer, guide hidden, a second
        // print refused.
        bool checked = false;
        QTimer::singleShot(0, &w.window, [&] {
            checked = true;
            QVERIFY(QApplication::overrideCursor());
            QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
            QVERIFY(!w.window.vLine()->isVisible());
            QVERIFY(!tree.selectedItem());
            w.click(QStringLiteral("cmdPrint"));
        });
        w.click(QStringLiteral("cmdPrint"));
        QVERIFY(checked);
        QVERIFY(!QApplication::overrideCursor());

        QCOMPARE(w.dialogs.callsOf(QStringLiteral("ShowSave")).size(), size_t(1));
        QCOMPARE(w.dialogs.callsOf(QStringLiteral("ShowSave")).at(0).args.at(0),
                 QStringLiteral("Document PDF (*.pdf)|*.pdf"));
        const auto boxes = w.dialogs.callsOf(QStringLiteral("MsgBox"));
        QCOMPARE(boxes.size(), size_t(1));
        QCOMPARE(boxes[0].args.at(1), QStringLiteral("KVX"));
        QCOMPARE(boxes[0].icon, MessageIcon::Information);
        QVERIFY(boxes[0].args.at(0).contains(file));

        // The window is as before.
        QCOMPARE(w.view().height(), TwipsToPixels(6000));
        QCOMPARE(w.view().frameShape(), frame);
        QVERIFY(w.window.vLine()->isVisible());
        QCOMPARE(w.window.vLine()->geometry(), w.guideAt(5070));
        QCOMPARE(tree.selectedItem(), chosen);
        QCOMPARE(w.view().indexAt(QPoint(0, 0)), top);

        // Rows 1 to 80 as text: the root, then the folders, one level open.
        const QString text = test::pdfText(file);
        QVERIFY(text.contains(QFileInfo(disc.path()).fileName()));
        QVERIFY(text.contains(names.at(0)));
        QVERIFY(text.contains(names.at(49)));

        const int dpi = 144;
        const QImage page = test::pdfPage(file, dpi);
        QVERIFY(!page.isNull());
        const QPointF origin =
            w.printer().pageLayout().paintRect(QPageLayout::Inch).topLeft() * dpi;
        const double side = 12 / 2.54 * dpi;
        test::verifyFrameAndNothingOutside(page, origin, dpi);
        // Row 3's red background, in the third row band of slice 1.
        const double row = RowHeightTwips * PrintScale(TwipsPerCm, 20) * dpi / 1440.0;
        const auto redIn = [&](double band) {
            for (int x = int(origin.x()); x < int(origin.x() + side / 2); ++x) {
                const QRgb c = page.pixel(x, int(origin.y() + band * row));
                if (qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60)
                    return true;
            }
            return false;
        };
        QVERIFY(redIn(2.5));
        // And not in row 2's band: the rows are where they belong.
        QVERIFY(!redIn(1.5));
    }

    void monochromePrintHasNoColour()
    {
        if (!m_poppler)
            QSKIP("poppler-utils is not installed");
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("a system printer is installed here");
        QTemporaryDir dir;
        Window w;
        test::buildRows(w.tree(), 12);
        w.click(QStringLiteral("chkNb"));
        QVERIFY(!w.button(QStringLiteral("chkNb"))->isChecked());
        const QString file = dir.filePath(QStringLiteral("nb.pdf"));
        w.dialogs.savePaths.push_back(file);
        w.click(QStringLiteral("cmdPrint"));
        const QImage page = test::pdfPage(file, 72);
        QVERIFY(!page.isNull());
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                QVERIFY(!coloured(page.pixel(x, y)));
    }

    void emptyTreeTellsAndPrintsNothing()
    {
        Window w;
        w.click(QStringLiteral("cmdPrint"));
        QVERIFY(w.dialogs.callsOf(QStringLiteral("ShowSave")).empty());
        const auto boxes = w.dialogs.callsOf(QStringLiteral("MsgBox"));
        QCOMPARE(boxes.size(), size_t(1));
        QCOMPARE(boxes[0].args.at(1), QStringLiteral("KVX"));
        QCOMPARE(boxes[0].icon, MessageIcon::Exclamation);
        QVERIFY(w.window.vLine()->isVisible());
        QCOMPARE(w.view().height(), TwipsToPixels(6000));
    }

    void noFileChosenPrintsNothing()
    {
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("a system printer is installed here");
        Window w;
        test::buildRows(w.tree(), 5);
        w.click(QStringLiteral("cmdPrint")); // the save dialog is cancelled
        QCOMPARE(w.dialogs.callsOf(QStringLiteral("ShowSave")).size(), size_t(1));
        QVERIFY(w.dialogs.callsOf(QStringLiteral("MsgBox")).empty());
        QVERIFY(w.window.vLine()->isVisible());
    }

    void failedPrintTellsAndRestoresTheView()
    {
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("a system printer is installed here");
        Window w;
        test::buildRows(w.tree(), 70);
        w.click(QStringLiteral("opLines(0)"));
        const QString file = QStringLiteral("/nonexistent-folder/kvx/j.pdf");
        w.dialogs.savePaths.push_back(file);
        w.click(QStringLiteral("cmdPrint"));
        const auto boxes = w.dialogs.callsOf(QStringLiteral("MsgBox"));
        QCOMPARE(boxes.size(), size_t(1));
        QCOMPARE(boxes[0].args.at(1), QStringLiteral("KVX"));
        QCOMPARE(boxes[0].icon, MessageIcon::Exclamation);
        QVERIFY(boxes[0].args.at(0).contains(file));
        QVERIFY(!QFile::exists(file));
        QCOMPARE(w.view().height(), TwipsToPixels(6000));
        QVERIFY(w.window.vLine()->isVisible());
        QCOMPARE(w.window.vLine()->geometry(), w.guideAt(2370));
        // The next print asks again and works.
        QTemporaryDir dir;
        w.dialogs.savePaths.push_back(dir.filePath(QStringLiteral("j.pdf")));
        w.click(QStringLiteral("cmdPrint"));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("j.pdf"))));
    }

    // Folder pictures switch between the colour and the black-and-white
    // pairs; file nodes keep theirs, and the view shows the new pictures.
    void folderPicturesFollowTheBox()
    {
        Window w;
        NodeTree& tree = w.tree();
        Node* root = tree.addRoot(QStringLiteral("/m/"), QStringLiteral("m"), image::ClosedFolder);
        Node* folder =
            tree.addChild(root, QStringLiteral("/m/f/"), QStringLiteral("f"), image::ClosedFolder);
        Node* file = tree.addChild(root, QString(), QStringLiteral("a.zip"), "zip");
        tree.setExpandedImage(root, image::OpenFolder);
        tree.setExpanded(root, true);
        const auto shown = [&w](const Node* node) {
            return w.window.treeModel()
                .data(w.window.treeModel().indexOf(node), Qt::DecorationRole)
                .value<QIcon>()
                .pixmap(16, 16)
                .toImage();
        };
        const auto picture = [&w](int n) { return w.window.imageList().picture(n).toImage(); };

        w.click(QStringLiteral("chkImageNb"));
        for (const Node* node : {root, folder}) {
            QCOMPARE(node->image(), ImageRef(image::ClosedFolderBw));
            QCOMPARE(node->expandedImage(), ImageRef(image::OpenFolderBw));
        }
        QCOMPARE(file->image(), ImageRef("zip"));
        QVERIFY(!file->isFolder());
        QCOMPARE(shown(root), picture(image::OpenFolderBw));
        QCOMPARE(shown(folder), picture(image::ClosedFolderBw));

        w.click(QStringLiteral("chkImageNb"));
        QCOMPARE(root->image(), ImageRef(image::ClosedFolder));
        QCOMPARE(root->expandedImage(), ImageRef(image::OpenFolder));
        QCOMPARE(shown(root), picture(image::OpenFolder));
        QCOMPARE(file->image(), ImageRef("zip"));
    }

    // The command line prints from a view without the window: it must draw
    // the rows exactly as the window's tree view does.
    void viewWithoutTheWindowDrawsAsTheWindow()
    {
        Window w;
        ImageList pictures;
        NodeTree alone;
        alone.setImageList(&pictures.registry());
        JacketView shown(alone, pictures);
        for (NodeTree* tree : {&w.tree(), &alone}) {
            test::buildRows(*tree, 30);
            tree->setBold(tree->nodeAt(2), true);
            tree->setForeColor(tree->nodeAt(3), rgbColour(0, 0, 255));
            // As the window's folder scan shows an opened folder.
            tree->setImage(tree->nodeAt(1), image::OpenFolder);
        }
        const QSize slice(382, 400);
        QImage inWindow, withoutWindow;
        {
            PrintViewMode mode(w.tree(), w.view(), w.window.vLine());
            inWindow = CaptureWindowArea(w.view(), slice).convertToFormat(QImage::Format_RGB32);
        }
        {
            PrintViewMode mode(alone, shown.view(), nullptr);
            withoutWindow =
                CaptureWindowArea(shown.view(), slice).convertToFormat(QImage::Format_RGB32);
        }
        QCOMPARE(inWindow.size(), withoutWindow.size());
        QVERIFY(inWindow == withoutWindow);
    }

    // With no usable printer the properties button shows nothing and
    // changes nothing.
    void propertiesWithoutPrinterDoNothing()
    {
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("a system printer is installed here: see the print-system test");
        Window w;
        const QString name = w.printer().printerName();
        const auto format = w.printer().outputFormat();
        QWidget* seen = nullptr;
        QTimer::singleShot(0, &w.window, [&seen] {
            seen = QApplication::activeModalWidget();
            if (seen)
                seen->close();
        });
        w.click(QStringLiteral("cmpProp"));
        QTest::qWait(50);
        QVERIFY(!seen);
        QCOMPARE(w.printer().printerName(), name);
        QCOMPARE(w.printer().outputFormat(), format);
        QVERIFY(w.dialogs.calls.empty());
    }
};

QTEST_MAIN(tst_JacketCommands)
#include "tst_JacketCommands.moc"
