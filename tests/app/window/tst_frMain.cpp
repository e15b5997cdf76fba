#include "app/MainWindowFixture.h"
#include "core/tree/ScanDoubles.h"
#include "history/TreeHistory.h"
#include "tree/FileCategories.h"
#include "tree/ImageRegistry.h"
#include "tree/NodeTree.h"
#include "tree/NodeTreeView.h"
#include "tree/TreeModel.h"
#include "tree/TreeWalks.h"
#include "util/Twips.h"
#include "workspace/Workspace.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

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
    QString text(const char* control)
    {
        return this->control(control)->property("text").toString();
    }
};

// A node's picture when not selected.
ImageRef shownPicture(const Node* n)
{
    return n->expanded() && !n->expandedImage().isNone() ? n->expandedImage() : n->image();
}

// The view shows the tree's rows in print order, each node open in the view
// exactly when open in the tree, and the count says how many rows there are.
// Every open folder went through the expansion: tag "E", open picture, and each
// of its folder children knows whether it has sub-folders on the disc.
void verifyAgree(Window& w, const QString& disc)
{
    const TreeModel& model = w.window.treeModel();
    const NodeTreeView* view = w.window.TV();
    QStringList viewRows;
    for (QModelIndex i = model.index(0, 0); i.isValid(); i = view->indexBelow(i))
        viewRows << QString(2 * model.nodeOf(i)->depth(), ' ') + model.nodeOf(i)->text();
    QCOMPARE(viewRows, RowTexts(w.tree()));
    QCOMPARE(w.text("lblNbElements"), QString::number(viewRows.size()));
    const bool bw = w.control<QAbstractButton>("chkImageNb")->isChecked();
    for (int i = 1; i <= w.tree().count(); ++i) {
        const Node* n = w.tree().nodeAt(i);
        if (n->childCount() == 0)
            continue;
        QVERIFY2(view->isExpanded(model.indexOf(n)) == n->expanded(), qPrintable(n->key()));
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
}

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

    // A user's steps on a real disc, each followed by a check that the view,
    // the count and the rows in print order agree, and that every open node
    // went through the expansion (tag "E", open picture, sub-folders of its
    // children read). Steps: "start" (the folder chosen; "cancel" cancels it),
    // "open" (start, all files added, the root clicked and "*"), "click ROW",
    // "right ROW" (opens the menu, then closes it), "focus", the keys "*" and
    // "-", "style" (the selected node bold, colour 1 on 2), a menu item by its
    // shortcut key (the colour dialog's answer after it, cancelled without),
    // "expandAll" (the view's own), a button or a box by name.
    // The rows after the last step: text (the root "/"), the picture shown,
    // "+" closed or "-" open when it has children, "*" bold, {text colour,
    // background} unless both are the defaults; the selected row in brackets.
    void treeSteps_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("rows");
        const auto row = [](const char* name, const QStringList& steps, const QString& rows) {
            QTest::newRow(name) << steps << rows;
        };
        row("start", {"start"}, "/:2- A:1+ Bé l'été:1+");
        row("cancel keeps the tree", {"start", "click A", "cancel"}, "/:2- [A:1+] Bé l'été:1+");
        row("star on a folder, then on the root", {"start", "click Bé l'été", "*", "click /", "*"},
            "[/:2-] A:2- A1:2- A11:1 A2:1 Bé l'été:2- B1:1");
        row("star again after a collapse", {"start", "click A", "*", "-", "*"},
            "/:2- [A:2-] A1:2- A11:1 A2:1 Bé l'été:1+");
        row("expand all", {"start", "expandAll"}, "/:2- A:2- A1:2- A11:1 A2:1 Bé l'été:2- B1:1");
        // Every folder picture set while the box is ticked is a black-and-white one.
        row("black and white", {"chkImageNb", "start", "chkFile(0)", "cmdExe", "click A", "*"},
            "/:5- [A:5-] A1:5- A11:4 A2:4 a.zip:zip Bé l'été:4+ c.txt:txt");
        row("colour again", {"chkImageNb", "open", "chkImageNb"},
            "[/:2-] A:2- A1:2- A11:1 A2:1 a.zip:zip Bé l'été:2- B1:1 c.txt:txt");
        row("files removed, added, a branch deleted",
            {"start", "chkFile(0)", "cmdExe", "click A", "Command1", "cmdExe", "Del"},
            "/:2- [Bé l'été:1+] c.txt:txt");
        // With no node selected (focus alone selects none, a right click
        // neither) the node commands do nothing, the colour dialog still opens.
        row("no selection",
            {"start", "focus", "right A", "Ctrl+B", "mnuForeColors ff", "mnuBackColors ff",
             "Ctrl+L", "Del", "*"},
            "/:2- A:1+ Bé l'été:1+");
        const QString all = "/:2- A:2- A1:2- A11:1 A2:1 a.zip:zip Bé l'été:2- B1:1 c.txt:txt";
        const auto with = [&](const QString& text, const QString& marks, bool selected = true) {
            QString rows = all;
            const QString cell = text + ':' + all.section(text + ':', 1).section(' ', 0, 0);
            return rows.replace(cell, selected ? '[' + cell + marks + ']' : cell + marks);
        };
        row("bold", {"open", "click A", "Ctrl+B"}, with("A", "*"));
        row("not bold", {"open", "click A", "style", "Ctrl+B"}, with("A", "{1,2}"));
        row("text cancelled", {"open", "click A", "style", "mnuForeColors"}, with("A", "*{1,2}"));
        row("text black", {"open", "click A", "style", "mnuForeColors 0"}, with("A", "*{0,2}"));
        row("back", {"open", "click A", "mnuBackColors ff8000"}, with("A", "{0,ff8000}"));
        row("back cancelled", {"open", "click A", "style", "mnuBackColors"}, with("A", "*{1,2}"));
        row("delete a branch", {"open", "click A", "Del"}, "/:2- [Bé l'été:2-] B1:1 c.txt:txt");
        row("delete the root", {"open", "Del"}, "");
        // The level is the depth; only nodes of the selected node's kind.
        row("level 1", {"open", "click A", "style", "Ctrl+L"},
            with("A", "*{1,2}").replace("Bé l'été:2-", "Bé l'été:2-*{1,2}"));
        row("level root", {"open", "style", "Ctrl+L"}, with("/", "*{1,2}"));
        row("level 1 file", {"open", "click c.txt", "style", "Ctrl+L"}, with("c.txt", "*{1,2}"));
        row("level 2 file", {"open", "click a.zip", "style", "Ctrl+L"}, with("a.zip", "*{1,2}"));
        row("level 2", {"open", "click A1", "style", "Ctrl+L"},
            with("A1", "*{1,2}").replace("A2:1", "A2:1*{1,2}").replace("B1:1", "B1:1*{1,2}"));
        // A right click opens the menu but keeps the selection.
        row("right click", {"open", "click A", "style", "right Bé l'été", "Ctrl+B"},
            with("A", "{1,2}"));
        row("left click", {"open", "click A", "style", "click Bé l'été", "Ctrl+B"},
            with("A", "*{1,2}", false).replace("Bé l'été:2-", "[Bé l'été:2-*]"));
    }
    void treeSteps()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, rows);
        QTemporaryDir disc;
        QVERIFY(QDir(disc.path()).mkpath("A/A1/A11") && QDir(disc.path()).mkpath("A/A2") &&
                QDir(disc.path()).mkpath("Bé l'été/B1"));
        for (const char* file : {"c.txt", "A/a.zip"})
            QVERIFY(QFile(disc.filePath(file)).open(QIODevice::WriteOnly));
        Window w;
        NodeTreeView* view = w.window.TV();
        const TreeModel& model = w.window.treeModel();
        w.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        const auto rowOf = [&](const QString& text) {
            for (QModelIndex i = model.index(0, 0); i.isValid(); i = view->indexBelow(i)) {
                if (text == (i.parent().isValid() ? i.data().toString() : "/"))
                    return i;
            }
            return QModelIndex();
        };
        QStringList all;
        for (const QString& step : steps)
            all << (step == "open" ? QStringList{"start", "chkFile(0)", "cmdExe", "click /", "*"}
                                   : QStringList{step});
        for (const QString& step : all) {
            const QString arg = step.section(' ', 1);
            if (step == "start" || step == "cancel") {
                if (w.window.workspace().history().isModified())
                    w.dialogs.messageAnswers.push_back(MessageResult::No); // not saved
                w.dialogs.folders.push_back(step == "start" ? disc.path() : QString());
                QTest::mouseClick(w.control<QWidget>("cmdStartPoint"), Qt::LeftButton);
                QCOMPARE(w.dialogs.callsOf("BrowseFolder").back().args,
                         QStringList{"Choose a folder"});
                QCOMPARE(w.text("txtStartPath"), disc.path());
            } else if (step.startsWith("click") || step.startsWith("right")) {
                const bool right = step.startsWith("right");
                QVERIFY2(rowOf(arg).isValid(), qPrintable(step));
                QTest::mouseClick(view->viewport(), right ? Qt::RightButton : Qt::LeftButton, {},
                                  view->visualRect(rowOf(arg)).center());
                QCOMPARE(w.window.mnuNode()->isVisible(), right);
                w.window.mnuNode()->hide();
                const Node* selected = w.tree().selectedItem();
                QCOMPARE(view->currentIndex(), model.indexOf(selected));
                QVERIFY(!selected ||
                        w.control<QAction>("mnuGras")->isChecked() == selected->bold());
            } else if (step == "focus") {
                view->setFocus(Qt::TabFocusReason);
            } else if (step == "expandAll") {
                view->expandAll();
            } else if (step == "style") {
                w.tree().setBold(w.tree().selectedItem(), true);
                w.tree().setForeColor(w.tree().selectedItem(), Colour(1));
                w.tree().setBackColor(w.tree().selectedItem(), Colour(2));
            } else if (auto* item = w.control<QAction>(step.section(' ', 0, 0))) {
                if (!arg.isEmpty())
                    w.dialogs.colours.push_back(arg.toInt(nullptr, 16));
                item->trigger();
            } else if (!w.control(step)) {
                QTest::keySequence(view, QKeySequence(step));
            } else {
                auto* button = w.control<QAbstractButton>(step);
                QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
            }
            QVERIFY(!QApplication::overrideCursor());
            verifyAgree(w, disc.path());
        }
        QCOMPARE(w.dialogs.callsOf("ShowColor").size(), size_t(steps.filter("Colors").size()));
        QStringList shown;
        for (QModelIndex i = model.index(0, 0); i.isValid(); i = view->indexBelow(i)) {
            const Node* n = model.nodeOf(i);
            const ImageRef picture = shownPicture(n);
            QString row = (n->parent() ? n->text() : "/") + ':' +
                          (picture.isKey() ? picture.key() : QString::number(picture.number())) +
                          (n->childCount() ? (view->isExpanded(i) ? "-" : "+") : "") +
                          (n->bold() ? "*" : "");
            if (n->foreColor() != kDefaultForeColor || n->backColor() != kDefaultBackColor)
                row += QString("{%1,%2}").arg(n->foreColor(), 0, 16).arg(n->backColor(), 0, 16);
            shown << (n == w.tree().selectedItem() ? "[" + row + "]" : row);
        }
        QCOMPARE(shown.join(' '), rows);
    }

    // What a scan leaves out is told once, in a box titled "KVX"; the tree
    // keeps what was built. A start folder that cannot be read is told too.
    void leftOutIsTold()
    {
        QTemporaryDir disc;
        QVERIFY(QDir(disc.path()).mkpath("ok/sub") && QDir(disc.path()).mkdir("locked") &&
                ::mkdir(QFile::encodeName(disc.path()) + "/ok/bad\xff", 0755) == 0 &&
                QFile::setPermissions(disc.filePath("locked"), QFileDevice::Permissions()));
        Window w;
        const WithoutReadRights asAUser;
        for (const QString& folder : {disc.path(), disc.filePath("locked")}) {
            w.dialogs.messageAnswers.push_back(MessageResult::No); // the scan is not saved
            w.dialogs.folders.push_back(folder);
            QTest::mouseClick(w.control<QWidget>("cmdStartPoint"), Qt::LeftButton);
            QTest::keyClick(w.window.TV(), Qt::Key_Asterisk); // more scans, nothing more left out
            const QString told = folder == disc.path()
                                     ? "Des dossiers ou des fichiers n'ont pas été ajoutés à "
                                       "l'arbre :\n1 au nom illisible, 0 au chemin trop long"
                                     : "Le dossier de départ ne peut pas être lu :\n" + folder;
            QTRY_VERIFY(!w.dialogs.calls.empty() &&
                        w.dialogs.calls.back().args[0].startsWith(told));
            QTest::qWait(200);
            QCOMPARE(std::count_if(w.dialogs.calls.begin(), w.dialogs.calls.end(),
                                   [&](const auto& call) { return call.args[0].startsWith(told); }),
                     1);
            QCOMPARE(w.dialogs.calls.back().args[1], QString("KVX"));
            QCOMPARE(w.tree().count(), folder == disc.path() ? 4 : 0);
            w.dialogs.calls.clear();
        }
        QFile::setPermissions(disc.filePath("locked"),
                              QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
};

QTEST_MAIN(TestFrMain)
#include "tst_frMain.moc"
