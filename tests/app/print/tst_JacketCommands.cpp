#include "JacketTestTree.h"
#include "lang/MessageTexts.h"
#include "print/RowsOverflow.h"
#include "print/SlicePlan.h"
#include "tree/NodeTreeView.h"
#include "tree/TreeModel.h"
#include "window/VLine.h"

#include <QApplication>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

using namespace kvx;
using Window = test::PrintWindow;

namespace {

// The page "Aperçu" shows, drawn at 144 dpi (null when it shows none within
// five seconds); the preview is then closed.
QImage previewPage(Window& w)
{
    QImage shown;
    int tries = 250;
    std::function<void()> look = [&] {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        QGraphicsScene* scene = preview ? preview->findChild<QGraphicsView*>()->scene() : nullptr;
        const bool page = scene && !scene->items().isEmpty();
        if (!page && --tries > 0)
            return QTimer::singleShot(20, &w.window, look); // until it shows its page
        if (page) {
            const QPrinter& printer = *preview->printer();
            const QSizeF paper = printer.pageLayout().fullRectPixels(printer.resolution()).size();
            shown = QImage((paper * 144 / printer.resolution()).toSize(), QImage::Format_RGB32);
            shown.fill(Qt::white);
            QPainter painter(&shown);
            const QGraphicsItem* item = scene->items().constFirst();
            scene->render(&painter, shown.rect(), item->mapRectToScene(QRectF({}, paper)));
        }
        if (preview)
            preview->reject();
    };
    QTimer::singleShot(0, &w.window, look);
    w.click("cmdPreview");
    return shown;
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

    // The options clicked (the guide's left in twips and the capacity follow
    // them), then a print to the file the user names, and what the user does
    // amid it. Past the capacity the count is red and the print asks first,
    // naming the rows left out. A print: every row up to the capacity at its
    // place in the 12 cm frame and as text, the others not at all; the
    // preview shows the same page. Nothing to print, no file chosen, the
    // question declined, a file that cannot be written, the tree cleared or
    // the selected row deleted amid the print: the message (a warning, the
    // file written, none; the question first) and the next print asks for its
    // own file and works.
    // Either way the window as before: guide, scroll position and selection.
    void prints_data()
    {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("guide");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("amid");
        QTest::addColumn<int>("message"); // a Msg, -1 for none
        const int written = int(Msg::JacketSaved), none = -1;
        const auto row = [](const char* name, const char* clicks, int lines, int columns, int guide,
                            int rows, const char* file, const char* amid, int message) {
            QTest::newRow(name) << QString(clicks) << lines << columns << guide << rows
                                << QString(file) << QString(amid) << message;
        };
        row("50x3 60, as started", "", 50, 3, 3730, 60, "ma jaquette.pdf", "", written);
        row("50x2 10", "opColum(6)", 50, 2, 5730, 10, "j.pdf", "", written);
        row("30x2 45", "opLines(0) opColum(6)", 30, 2, 3690, 45, "j.pdf", "", written);
        row("40x4 170, past the capacity", "opColum(3) opLines(1)", 40, 4, 2400, 170, "j.pdf", "",
            written);
        row("40x3 60 monochrome", "opLines(1) chkNb", 40, 3, 3290, 60, "j.pdf", "", written);
        row("empty tree", "opLines(0)", 30, 3, 2370, 0, "", "", int(Msg::EmptyTree));
        row("no file chosen", "opLines(0) opColum(3)", 30, 4, 1710, 5, "", "", none);
        row("question declined", "opColum(3) opLines(0)", 30, 4, 1710, 170, "j.pdf", "decline",
            none);
        row("unwritable", "opLines(1) opColum(6)", 40, 2, 5070, 70, "/nonexistent-folder/j.pdf", "",
            int(Msg::PdfFailed));
        row("tree cleared", "opColum(3)", 50, 4, 2730, 120, "j.pdf", "clear", written);
        row("options clicked again",
            "opColum(6) opLines(0) opColum(3) opColum(3) opLines(1) opLines(1)", 40, 4, 2400, 60,
            "j.pdf", "", written);
        row("selected row deleted", "", 50, 3, 3730, 120, "j.pdf", "delete", written);
    }
    void prints()
    {
        QFETCH(QString, clicks);
        QFETCH(int, lines);
        QFETCH(int, columns);
        QFETCH(int, guide);
        QFETCH(int, rows);
        QFETCH(QString, file);
        QFETCH(QString, amid);
        QFETCH(int, message);
        Window w;
        NodeTree& tree = w.window.tree();
        NodeTreeView& view = *w.window.TV();
        for (const QString& name : clicks.split(' ', Qt::SkipEmptyParts))
            w.click(name);
        test::buildRows(tree, rows);
        // Exactly one option of each set is checked: the one clicked last.
        QStringList checked;
        for (const QRadioButton* option : w.window.findChildren<QRadioButton*>())
            if (option->isChecked())
                checked << option->objectName();
        QCOMPARE(checked, (QStringList{QString("opLines(%1)").arg(lines / 10 - 3),
                                       QString("opColum(%1)").arg(12 / columns)}));
        const int capacity = lines * columns;
        const bool overflow = rows > capacity, asks = rows && amid != "decline";
        QCOMPARE(w.control<QLabel>("lblImprimable")->text(), QString::number(capacity));
        QCOMPARE(w.control<QLabel>("lblNbElements")->palette().color(QPalette::WindowText) ==
                     QColor(OverflowRgb),
                 overflow);
        Node* chosen = tree.nodeAt(rows / 2 + 1);
        tree.setSelectedItem(chosen);
        if (chosen)
            view.scrollTo(w.window.treeModel().indexOf(chosen), QAbstractItemView::PositionAtTop);
        const QModelIndex top = view.indexAt(QPoint(0, 0));
        QTemporaryDir dir;
        if (!file.isEmpty())
            file = QDir(dir.path()).filePath(file);
        w.dialogs.savePaths.push_back(file);
        if (overflow) // print the rows that fit?
            w.dialogs.messageAnswers.push_back(asks ? MessageResult::Ok : MessageResult::Cancel);
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
        QCOMPARE(busy, asks && !file.isEmpty());
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(w.dialogs.callsOf("ShowSave").size(), size_t(asks));
        const MessageTexts texts;
        QStringList shown, expected;
        for (const auto& call : w.dialogs.callsOf("MsgBox"))
            shown << call.args.join('|') +
                         (call.icon == MessageIcon::Information ? " (i)" : " (!)");
        if (overflow)
            expected << texts.text(Msg::RowsLeftOut).arg(rows).arg(capacity).arg(rows - capacity) +
                            "|KVX (!)";
        if (message >= 0)
            expected << QString(texts.text(Msg(message))).replace("%1", file) + "|KVX" +
                            (message == int(Msg::JacketSaved) ? " (i)" : " (!)");
        QCOMPARE(shown, expected);
        QCOMPARE(w.window.TV()->height(), TwipsToPixels(ViewSideTwips));
        QVERIFY(w.window.vLine()->isVisible());
        QCOMPARE(w.window.vLine()->geometry(),
                 QRect(TwipsToVisiblePixels(guide), 0, TwipsToVisiblePixels(3),
                       w.control<QWidget>("picTv")->height()));
        QCOMPARE(tree.selectedItem(), amid.isEmpty() || amid == "decline" ? chosen : nullptr);

        if (message == int(Msg::JacketSaved) && amid.isEmpty()) {
            QCOMPARE(view.indexAt(QPoint(0, 0)), top);
            const QString text = test::output("pdftotext", {file, "-"});
            const int printed = qMin(rows, capacity);
            QVERIFY(text.contains(test::rowText(1)) && text.contains(test::rowText(printed)));
            QVERIFY(!text.contains(test::rowText(printed + 1)));
            const int colours = clicks.contains("chkNb") ? 0 : rows;
            test::verifyJacket(test::pdfPage(file), w.printer(), lines, columns, colours);
            if (colours) // the preview shows colours whatever the print's colour mode
                test::verifyJacket(previewPage(w), w.printer(), lines, columns, colours);
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
