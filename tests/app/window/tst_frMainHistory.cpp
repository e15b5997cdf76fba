#include "app/MainWindowFixture.h"
#include "doc/TreeViewInFile.h"
#include "history/TreeHistory.h"
#include "tree/DisplayOrder.h"
#include "tree/NodeTree.h"
#include "tree/NodeTreeView.h"
#include "tree/TreeModel.h"
#include "workspace/Workspace.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace kvx;

namespace {

// The real window, active, on a scanned disc: folders a (with b, 1.zip and
// 2.txt), c (with 3.zip) and d.
struct Window : test::MainWindowFixture
{
    QTemporaryDir dir;
    QString disc = dir.filePath("disc");

    Window()
    {
        for (const char* path : {"a/b", "c", "d"})
            QDir(disc).mkpath(path);
        for (const char* file : {"a/1.zip", "a/2.txt", "c/3.zip"})
            QFile(disc + '/' + file).open(QIODevice::WriteOnly);
        window.Form_Load();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.TV()->setFocus();
        dialogs.folders.push_back(disc);
        window.cmdStartPoint_Click();
    }
    NodeTree& tree() { return window.tree(); }
    [[nodiscard]] bool modified() { return window.workspace().history().isModified(); }
    void select(const QString& folder)
    {
        tree().setSelectedItem(tree().findByKey(disc + '/' + folder + '/'));
    }
    // A control run as a user does: a button clicked, a menu item by its
    // shortcut key (or triggered when it has none).
    void run(const QString& name)
    {
        dialogs.colours.push_back(0x0000FF);
        if (auto* button = control<QAbstractButton>(name))
            button->click();
        else if (auto* item = control<QAction>(name); item->shortcut().isEmpty())
            item->trigger();
        else
            QTest::keySequence(window.TV(), item->shortcut());
    }
    void press(const QKeySequence& keys) { QTest::keySequence(window.TV(), keys); }
    // The tree as a saved document shows it, and the selection.
    QByteArray document()
    {
        const QString path = dir.filePath("shown.kvx");
        if (!SaveTreeViewInFile(tree(), window.workspace().settings, path, true, true))
            return {};
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const Node* selected = tree().selectedItem();
        return file.readAll() + "selected=" + (selected ? selected->key().toUtf8() : "");
    }
    // The view shows the tree's rows, opened as the nodes say, the count as many.
    void verifyView()
    {
        const QTreeView& view = *window.TV();
        const TreeModel& model = window.treeModel();
        int rows = 0;
        for (QModelIndex i = model.index(0, 0); i.isValid(); i = view.indexBelow(i))
            ++rows;
        QCOMPARE(rows, CountVisibleNodes(tree()));
        for (int i = 1; i <= tree().count(); ++i) {
            const Node* node = tree().nodeAt(i);
            if (node->childCount() > 0)
                QCOMPARE(view.isExpanded(model.indexOf(node)), node->expanded());
        }
        QCOMPARE(view.currentIndex(), model.indexOf(tree().selectedItem()));
        QCOMPARE(control<QLabel>("lblNbElements")->text(), QString::number(rows));
    }
};

const QKeySequence kUndo(Qt::CTRL | Qt::Key_Z);
const QKeySequence kRedo(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
const QKeySequence kRedoY(Qt::CTRL | Qt::Key_Y);

} // namespace

class tst_frMainHistory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    // Every tree edit, one after the other in one window, undone and redone
    // by its keys: the tree comes back as a saved document shows it, byte for
    // byte, with its selection, in one reset of the view.
    void undoRedoEveryEdit()
    {
        Window w;
        w.select("c");
        const QStringList steps{"mnuGras",  "mnuForeColors", "mnuBackColors", "mnuNiveau",
                                "select a", "chkFile(7)",    "mnuAddFile",    "chkFile(0)",
                                "cmdExe",   "Command1",      "mnuSupprim"};
        bool ctrlY = false;
        for (const QString& step : steps) {
            const QByteArray original = w.document();
            if (step.startsWith("select "))
                w.select(step.mid(7));
            else
                w.run(step);
            if (!step.startsWith("mnu") && !step.startsWith("cmd") && step != "Command1")
                continue; // no edit
            const QByteArray edited = w.document();
            QVERIFY2(edited != original, qPrintable(step));
            QVERIFY(w.control<QAction>("mnuUndo")->isEnabled());
            QVERIFY(!w.control<QAction>("mnuRedo")->isEnabled());
            QSignalSpy resets(&w.window.treeModel(), &QAbstractItemModel::modelReset);
            QSignalSpy inserts(&w.window.treeModel(), &QAbstractItemModel::rowsInserted);
            w.press(kUndo);
            QCOMPARE(w.document(), original);
            QCOMPARE(resets.count(), 1);
            QCOMPARE(inserts.count(), 0);
            w.verifyView();
            QVERIFY(w.control<QAction>("mnuRedo")->isEnabled());
            w.press((ctrlY = !ctrlY) ? kRedoY : kRedo);
            QCOMPARE(w.document(), edited);
            w.verifyView();
        }
    }

