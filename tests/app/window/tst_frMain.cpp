#include "app/MainWindowFixture.h"
#include "tree/FileCategories.h"
#include "tree/ImageRegistry.h"
#include "tree/NodeTree.h"
#include "tree/NodeTreeView.h"
#include "tree/TreeModel.h"
#include "util/Twips.h"
#include "workspace/Workspace.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

using namespace kvx;

namespace {

const QString kProgramDir = QStringLiteral(KVX_TEST_PROGRAM_DIR);

// The real window, loaded, on a program folder of the test's choosing.
struct Window : kvx::test::MainWindowFixture
{
    explicit Window(const QString& programDir = kProgramDir) : MainWindowFixture(programDir)
    {
        window.Form_Load();
    }
    NodeTree& tree() { return window.tree(); }
    Node* node(const QString& key) { return tree().findByKey(key); }
    QString text(const char* control)
    {
        return this->control(control)->property("text").toString();
    }
    // m holds the folders f1 (with the folder g and the file 1.7z) and f2 and
    // the file a.zip, each keyed by its text; the tags are a scan's, which
    // mislead a level read from them.
    void buildMixedTree()
    {
        using namespace image;
        tree().setTag(tree().addRoot("m", "m", OpenFolder, SelectedFolder), "0E");
        tree().setTag(tree().addChild("m", "f1", "f1", ClosedFolder, SelectedFolder), "1E");
        tree().setTag(tree().addChild("m", "a.zip", "a.zip", "zip"), "ZIP");
        tree().setTag(tree().addChild("m", "f2", "f2", ClosedFolder, SelectedFolder), "1");
        tree().setTag(tree().addChild("f1", "g", "g", ClosedFolder, SelectedFolder), "2");
        tree().setTag(tree().addChild("f1", "1.7z", "1.7z", "fil"), "7Z");
        tree().setExpanded(node("m"), true);
        tree().setExpanded(node("f1"), true);
    }
    // The tree in collection order: text, "*" when bold, ":fore:back" unless
    // both colours are the defaults; the selected node in brackets.
    QString dump()
    {
        QStringList rows;
        for (int i = 1; i <= tree().count(); ++i) {
            const Node* n = tree().nodeAt(i);
            QString row = n->text() + (n->bold() ? "*" : "");
            if (n->foreColor() != kDefaultForeColor || n->backColor() != kDefaultBackColor)
                row += QString(":%1:%2").arg(n->foreColor(), 0, 16).arg(n->backColor(), 0, 16);
            rows << (n == tree().selectedItem() ? "[" + row + "]" : row);
        }
        return rows.join(' ');
    }
};

} // namespace

