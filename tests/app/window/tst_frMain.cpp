#include "app/MainWindowFixture.h"
#include "core/tree/ScanDoubles.h"
#include "doc/TreeViewInFile.h"
#include "history/TreeHistory.h"
#include "print/JacketLayout.h"
#include "tree/FileCategories.h"
#include "tree/NodeTreeView.h"
#include "tree/TreeModel.h"
#include "tree/TreeWalks.h"
#include "util/Twips.h"
#include "util/UserSettings.h"
#include "workspace/Workspace.h"

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <sys/stat.h>

using namespace kvx;

namespace {

const QString kProgramDir = QStringLiteral(KVX_TEST_PROGRAM_DIR);

// A node's picture when not selected.
ImageRef shownPicture(const Node* n)
{
    return n->expanded() && !n->expandedImage().isNone() ? n->expandedImage() : n->image();
}

// The real window, loaded, on a program folder of the test's choosing, beside
// a disc: A (A1 with A11, A2, a.zip, d.mkv), Bé l'été (B1), c.txt and e.mkv.
// Steps are run as a user does them, each followed by verify().
struct Window : test::MainWindowFixture
{
    QTemporaryDir dir;
    QString disc = dir.filePath("disc");
    // Checks the model's answers at every change.
    QAbstractItemModelTester tester{&window.treeModel(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest};

    explicit Window(const QString& programDir = kProgramDir) : MainWindowFixture(programDir)
    {
        QVERIFY(makeEntries(
            disc, {"A/A1/A11/", "A/A2/", "A/a.zip", "A/d.mkv", "Bé l'été/B1/", "c.txt", "e.mkv"}));
        window.Form_Load();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
    NodeTree& tree() { return window.tree(); }
    NodeTreeView* view() { return window.TV(); }
    const TreeModel& model() { return window.treeModel(); }
    QString text(const char* name) { return control(name)->property("text").toString(); }
    [[nodiscard]] bool modified() { return window.workspace().history().isModified(); }

    QModelIndex rowOf(const QString& text)
    {
        for (QModelIndex i = model().index(0, 0); i.isValid(); i = view()->indexBelow(i)) {
            if (text == (i.parent().isValid() ? i.data().toString() : "/"))
                return i;
        }
        return {};
    }

    // A step, then verify(). An edit command that changes the tree is one
    // undo step: undone and redone by its keys, the tree comes back as its
    // document shows it, byte for byte, with its selection, in one reset of
    // the view. No other step makes an undo step.
    void run(const QString& step)
    {
        if (step == "open") {
            for (const char* one : {"start", "chkFile(0)", "cmdExe", "click /", "*"})
                run(one);
            return;
        }
        const QByteArray before = document();
        const size_t steps = window.workspace().history().undoCount();
        act(step);
        const QByteArray after = document();
        const bool edit = QStringList{"Ctrl+B", "mnuForeColors", "mnuBackColors", "Ctrl+L",
                                      "Del",    "cmdExe",        "Command1",      "mnuAddFile",
                                      "rename", "Ctrl+Shift+T",  "Ctrl+Shift+G"}
                              .contains(step.section(' ', 0, 0)) &&
                          document(false) != before.left(before.lastIndexOf("selected="));
        // One step, not more; a new tree starts a new history.
        QCOMPARE(window.workspace().history().undoCount(), step == "start" ? 0 : steps + edit);
        if (!edit)
            return;
        QVERIFY(control<QAction>("mnuUndo")->isEnabled());
        QVERIFY(!control<QAction>("mnuRedo")->isEnabled());
        QSignalSpy resets(&model(), &QAbstractItemModel::modelReset);
        QSignalSpy inserts(&model(), &QAbstractItemModel::rowsInserted);
        act("Ctrl+Z");
        QCOMPARE(document(), before);
        QCOMPARE(resets.count(), 1);
        QCOMPARE(inserts.count(), 0);
        QVERIFY(control<QAction>("mnuRedo")->isEnabled());
        act(++m_redone % 2 ? "Ctrl+Y" : "Ctrl+Shift+Z");
        QCOMPARE(document(), after);
    }
    int m_redone = 0;

    // "start" (the disc chosen; "cancel" cancels the choice), "open" (start,
    // all files added, the root clicked and "*"), "click ROW", "right ROW"
    // (opens the menu, then closes it), "focus", "style" (the selected node
    // bold, colour 1 on 2), "expandAll" (the view's own), "edit chkFile(N)
    // PATTERN" (a right click on the box, the pattern typed, "-" cancels),
    // "rename TEXT" (F2, the text typed, Enter), a menu item by name (the
    // colour dialog's answer after it, cancelled without), a button or a box
    // by name, else keys on the tree view (the colour's answer after them).
    void act(const QString& step)
    {
        const QString arg = step.section(' ', 1);
        if (step == "start" || step == "cancel") {
            if (modified())
                dialogs.messageAnswers.push_back(MessageResult::No); // not saved
            dialogs.folders.push_back(step == "start" ? disc : QString());
            QTest::mouseClick(control<QWidget>("cmdStartPoint"), Qt::LeftButton);
            QCOMPARE(dialogs.callsOf("BrowseFolder").back().args,
                     QStringList{"Choisissez un dossier"});
            QCOMPARE(text("txtStartPath"), disc);
        } else if (step.startsWith("click") || step.startsWith("right")) {
            const bool right = step.startsWith("right");
            QVERIFY2(rowOf(arg).isValid(), qPrintable(step));
            QTest::mouseClick(view()->viewport(), right ? Qt::RightButton : Qt::LeftButton, {},
                              view()->visualRect(rowOf(arg)).center());
            QCOMPARE(window.mnuNode()->isVisible(), right);
            window.mnuNode()->hide();
            const Node* selected = tree().selectedItem();
            QVERIFY(!selected || control<QAction>("mnuGras")->isChecked() == selected->bold());
        } else if (step == "focus") {
            view()->setFocus(Qt::TabFocusReason);
        } else if (step == "expandAll") {
            view()->expandAll();
        } else if (step == "style") {
            tree().setBold(tree().selectedItem(), true);
            tree().setForeColor(tree().selectedItem(), Colour(1));
            tree().setBackColor(tree().selectedItem(), Colour(2));
        } else if (step.startsWith("rename")) {
            const QString key = tree().selectedItem()->key();
            QTest::keyClick(view(), Qt::Key_F2);
            QPointer<QLineEdit> field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            QVERIFY(field && view()->isAncestorOf(field));
            field->selectAll();
            QTest::keyClicks(field, arg);
            QTest::keyClick(field, Qt::Key_Return);
            QTRY_VERIFY(!field); // the text is taken, the editor gone
            QCOMPARE(tree().selectedItem()->key(), key);
        } else if (step.startsWith("edit")) {
            auto* box = control<QAbstractButton>(arg.section(' ', 0, 0));
            const int asked = int(dialogs.callsOf("InputBox").size());
            // "-" cancels the prompt.
            dialogs.inputs.push_back(arg.endsWith(" -") ? std::nullopt
                                                        : std::optional(arg.section(' ', 1)));
            QTest::mouseClick(box, Qt::RightButton, {}, QPoint(6, box->height() / 2));
            QCOMPARE(int(dialogs.callsOf("InputBox").size()), asked + box->isEnabled());
            dialogs.inputs.clear();
        } else if (auto* button = control<QAbstractButton>(step)) {
            QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
        } else {
            if (!arg.isEmpty())
                dialogs.colours.push_back(arg.toInt(nullptr, 16));
            if (auto* item = control<QAction>(step.section(' ', 0, 0)))
                item->trigger();
            else
                QTest::keySequence(view(), QKeySequence(step.section(' ', 0, 0)));
        }
        QVERIFY(!QApplication::overrideCursor());
        verify();
    }

    // The view shows the tree's rows in print order, each node open in the
    // view exactly when open in the tree, the selection current, and the
    // count says how many rows there are. Every open folder of the disc went
    // through the expansion: tag "E", open picture, and each of its folder
    // children knows whether it has sub-folders on the disc. The category
    // boxes show the workspace's check states, locks and patterns.
    void verify()
    {
        QStringList viewRows;
        for (QModelIndex i = model().index(0, 0); i.isValid(); i = view()->indexBelow(i))
            viewRows << QString(2 * model().nodeOf(i)->depth(), ' ') + model().nodeOf(i)->text();
        QCOMPARE(viewRows, RowTexts(tree()));
        const auto* count = control<QWidget>("lblNbElements");
        QCOMPARE(text("lblNbElements"), QString::number(viewRows.size()));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QVERIFY(count->width() >= count->sizeHint().width()); // the whole number shows
        QCOMPARE(view()->currentIndex(), model().indexOf(tree().selectedItem()));
        const bool bw = control<QAbstractButton>("chkImageNb")->isChecked();
        for (int i = 1; i <= tree().count(); ++i) {
            const Node* n = tree().nodeAt(i);
            if (n->childCount() == 0)
                continue;
            QVERIFY2(view()->isExpanded(model().indexOf(n)) == n->expanded(), qPrintable(n->key()));
            if (!n->expanded() || !n->key().startsWith(disc))
                continue;
            QVERIFY2(n->tag().endsWith('E'), qPrintable(n->key()));
            QCOMPARE(shownPicture(n), ImageRef(bw ? image::OpenFolderBw : image::OpenFolder));
            for (const Node* child : n->children()) {
                const bool subFolders =
                    !QDir(child->key()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty();
                QVERIFY2(!child->isFolder() || (child->childCount() > 0) == subFolders,
                         qPrintable(child->key()));
            }
        }
        const FileCategories& categories = window.workspace().categories;
        for (int i = 0; i < FileCategories::Count; ++i) {
            const auto* box = control<QAbstractButton>(frMain::arrayName("chkFile", i));
            QCOMPARE(box->isChecked(), categories.box(i).checked);
            QCOMPARE(box->isEnabled(), categories.box(i).enabled);
            QCOMPARE(box->toolTip(), categories.box(i).pattern);
        }
        for (const char* shows : {"frmPattern", "cmdExe"})
            QCOMPARE(control<QWidget>(shows)->toolTip(), categories.activePattern());
    }

    // The tree as its document shows it, and the selection.
    QByteArray document(bool selection = true)
    {
        const QByteArray text = TreeViewDocument(tree(), window.workspace().settings, true, true);
        const Node* selected = tree().selectedItem();
        return selection ? text + "selected=" + (selected ? selected->key().toUtf8() : "") : text;
    }
};

} // namespace

class TestFrMain : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    // The window keeps its size; every control lies inside its container, none
    // covers another but the column guide over the tree, and each has a name
    // for screen readers.
    void layout()
    {
        Window w;
        QCOMPARE(w.window.minimumSize(), w.window.maximumSize());
        const QList<QWidget*> controls = w.window.findChildren<QWidget*>(
            QRegularExpression("^[^q]"), Qt::FindChildrenRecursively);
        QVERIFY(controls.size() > 30);
        for (const QWidget* control : controls) {
            if (!control->isVisible() || !control->parentWidget()->isVisible())
                continue;
            QVERIFY2(control->parentWidget()->rect().contains(control->geometry()),
                     qPrintable(control->objectName()));
            QVERIFY2(!QAccessible::queryAccessibleInterface(const_cast<QWidget*>(control))
                          ->text(QAccessible::Name)
                          .isEmpty(),
                     qPrintable(control->objectName()));
            for (const QWidget* other : controls) {
                if (other != control && other->parentWidget() == control->parentWidget() &&
                    other->isVisible() && control->objectName() != "VLine" &&
                    other->objectName() != "VLine")
                    QVERIFY2(!control->geometry().intersects(other->geometry()),
                             qPrintable(control->objectName() + " " + other->objectName()));
            }
        }
        const QObjectList stack = w.window.TV()->parentWidget()->children();
        QVERIFY(stack.indexOf(w.control("VLine")) > stack.indexOf(w.window.TV()));
        // The program's icon at every size a desktop asks for.
        for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
            QVERIFY(w.window.windowIcon().availableSizes().contains(QSize(size, size)));
    }

    // Tab visits every control, frame by frame, left to right and top to
    // bottom, landing on the checked option of a set, and comes back to the
    // tree: each control shown inside the window, with a name for screen
    // readers in the interface's language. Alt and the underlined letter
    // press a button or a box, in either language, and the window, its
    // dialogs and messages speak the language chosen. The keys of DESIGN's
    // table are each bound to one command, and to no other (a key bound
    // twice would show twice).
    void keyboard()
    {
        Window w;
        QStringList bound;
        for (const QAction* action : w.window.findChildren<QAction*>())
            for (const QKeySequence& key : action->shortcuts())
                bound << key.toString() + '=' + action->objectName();
        bound.sort();
        QCOMPARE(bound.join(' '),
                 "Ctrl+B=mnuGras Ctrl+E=mnuExport Ctrl+F=mnuAddFile Ctrl+L=mnuNiveau "
                 "Ctrl+O=mnuLoad Ctrl+S=mnuSave "
                 "Ctrl+Shift+F=mnuFind Ctrl+Shift+G=mnuBackColors Ctrl+Shift+T=mnuForeColors "
                 "Ctrl+Shift+Z=mnuRedo Ctrl+Y=mnuRedo Ctrl+Z=mnuUndo Del=mnuSupprim F2=mnuRename "
                 "F3=mnuFindNext Shift+F3=mnuFindPrevious");
        QStringList visited;
        for (QWidget* focus = QApplication::focusWidget(); focus && visited.size() < 40;) {
            const QRect place(focus->mapTo(&w.window, QPoint()), focus->size());
            QVERIFY2(focus->isVisible() && w.window.rect().contains(place),
                     qPrintable(focus->objectName()));
            const QString name =
                QAccessible::queryAccessibleInterface(focus)->text(QAccessible::Name);
            QVERIFY2(!name.isEmpty() && name != focus->objectName(), qPrintable(name));
            visited << focus->objectName();
            QTest::keyClick(focus, Qt::Key_Tab);
            if ((focus = QApplication::focusWidget()) == w.view())
                break;
        }
        QCOMPARE(visited.join(' '),
                 "TV opColum(4) cmdStartPoint txtStartPath chkFile(0) chkFile(1) chkFile(5) "
                 "chkFile(2) chkFile(6) chkFile(3) chkFile(7) chkFile(4) chkFile(8) Command1 "
                 "cmdExe opLines(2) chkImageNb chkNb cmpProp cmdPrint cmdTranslate cmdPreview "
                 "cmdMore");
        // The language's texts: the folder dialog's title, "Other ..." and
        // the About window, which the window owns while it is open.
        for (const auto& [language, keys, box, texts] : // English.lng, then Francais.lng
             {std::tuple{"MNlangueChoice(0)", "Alt+S, Alt+U", "chkFile(5)",
                         "Choose a folder|Other ...|frMain Application:"},
              {"MNlangueChoice(1)", "Alt+C, Alt+I", "chkFile(4)",
               "Choisissez un dossier|Autre ...|frMain Application :"}}) {
            w.control<QAction>(language)->trigger();
            w.window.activateWindow(); // back from the About window
            QVERIFY(QTest::qWaitForWindowActive(&w.window));
            const size_t asked = w.dialogs.callsOf("BrowseFolder").size() + 1;
            QTest::keySequence(&w.window, QKeySequence(keys));
            QTRY_COMPARE(w.dialogs.callsOf("BrowseFolder").size(), asked);
            QTRY_VERIFY(w.control<QAbstractButton>(box)->isChecked());
            QStringList shown{w.dialogs.callsOf("BrowseFolder").back().args.at(0),
                              w.control<QAction>("MNlangueOther")->text()};
            QTimer::singleShot(0, &w.window, [&shown] {
                QWidget* about = QApplication::activeModalWidget();
                shown << about->parentWidget()->objectName() + ' ' +
                             about->findChild<QLabel*>("Label1")->text();
                about->close();
            });
            w.control<QAction>("mnuabout")->trigger();
            QCOMPARE(shown.join('|'), texts);
            QVERIFY(!w.window.findChild<QDialog*>()); // gone once closed
        }
        UserSettings().setLanguage({}, "fr"); // the next window starts as built
    }

    // However an option gets checked (a screen reader's Toggle, the arrow
    // keys, and clicks as tst_JacketCommands makes them), the capacity and the
    // column guide follow.
    void options()
    {
        Window w;
        // The step on a control, then the lines and the column option it leaves.
        for (const QString step :
             {"toggle opLines(0) 30 4", "toggle opColum(6) 30 6", "toggle opLines(1) 40 6",
              "Left opLines(1) 30 6", "toggle opColum(3) 30 3", "Right opLines(0) 40 3"}) {
            const QStringList part = step.split(' ');
            auto* on = w.control<QWidget>(part[1]);
            on->setFocus(); // for the arrow keys; a screen reader's action needs none
            if (part[0] == "toggle")
                QAccessible::queryAccessibleInterface(on)->actionInterface()->doAction(
                    QAccessibleActionInterface::toggleAction());
            else
                QTest::keySequence(on, QKeySequence(part[0]));
            const int lines = part[2].toInt(), option = part[3].toInt();
            QCOMPARE(w.text("lblImprimable"), QString::number(lines * ColumnsOfOption(option)));
            QCOMPARE(w.control<QWidget>("VLine")->x(),
                     TwipsToVisiblePixels(*ColumnGuideLeft(lines, qint16(option))));
        }
    }

    void startup_data()
    {
        // The icon files ("junk.ico" is no picture; "*" the shipped folder, "-"
        // none), grey windows, the titles of the boxes shown, the keys loaded.
        QTest::addColumn<QStringList>("icons");
        QTest::addColumn<bool>("grey");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QStringList>("keys");
        const auto row = [](const char* name, const QStringList& icons, bool grey,
                            const QStringList& boxes, const QStringList& keys = {}) {
            QTest::newRow(name) << icons << grey << boxes << keys;
        };
        const QString error = "ERREUR n°%1 in xxxxxxxxxx";
        row("shipped", {"*"}, false, {},
            {"odt", "mkv", "flac", "7z", "gz", "iso", "deb", "sh", "py", "cpp", "h", "md", "svg"});
        row("grey", {"*"}, true, {"KVX"});
        row("grey, no ico folder", {"-"}, true, {"KVX", error.arg(76)});
        row("duplicate key", {"a é'x.ico", "fil.ico", "z.ico"}, false, {error.arg(35602)},
            {"a é'x"});
        row("not a picture", {"b.ico", "junk.ico"}, false, {error.arg(481)}, {"b"});
    }
    void startup()
    {
        QFETCH(QStringList, icons);
        QFETCH(bool, grey);
        QFETCH(QStringList, keys);
        QTemporaryDir program;
        const bool shipped = icons == QStringList{"*"};
        if (!shipped && icons != QStringList{"-"})
            QVERIFY(QDir(program.path()).mkdir("ico"));
        QVERIFY(QFile(program.filePath("Langue.lng")).open(QIODevice::WriteOnly));
        for (const QString& entry : shipped ? QStringList() : icons.filter(".")) {
            const QString path = program.path() + "/ico/" + entry;
            QVERIFY(entry == "junk.ico" ? QFile(path).open(QIODevice::WriteOnly)
                                        : QFile::copy(kProgramDir + "/ico/zip.ico", path));
        }
        const QPalette saved = QApplication::palette();
        QPalette palette = saved;
        palette.setColor(QPalette::Base, grey ? QColor(200, 200, 200) : QColor(Qt::white));
        QApplication::setPalette(palette);
        Window w(shipped ? kProgramDir : program.path());
        QApplication::setPalette(saved);

        QStringList titles;
        for (const auto& box : w.dialogs.callsOf("MsgBox")) {
            titles << box.args[1];
            QCOMPARE(box.icon, MessageIcon::Critical);
        }
        QTEST(titles, "boxes");
        const QString first = titles.isEmpty() ? QString() : w.dialogs.calls.at(0).args[0];
        QCOMPARE(first.startsWith("Attention vos fenêtres ne sont pas blanches"), grey);
        QVERIFY(!grey || first.count('\n') == 2);
        // An error box ends start-up before the language files are listed.
        QCOMPARE(w.control<QAction>("MNlangueChoice(0)")->text() != "#",
                 titles.filter("ERREUR").isEmpty());
        QStringList loaded;
        for (int i = image::BuiltInCount + 1; i <= w.window.workspace().images().count(); ++i)
            loaded << w.window.workspace().images().keyAt(i);
        if (!shipped)
            QCOMPARE(loaded, keys);
        // An icon for every extension of the default categories, and common Linux ones.
        for (int i = 1; shipped && i < FileCategories::Count; ++i)
            keys += QString(FileCategories().box(i).pattern).remove("*.").split(';');
        for (const QString& key : keys)
            QVERIFY2(loaded.contains(key), qPrintable(key));
    }

    // The node menu opens from the keyboard too (the menu key, Shift+F10, and
    // the desktop's context menu request), below the selected row; the
    // commands that need a row are disabled without one.
    void nodeMenuKeys()
    {
        Window w;
        w.run("start");
        w.run("focus");
        QMenu* menu = w.window.mnuNode();
        QContextMenuEvent request(QContextMenuEvent::Keyboard, {}, {}); // the desktop's
        // The enabled commands, where the menu opened relative to the view.
        const auto opens = [&](const QKeySequence& keys) {
            keys.isEmpty() ? void(QApplication::sendEvent(w.view()->viewport(), &request))
                           : QTest::keySequence(w.view(), keys);
            QStringList enabled{QTest::qWaitFor([&] { return menu->isVisible(); }) ? "" : "-"};
            for (const QAction* item : menu->actions())
                if (!item->isSeparator() && item->isEnabled())
                    enabled << item->objectName();
            menu->hide();
            const QPoint at = w.view()->viewport()->mapFromGlobal(menu->pos());
            return enabled.join(' ') + QString(" %1,%2").arg(at.x()).arg(at.y());
        };
        QCOMPARE(opens(QKeySequence("Shift+F10")), " mnuLoad mnuSave 0,0");
        w.run("click A");
        const QString all = " mnuAddFile mnuGras mnuForeColors mnuBackColors mnuNiveau mnuLoad "
                            "mnuSave mnuRename mnuSupprim";
        const QPoint below = w.view()->visualRect(w.rowOf("A")).bottomLeft();
        const QString at = QString(" %1,%2").arg(below.x()).arg(below.y());
        QCOMPARE(opens(QKeySequence(Qt::Key_Menu)), all + at);
        w.run("Ctrl+B");
        QCOMPARE(opens({}), all + " mnuUndo" + at);
    }

    // The title names the tree's document, marked while changes are unsaved;
    // the start field shows an opened tree's start folder. The save dialog
    // starts in the last folder used, then at the document, its name filled
    // in; the open dialog in its folder. The last five documents are offered again. A folder or a
    // document dropped on the window replaces the tree, once unsaved changes are dealt with; other
    // drops are refused.
    void documents()
    {
        Window w;
        UserSettings().setLastFolder(w.dir.path());
        // The title, and the start folder ("D" the test's folder).
        const auto shown = [&] {
            return QString(w.window.windowHandle()->title() + " | " + w.text("txtStartPath"))
                .replace(w.dir.path(), "D");
        };
        const auto save = [&](const QString& name) {
            w.dialogs.savePaths.push_back(w.dir.filePath(name));
            w.run("mnuSave");
            return QString(w.dialogs.callsOf("ShowSave").back().args.at(2))
                .replace(w.dir.path(), "D");
        };
        const auto drop = [&](const QString& path) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(path)});
            QDragEnterEvent enter({9, 9}, Qt::CopyAction, &data, Qt::LeftButton, {});
            QDropEvent dropped({9, 9}, Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(&w.window, &enter);
            if (enter.isAccepted())
                QApplication::sendEvent(&w.window, &dropped);
            w.verify();
            return enter.isAccepted();
        };
        for (const char* step : {"start", "click A", "Ctrl+B"})
            w.run(step);
        QCOMPARE(shown(), "KVX | D/disc");
        QCOMPARE(save("s1"), "D");
        QCOMPARE(shown(), "s1.kvx - KVX | D/disc");
        w.run("Ctrl+B");
        QCOMPARE(shown(), "s1.kvx* - KVX | D/disc");
        QCOMPARE(save("s2"), "D/s1.kvx");
        w.run("mnuLoad"); // cancelled
        QCOMPARE(w.dialogs.callsOf("ShowOpen").back().args.at(2), w.dir.path());
        for (const char* name : {"s3", "s4", "s5", "s6.kvx"})
            save(name);
        QMenu* recent = w.control<QMenu>("mnuRecent");
        recent->popup({});
        recent->hide();
        QStringList offered;
        for (const QAction* item : recent->actions())
            offered << item->text().remove(w.dir.path() + '/');
        QCOMPARE(offered.join(' '), "&1 s6.kvx &2 s5.kvx &3 s4.kvx &4 s3.kvx &5 s2.kvx");

