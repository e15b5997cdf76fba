#include "JacketTestTree.h"
#include "history/TreeHistory.h"
#include "lang/MessageTexts.h"
#include "print/JacketPreview.h"
#include "print/RowsOverflow.h"
#include "print/SlicePlan.h"
#include "tree/NodeTreeView.h"
#include "tree/TreeModel.h"
#include "window/VLine.h"
#include "workspace/Workspace.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

using namespace kvx;
using Window = test::PrintWindow;

namespace {

// What "Aperçu ..." shows: its page, at what resolution, and the note above
// it (empty when hidden). The preview is closed, or printed from with `print`.
struct Preview
{
    QImage page;
    double dpi = 0;
    QString note;
};

Preview preview(Window& w, bool print = false)
{
    Preview shown;
    QTimer::singleShot(0, &w.window, [&] {
        auto* dialog = qobject_cast<JacketPreview*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        shown = {dialog->shown(), dialog->dotsPerInch(), {}};
        if (const auto* note = dialog->findChild<QLabel*>("leftOut"); !note->isHidden())
            shown.note = note->text();
        print ? dialog->findChild<QPushButton*>("print")->click() : dialog->reject();
    });
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
    // them), then a print to the file the user names, from the button or
    // from the preview. Past the capacity the count is red, the preview says
    // how many rows are left out and the button's print asks first. A print:
    // every row up to the capacity at its place in the 12 cm frame and as
    // text, grey without colour, the others not at all; the preview shows
    // that page. Nothing to print, no file chosen, the question declined, a
    // file that cannot be written: the message (a warning, the file written,
    // none; the question first), and the next print asks for its own file
    // and works. A print selects the first row; the window is otherwise as
    // before: view, scroll position and guide.
    void prints_data()
    {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("guide");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("how"); // "cmdPrint", "preview" or "decline" the question
        QTest::addColumn<int>("message"); // a Msg, -1 for none
        const int written = int(Msg::JacketSaved), none = -1;
        const auto row = [](const char* name, const char* clicks, int lines, int columns, int guide,
                            int rows, const char* file, const char* how, int message) {
            QTest::newRow(name) << QString(clicks) << lines << columns << guide << rows
                                << QString(file) << QString(how) << message;
        };
        row("50x3 60, as started", "", 50, 3, 3730, 60, "ma jaquette.pdf", "cmdPrint", written);
        row("50x2 10, from the preview", "opColum(6)", 50, 2, 5730, 10, "j.pdf", "preview",
            written);
        row("30x2 45", "opLines(0) opColum(6)", 30, 2, 3690, 45, "j.pdf", "cmdPrint", written);
        row("40x4 170, past the capacity", "opColum(3) opLines(1)", 40, 4, 2400, 170, "j.pdf",
            "cmdPrint", written);
        row("50x3 170 grey, from the preview", "chkNb", 50, 3, 3730, 170, "j.pdf", "preview",
            written);
        row("40x3 60 grey", "opLines(1) chkNb", 40, 3, 3290, 60, "j.pdf", "cmdPrint", written);
        row("empty tree", "opLines(0)", 30, 3, 2370, 0, "", "cmdPrint", int(Msg::EmptyTree));
        row("no file chosen", "opLines(0) opColum(3)", 30, 4, 1710, 5, "", "cmdPrint", none);
        row("question declined", "opColum(3) opLines(0)", 30, 4, 1710, 170, "j.pdf", "decline",
            none);
        row("unwritable", "opLines(1) opColum(6)", 40, 2, 5070, 70, "/nonexistent-folder/j.pdf",
            "cmdPrint", int(Msg::PdfFailed));
        row("options clicked again",
            "opColum(6) opLines(0) opColum(3) opColum(3) opLines(1) opLines(1)", 40, 4, 2400, 60,
            "j.pdf", "cmdPrint", written);
    }
    void prints()
    {
        QFETCH(QString, clicks);
        QFETCH(int, lines);
        QFETCH(int, columns);
        QFETCH(int, guide);
        QFETCH(int, rows);
        QFETCH(QString, file);
        QFETCH(QString, how);
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
        const bool overflow = rows > capacity, colour = !clicks.contains("chkNb");
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
        const MessageTexts texts;
        const bool asks = rows && how != "decline";
        if (overflow && how != "preview") // print the rows that fit?
            w.dialogs.messageAnswers.push_back(asks ? MessageResult::Ok : MessageResult::Cancel);
        Preview shown;
        if (how == "preview")
            shown = preview(w, true);
        else
            w.click("cmdPrint");
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(w.dialogs.callsOf("ShowSave").size(), size_t(asks));
        QStringList said, expected;
        for (const auto& call : w.dialogs.callsOf("MsgBox"))
            said << call.args.join('|') + (call.icon == MessageIcon::Information ? " (i)" : " (!)");
        if (overflow && how != "preview")
            expected << texts.text(Msg::RowsLeftOut).arg(rows).arg(capacity).arg(rows - capacity) +
                            "|KVX (!)";
        if (message >= 0)
            expected << QString(texts.text(Msg(message))).replace("%1", file) + "|KVX" +
                            (message == int(Msg::JacketSaved) ? " (i)" : " (!)");
        QCOMPARE(said, expected);
        QCOMPARE(view.indexAt(QPoint(0, 0)), top);
        QCOMPARE(w.window.vLine()->geometry(),
                 QRect(TwipsToVisiblePixels(guide), 0, TwipsToVisiblePixels(3),
                       w.control<QWidget>("picTv")->height()));
        QCOMPARE(tree.selectedItem(), asks ? tree.nodeAt(1) : chosen);

        if (message == int(Msg::JacketSaved)) {
            const QString text = test::output("pdftotext", {file, "-"});
            const int printed = qMin(rows, capacity);
            QVERIFY(text.contains(test::rowText(1)) && text.contains(test::rowText(printed)));
            QVERIFY(!text.contains(test::rowText(printed + 1)));
            const QPageLayout paper = w.printer().pageLayout();
            test::verifyJacket(test::pdfPage(file), paper, lines, columns, rows, colour);
            if (how != "preview")
                shown = preview(w);
            test::verifyJacket(shown.page, paper, lines, columns, rows, colour, shown.dpi);
            QCOMPARE(
                shown.note,
                overflow
                    ? texts.text(Msg::PreviewLeftOut).arg(rows).arg(capacity).arg(rows - capacity)
                    : QString());
        } else {
            tree.clear();
            test::buildRows(tree, 3);
            w.dialogs.savePaths = {dir.filePath("next.pdf")};
            w.click("cmdPrint");
            QVERIFY(QFile::exists(dir.filePath("next.pdf")));
        }
    }

    // The "Plus ..." menu's cover entries, chosen in turn in one window: the
    // capacity follows the template and the title's line; the menu marks the
    // choice; the title and identifier asked for print on the DVD wrap, on
    // a page turned to landscape.
    void covers()
    {
        Window w;
        test::buildRows(w.window.tree(), 200);
        const auto choose = [&w](const QString& name, const QString& capacity) {
            w.click("cmdMore");
            QMenu* more = w.window.mnuMore();
            QTRY_VERIFY(more->isVisible());
            w.control<QAction>(name)->trigger();
            more->hide();
            QCOMPARE(w.control<QLabel>("lblImprimable")->text(), capacity);
            // Kept in the document: closing now would ask first.
            QVERIFY(w.window.workspace().history().isModified());
            w.window.workspace().history().markSaved();
        };
        choose("mnuTemplateItem(1)", "144"); // the tray card's 48 lines
        choose("mnuTemplateItem(0)", "150"); // the booklet
        choose("mnuTitleOnBooklet", "149");  // its first line the title's
        choose("mnuTemplateItem(4)", "293"); // with the tray card
        choose("mnuTemplateItem(2)", "216"); // the DVD wrap's 72 lines
        QVERIFY(w.control<QAction>("mnuTemplateItem(2)")->isChecked());
        QVERIFY(!w.control<QAction>("mnuTemplateItem(4)")->isChecked());
        w.dialogs.inputs = {QString("Vacances 2026"), QString("Sauvegarde n° 12")};
        w.control<QAction>("mnuDiscTitle")->trigger();
        QTemporaryDir dir;
        w.dialogs.savePaths = {dir.filePath("dvd.pdf")};
        w.click("cmdPrint");
        const QImage page = test::pdfPage(dir.filePath("dvd.pdf"), 30);
        QVERIFY(page.width() > page.height());
        const QString text = test::output("pdftotext", {dir.filePath("dvd.pdf"), "-"});
        QVERIFY(text.contains("Vacances 2026") && text.contains("Sauvegarde n° 12"));
    }

    // "Propriétés" with no printer installed: a PDF file chosen there takes
    // the later prints without a question; a cancelled change keeps it. Left
    // empty, each print asks again.
    void properties()
    {
        Window w;
        test::buildRows(w.window.tree(), 12);
        QTemporaryDir dir;
        const auto choose = [&w](const QString& file, bool ok) {
            QTimer::singleShot(0, &w.window, [&] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                dialog->findChild<QLineEdit*>("pdfFile")->setText(file);
                ok ? dialog->accept() : dialog->reject();
            });
            w.click("cmpProp");
        };
        choose(dir.filePath("a.pdf"), true);
        choose(dir.filePath("b.pdf"), false);
        w.click("cmdPrint");
        choose(QString(), true);
        w.dialogs.savePaths.push_back(dir.filePath("c.pdf"));
        w.click("cmdPrint");
        QCOMPARE(w.dialogs.callsOf("ShowSave").size(), size_t(1));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{"a.pdf", "c.pdf"}));
    }
};

QTEST_MAIN(tst_JacketCommands)
#include "tst_JacketCommands.moc"