    // Closing the window, a new tree and opening a document ask first exactly
    // when the tree has unsaved changes; each answer does what it says.
    void unsavedChanges_data()
    {
        QTest::addColumn<QString>("change"); // none, edit, undone, expand
        QTest::addColumn<QString>("action"); // close, start, open
        QTest::addColumn<QString>(
            "answer"); // save, unsaved (dialog cancelled), discard, cancel, - none
        QTest::addColumn<bool>("goesOn");
        const auto row = [](const char* change, const char* action, const char* answer, bool on) {
            QTest::addRow("%s, %s, %s", change, action, answer) << change << action << answer << on;
        };
        for (const char* action : {"close", "start", "open"}) {
            row("none", action, "-", true);
            row("edit", action, "save", true);
            row("edit", action, "cancel", false);
        }
        row("edit", "close", "unsaved", false);
        row("edit", "close", "discard", true);
        row("edit", "open", "discard", true);
        row("undone", "close", "-", true);
        row("expand", "start", "cancel", false);
    }
    void unsavedChanges()
    {
        QFETCH(QString, change);
        QFETCH(QString, action);
        QFETCH(QString, answer);
        QFETCH(bool, goesOn);
        Window w;
        const QString saved = w.dir.filePath("saved.kvx");
        const QString second = w.dir.filePath("second.kvx");
        w.dialogs.savePaths.push_back(saved);
        w.run("mnuSave");
        QVERIFY(!w.modified());
        w.select("a");
        if (change == "edit" || change == "undone")
            w.run("mnuGras");
        if (change == "undone")
            w.press(kUndo);
        if (change == "expand")
            w.window.TV()->expand(w.window.treeModel().indexOf(w.tree().selectedItem()));
        const QByteArray before = w.document();
        w.dialogs.messageAnswers.push_back(answer == "discard"       ? MessageResult::No
                                           : answer.contains("save") ? MessageResult::Yes
                                                                     : MessageResult::Cancel);
        w.dialogs.savePaths.push_back(answer == "save" ? second : QString());
        w.dialogs.folders.push_back(w.dir.path());
        w.dialogs.openPaths.push_back(saved);

        bool wentOn = false;
        if (action == "close") {
            wentOn = w.window.close();
        } else if (action == "start") {
            w.window.cmdStartPoint_Click();
            wentOn = w.dialogs.callsOf("BrowseFolder").size() == 2;
        } else {
            w.run("mnuLoad");
            wentOn = !w.dialogs.callsOf("ShowOpen").empty();
        }
        QCOMPARE(w.dialogs.callsOf("MsgBox").size(), size_t(answer == "-" ? 0 : 1));
        QCOMPARE(wentOn, goesOn);
        QCOMPARE(QFile::exists(second), answer == "save");
        QCOMPARE(w.window.isVisible(), action != "close" || !goesOn);
        if (!goesOn) {
            QCOMPARE(w.document(), before);
            QVERIFY(w.modified());
        }
    }
};

QTEST_MAIN(tst_frMainHistory)
#include "tst_frMainHistory.moc"