        QVERIFY(!drop(w.disc + "/c.txt") && drop(w.disc + "/A"));
        QCOMPARE(shown(), "KVX | D/disc/A");
        w.run("click /");
        w.run("Ctrl+B");
        w.dialogs.messageAnswers.push_back(MessageResult::No); // not saved
        QVERIFY(drop(w.dir.filePath("s1.kvx")));
        QCOMPARE(w.dialogs.callsOf("MsgBox").size(), size_t(1));
        QCOMPARE(shown(), "s1.kvx - KVX | D/disc");
        recent->actions().at(4)->trigger();
        QCOMPARE(shown(), "s2.kvx - KVX | D/disc");
    }

    // Find in the tree searches the rows the tree holds, from the selected
    // one, wrapping around; a match is selected and shown, the branches to it
    // opened (and scanned) as a user opens them, which makes no undo step.
    void findInTree()
    {
        Window w;
        for (const char* step : {"start", "chkFile(0)", "cmdExe"})
            w.run(step);
        QCOMPARE(w.tree().findByKey(w.disc + "/A/A1/A11/"), nullptr); // not scanned yet
        w.dialogs.inputs = {"MKV", "zzz"};
        QStringList found;
        for (const char* keys : {"Ctrl+Shift+F", "F3", "F3", "Shift+F3", "Ctrl+Shift+F"}) {
            w.run(keys);
            found << w.tree().selectedItem()->text();
            QVERIFY(w.view()->viewport()->rect().contains(
                w.view()->visualRect(w.view()->currentIndex())));
        }
        QCOMPARE(found, QStringList({"d.mkv", "e.mkv", "d.mkv", "e.mkv", "e.mkv"}));
        QVERIFY(w.tree().findByKey(w.disc + "/A/A1/A11/")); // A was opened
        QVERIFY(w.modified());
        QCOMPARE(w.dialogs.callsOf("MsgBox").back().args,
                 QStringList({"Aucune ligne de l'arbre ne contient « zzz ».", "KVX"}));
    }