class TestFrMain : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A sample of every kind of control, menu item and state.
    void inventory_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QString>("state"); // on, off, hidden, autosize, above TV; shortcut
        const auto row = [](const char* name, const char* container, const QString& caption,
                            QRect twips, const char* state = "") {
            QTest::newRow(name) << name << container << caption << twips << state;
        };
        row("frMain", "", "KVX", {0, 0, 9600, 6525});
        row("TV", "picTv", "", {0, 0, 6000, 6000});
        row("VLine", "picTv", "", {3730, 0, 3, 6060}, "above TV");
        row("txtStartPath", "FraTb(0)", QDir::rootPath(), {6120, 420, 3075, 315});
        row("chkFile(7)", "frmPattern", "Archives", {1560, 795, 1335, 225}, "off");
        row("Frame1", "FraTb(0)", "Nombre de lignes :", {6180, 2820, 3015, 1335});
        row("opLines(2)", "Frame1", "50", {1320, 240, 555, 255}, "on");
        row("lblNbElements", "Frame1", "0", {2520, 960, 90, 195}, "autosize");
        row("chkImageNb", "Frame2", "Dossier en Noir && Blanc", {60, 240, 2115, 255}, "off");
        row("opColum(4)", "FraTb(0)", "3", {3700, 6075, 495, 195}, "on");
        row("Directory", "FraTb(0)", "", {1500, 1260, 2175, 2115}, "hidden");
        row("FileLNG", "frMain", "", {1140, 8130, 2175, 870});
        row("mnuGras", "mnuNode", "Gras", {}, "Ctrl+B");
        row("mnuabout", "MNlangue", "A propos ...", {});
    }
    void inventory()
    {
        QFETCH(QString, name);
        QFETCH(QString, container);
        QFETCH(QString, caption);
        QFETCH(QRect, twips);
        QFETCH(QString, state);
        Window w;
        QObject* object = w.control(name);
        const char* text = object->property("text").isValid() ? "text" : "title";
        QCOMPARE(
            object->property(object->property(text).isValid() ? text : "windowTitle").toString(),
            caption);
        if (auto* action = qobject_cast<QAction*>(object)) {
            QVERIFY(w.control<QMenu>(container)->actions().contains(action));
            QCOMPARE(action->shortcut().toString(QKeySequence::PortableText), state);
            return;
        }
        auto* widget = qobject_cast<QWidget*>(object);
        QCOMPARE(widget->isWindow() ? QString() : widget->parentWidget()->objectName(), container);
        QRect geometry = widget->isWindow() ? QRect({}, widget->maximumSize()) : widget->geometry();
        if (state == "autosize") { // at least as wide as its text
            QVERIFY(geometry.width() >= widget->sizeHint().width());
            geometry.setWidth(TwipsToVisiblePixels(twips.width()));
        }
        QCOMPARE(geometry, TwipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
        QCOMPARE(widget->size(), geometry.size());
        QCOMPARE(widget->isVisible(), state != "hidden");
        QCOMPARE(widget->property("checked").toBool(), state == "on");
        if (state == "above TV") {
            const QObjectList stack = widget->parentWidget()->children();
            QVERIFY(stack.indexOf(widget) > stack.indexOf(w.window.TV()));
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
        QFETCH(QStringList, boxes);
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

        QCOMPARE(w.window.dialogs().MehWnd(), &w.window);
        QStringList titles;
        for (const auto& box : w.dialogs.callsOf("MsgBox")) {
            titles << box.args[1];
            QCOMPARE(box.icon, MessageIcon::Critical);
        }
        QCOMPARE(titles, boxes);
        const QString first = titles.isEmpty() ? QString() : w.dialogs.calls.at(0).args[0];
        QCOMPARE(first.startsWith("Attention vos fenêtres ne sont pas blanches"), grey);
        QVERIFY(!grey || first.count("\r\n") == 2);
        // An error box ends start-up before the language files are listed.
        QCOMPARE(w.control<QListWidget>("FileLNG")->count() > 0, titles.filter("ERREUR").isEmpty());
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

    void startCommand()
    {
        QTemporaryDir disc;
        for (const char* folder : {"Action/Heat", "Comédie l'été", "Zeta"})
            QVERIFY(QDir(disc.path()).mkpath(folder));
        Window w;
        w.dialogs.folders.push_back(disc.path());
        w.window.cmdStartPoint_Click();
        QCOMPARE(w.dialogs.callsOf("BrowseFolder").at(0).args, QStringList{"Choose a folder"});
        QCOMPARE(w.text("txtStartPath"), disc.path());
        const Node* root = w.tree().nodeAt(1);
        QCOMPARE(root->key(), disc.path() + "/");
        QVERIFY(w.window.TV()->isExpanded(w.window.treeModel().indexOf(root)));
        QCOMPARE(root->childAt(1)->text(), QString("Comédie l'été"));
        QCOMPARE(w.text("lblNbElements"), QString("4"));

        // A cancel leaves the field and the styled tree alone.
        w.tree().setBold(w.node(disc.path() + "/Zeta/"), true);
        w.control("txtStartPath")->setProperty("text", "typed");
        const QString before = w.dump();
        w.dialogs.messageAnswers.push_back(MessageResult::No); // the scan is not saved
        w.window.cmdStartPoint_Click();
        QCOMPARE(w.dialogs.callsOf("BrowseFolder").size(), size_t(2));
        QCOMPARE(w.text("txtStartPath"), QString("typed"));
        QCOMPARE(w.dump(), before);
    }

    // Steps: a menu item run by its shortcut key with the menu closed (or
    // triggered when it has none), or a right or left click on a node.
    void nodeCommands_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<int>("colour"); // the colour dialog's answer
        QTest::addColumn<QString>("after");
        const auto row = [](const char* name, const QStringList& steps, const char* selected,
                            int colour, const char* after) {
            QTest::newRow(name) << steps << selected << colour << after;
        };
        // "style" makes the selected node bold, colour 1 on colour 2.
        row("bold", {"mnuGras"}, "f1", -1, "m [f1*] a.zip f2 g 1.7z");
        row("not bold", {"style", "mnuGras"}, "f1", -1, "m [f1:1:2] a.zip f2 g 1.7z");
        row("text cancelled", {"style", "mnuForeColors"}, "f1", -1, "m [f1*:1:2] a.zip f2 g 1.7z");
        row("text black", {"style", "mnuForeColors"}, "f1", 0, "m [f1*:0:2] a.zip f2 g 1.7z");
        row("back", {"mnuBackColors"}, "f1", 0xFF8000, "m [f1:0:ff8000] a.zip f2 g 1.7z");
        row("back cancelled", {"style", "mnuBackColors"}, "f1", -1, "m [f1*:1:2] a.zip f2 g 1.7z");
        row("delete subtree", {"mnuSupprim"}, "f1", -1, "m [a.zip] f2");
        row("delete root", {"mnuSupprim"}, "m", -1, "");
        // The level is the depth; only nodes of the selected node's kind.
        row("level 1", {"style", "mnuNiveau"}, "f1", -1, "m [f1*:1:2] a.zip f2*:1:2 g 1.7z");
        row("level root", {"style", "mnuNiveau"}, "m", -1, "[m*:1:2] f1 a.zip f2 g 1.7z");
        row("level file", {"style", "mnuNiveau"}, "a.zip", -1, "m f1 [a.zip*:1:2] f2 g 1.7z");
        row("level 2 file", {"style", "mnuNiveau"}, "1.7z", -1, "m f1 a.zip f2 g [1.7z*:1:2]");
        row("level 2", {"style", "mnuNiveau"}, "g", -1, "m f1 a.zip f2 [g*:1:2] 1.7z");
        row("no selection",
            {"mnuGras", "mnuForeColors", "mnuBackColors", "mnuNiveau", "mnuSupprim"}, "", 255,
            "m f1 a.zip f2 g 1.7z");
        // A right click opens the menu but keeps the selection.
        row("right click", {"style", "right f1", "mnuGras"}, "f2", -1,
            "m f1 a.zip [f2:1:2] g 1.7z");
        row("left click", {"style", "left f1", "mnuGras"}, "f2", -1,
            "m [f1*] a.zip f2*:1:2 g 1.7z");
    }
    void nodeCommands()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, selected);
        QFETCH(int, colour);
        QFETCH(QString, after);
        Window w;
        w.buildMixedTree();
        QTreeView* view = w.window.TV();
        w.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        view->setFocus(); // before the selection: focus selects a first node
        w.tree().setSelectedItem(w.node(selected));
        for (const QString& step : steps) {
            w.dialogs.colours.push_back(colour);
            auto* action = w.control<QAction>(step);
            if (step == "style") {
                w.tree().setBold(w.node(selected), true);
                w.tree().setForeColor(w.node(selected), Colour(1));
                w.tree().setBackColor(w.node(selected), Colour(2));
            } else if (!action) {
                const bool right = step.startsWith("right");
                const QModelIndex index =
                    w.window.treeModel().indexOf(w.node(step.mid(right ? 6 : 5)));
                QTest::mouseClick(view->viewport(), right ? Qt::RightButton : Qt::LeftButton, {},
                                  view->visualRect(index).center());
                QCOMPARE(w.window.mnuNode()->isVisible(), right);
                QCOMPARE(view->currentIndex(),
                         w.window.treeModel().indexOf(w.tree().selectedItem()));
                QCOMPARE(w.control<QAction>("mnuGras")->isChecked(),
                         w.tree().selectedItem()->bold());
                w.window.mnuNode()->hide();
            } else if (action->shortcut().isEmpty()) {
                action->trigger();
            } else {
                QTest::keySequence(view, action->shortcut());
            }
        }
        QCOMPARE(w.dump(), after);
        QCOMPARE(w.dialogs.callsOf("ShowColor").size(), size_t(steps.filter("Colors").size()));
        w.window.TV_MouseUp(Qt::LeftButton, {}, {});
        QCOMPARE(w.text("lblNbElements"), QString::number(w.tree().count()));
    }
};

QTEST_MAIN(TestFrMain)
#include "tst_frMain.moc"