    // A user's steps on the disc (see Window::run), each verified. The rows
    // after the last step: text (the root "/"), the picture shown, "+" closed
    // or "-" open when it has children, "*" bold, {text colour, background}
    // unless both are the defaults; the selected row in brackets.
    void treeSteps_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("rows");
        const auto row = [](const char* name, const QStringList& steps, const QString& rows) {
            QTest::newRow(name) << steps << rows;
        };
        row("start", {"start"}, "/:2- A:1+ Bé l'été:1+ ");
        row("cancel keeps the tree", {"start", "click A", "cancel"}, "/:2- [A:1+] Bé l'été:1+ ");
        row("star on a folder, then on the root", {"start", "click Bé l'été", "*", "click /", "*"},
            "[/:2-] A:2- A1:2- A11:1 A2:1 Bé l'été:2- B1:1 ");
        row("star again after a collapse", {"start", "click A", "*", "-", "*"},
            "/:2- [A:2-] A1:2- A11:1 A2:1 Bé l'été:1+ ");
        row("expand all", {"start", "expandAll"}, "/:2- A:2- A1:2- A11:1 A2:1 Bé l'été:2- B1:1 ");
        // Every folder picture set while the box is ticked is a black-and-white one.
        row("black and white", {"chkImageNb", "start", "chkFile(0)", "cmdExe", "click A", "*"},
            "/:5- [A:5-] A1:5- A11:4 A2:4 a.zip:zip d.mkv:mkv Bé l'été:4+ c.txt:txt e.mkv:mkv ");
        row("colour again", {"chkImageNb", "open", "chkImageNb"},
            "[/:2-] A:2- A1:2- A11:1 A2:1 a.zip:zip d.mkv:mkv Bé l'été:2- B1:1 c.txt:txt "
            "e.mkv:mkv ");
        // Archives added once however often; a pattern edited takes effect at the
        // next click; the node menu adds under the selected folder only.
        row("categories",
            {"start", "chkFile(7)", "cmdExe", "cmdExe", "edit chkFile(6) *.mkv", "chkFile(7)",
             "chkFile(6)", "click A", "mnuAddFile", "*"},
            "/:2- [A:2-] A1:2- A11:1 A2:1 a.zip:zip d.mkv:mkv Bé l'été:1+ ");
        // A cancelled prompt keeps the pattern.
        row("cancel keeps a pattern",
            {"start", "edit chkFile(7) *.mkv", "edit chkFile(7) -", "chkFile(7)", "cmdExe",
             "click /", "*"},
            "[/:2-] A:2- A1:2- A11:1 A2:1 d.mkv:mkv Bé l'été:2- B1:1 e.mkv:mkv ");
        // A row renamed in place keeps its key; an empty text is refused.
        row("rename",
            {"start", "click /", "rename Mon disque", "click A", "rename Albums", "rename  "},
            "/:2- [Albums:1+] Bé l'été:1+ ");
        // "All files" locks the other boxes; removal takes the files matching the pattern.
        row("all files, then remove archives",
            {"start", "chkFile(0)", "edit chkFile(6) x", "chkFile(6)", "cmdExe", "chkFile(0)",
             "chkFile(7)", "Command1", "click /", "*"},
            "[/:2-] A:2- A1:2- A11:1 A2:1 d.mkv:mkv Bé l'été:2- B1:1 c.txt:txt e.mkv:mkv ");
        // Bold toggles; a cancelled colour dialog changes nothing; the colours
        // have keys too.
        row("bold and colours",
            {"open", "click A", "Ctrl+B", "Ctrl+Shift+T ff", "click A1", "style", "mnuForeColors",
             "mnuBackColors", "Ctrl+B", "click Bé l'été", "Ctrl+Shift+G ff8000"},
            "/:2- A:2-*{ff,80000005} A1:2-{1,2} A11:1 A2:1 a.zip:zip d.mkv:mkv [Bé "
            "l'été:2-{0,ff8000}] B1:1 "
            "c.txt:txt e.mkv:mkv ");
        // A level is a depth; only nodes of the selected node's kind take its style.
        row("level", {"open", "click A1", "style", "Ctrl+L", "click a.zip", "style", "Ctrl+L"},
            "/:2- A:2- A1:2-*{1,2} A11:1 A2:1*{1,2} [a.zip:zip*{1,2}] d.mkv:mkv*{1,2} Bé l'été:2- "
            "B1:1*{1,2} c.txt:txt e.mkv:mkv ");
        // A right click opens the menu but keeps the selection; a left click moves it.
        row("right and left click",
            {"open", "click A", "style", "right Bé l'été", "Ctrl+B", "click Bé l'été", "Ctrl+B"},
            "/:2- A:2-{1,2} A1:2- A11:1 A2:1 a.zip:zip d.mkv:mkv [Bé l'été:2-*] B1:1 c.txt:txt "
            "e.mkv:mkv ");
        row("delete a branch", {"open", "click A", "Del"},
            "/:2- [Bé l'été:2-] B1:1 c.txt:txt e.mkv:mkv ");
        row("delete the root", {"open", "Del"}, "");
    }
    void treeSteps()
    {
        QFETCH(QStringList, steps);
        Window w;
        for (const QString& step : steps)
            w.run(step);
        QCOMPARE(w.dialogs.callsOf("ShowColor").size(),
                 size_t(steps.filter(QRegularExpression("Colors|Shift\\+[TG]")).size()));
        QString shown;
        for (QModelIndex i = w.model().index(0, 0); i.isValid(); i = w.view()->indexBelow(i)) {
            const Node* n = w.model().nodeOf(i);
            const ImageRef picture = shownPicture(n);
            QString row = (n->parent() ? n->text() : "/") + ':' +
                          (picture.isKey() ? picture.key() : QString::number(picture.number())) +
                          (n->childCount() ? (w.view()->isExpanded(i) ? "-" : "+") : "") +
                          (n->bold() ? "*" : "");
            if (n->foreColor() != kDefaultForeColor || n->backColor() != kDefaultBackColor)
                row += QString("{%1,%2}").arg(n->foreColor(), 0, 16).arg(n->backColor(), 0, 16);
            shown += (n == w.tree().selectedItem() ? "[" + row + "]" : row) + ' ';
        }
        QTEST(shown, "rows");
    }

    // Closing the window, a new tree and opening a document ask first exactly
    // when the tree has unsaved changes; each answer does what it says.
    void unsavedChanges_data()
    {
        QTest::addColumn<QString>("change"); // none, edit, expand (undone: undoHistory)
        QTest::addColumn<QString>("action"); // close, start, open
        // save, unsaved (save dialog cancelled), discard, cancel, "-" not asked
        QTest::addColumn<QString>("answer");
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
        w.run("start");
        w.dialogs.savePaths.push_back(saved);
        w.run("mnuSave");
        QVERIFY(!w.modified());
        w.run("click A");
        if (change == "edit")
            w.run("Ctrl+B");
        if (change == "expand")
            w.run("*");
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
            w.control<QAction>("mnuLoad")->trigger();
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

    // Undone to the saved tree nothing is unsaved, past it or redone away from
    // it something is; the last MaxSteps edits are kept; a new tree has no history.
    void undoHistory()
    {
        Window w;
        w.run("start");
        w.run("click A");
        w.run("Ctrl+B");
        w.dialogs.savePaths.push_back(w.dir.filePath("s.kvx"));
        w.run("mnuSave");
        for (const auto& [keys, modified] : {std::pair{"Ctrl+B", true},
                                             {"Ctrl+Z", false},
                                             {"Ctrl+Z", true},
                                             {"Ctrl+Y", false},
                                             {"Ctrl+Z", true},
                                             {"Ctrl+B", true}}) {
            w.act(keys);
            QCOMPARE(w.modified(), modified);
        }
        for (size_t i = 0; i < TreeHistory::MaxSteps + 2; ++i)
            QTest::keySequence(w.view(), QKeySequence("Ctrl+B"));
        int undone = 0;
        for (; w.control<QAction>("mnuUndo")->isEnabled() && undone < 200; ++undone)
            QTest::keySequence(w.view(), QKeySequence("Ctrl+Z"));
        QCOMPARE(undone, int(TreeHistory::MaxSteps));
        w.act("Ctrl+Y");
        w.run("start");
        for (const char* item : {"mnuUndo", "mnuRedo"})
            QVERIFY(!w.control<QAction>(item)->isEnabled());
    }

    // What a scan leaves out is told once, in a box titled "KVX", naming only
    // the kinds left out; the tree keeps what was built. A start folder that
    // cannot be read is told too.
    void leftOutIsTold()
    {
        Window w;
        const QString locked = w.dir.filePath("locked");
        QVERIFY(::mkdir(QFile::encodeName(w.disc) + "/A/bad\xff", 0755) == 0 &&
                ::mkdir(QFile::encodeName(w.disc) + "/shut", 0) == 0 && QDir().mkdir(locked) &&
                QFile::setPermissions(locked, {}));
        const WithoutReadRights asAUser;
        for (const QString& folder : {w.disc, locked}) {
            w.window.workspace().history().markSaved(); // nothing to ask first
            w.dialogs.calls.clear();
            w.dialogs.folders.push_back(folder);
            QTest::mouseClick(w.control<QWidget>("cmdStartPoint"), Qt::LeftButton);
            QTest::keyClick(w.window.TV(), Qt::Key_Asterisk); // more scans, nothing more left out
            QTest::qWait(200);
            const auto boxes = w.dialogs.callsOf("MsgBox");
            QCOMPARE(boxes.size(), size_t(1));
            QCOMPARE(
                boxes[0].args,
                (QStringList{
                    folder == locked
                        ? "Le dossier de départ ne peut pas être lu :\n" + locked
                        : "Des dossiers ou des fichiers n'ont pas été ajoutés à "
                          "l'arbre :\n1 au nom illisible\n1 dont le contenu ne peut pas être lu",
                    "KVX"}));
            QCOMPARE(w.tree().isEmpty(), folder == locked); // the tree keeps what was built
        }
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
};

QTEST_MAIN(TestFrMain)
#include "tst_frMain.moc"
