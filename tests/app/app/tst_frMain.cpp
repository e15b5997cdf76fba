#include "app/MainWindowFixture.h"
#include "app/frMain.h"
#include "tree/FileCategories.h"
#include "tree/ImageList.h"
#include "tree/NodeTree.h"
#include "tree/NodeTreeView.h"
#include "tree/TreeModel.h"
#include "util/Twips.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

using namespace kvx;

namespace {

const QString kProgramDir = QStringLiteral(KVX_TEST_PROGRAM_DIR);

// The real window, loaded, on a program folder of the test's choosing.
struct Window : kvx::test::MainWindowFixture
{
    int languageListings = 0;

    explicit Window(const QString& programDir = kProgramDir) : MainWindowFixture(programDir)
    {
        window.setLanguageFilesLister([this] { ++languageListings; });
        window.Form_Load();
    }
    NodeTree& tree() { return window.tree(); }
    Node* node(const QString& text)
    {
        for (int i = 1; i <= tree().count(); ++i) {
            if (tree().nodeAt(i)->text() == text)
                return tree().nodeAt(i);
        }
        return nullptr;
    }
    QPoint centreOf(const QString& text)
    {
        return window.TV()->visualRect(window.treeModel().indexOf(node(text))).center();
    }
    QString countLabel() { return window.control<QLabel>("lblNbElements")->text(); }

    // m holds the folders f1 (with the folder g and the file 1.7z) and f2 and
    // the file a.zip; the tags are a scan's, misleading for a level by tag.
    void buildMixedTree()
    {
        Node* m = tree().addRoot("/m/", "m", image::OpenFolder, image::SelectedFolder);
        Node* f1 = tree().addChild(m, "/m/f1/", "f1", image::ClosedFolder, image::SelectedFolder);
        tree().addChild(m, QString(), "a.zip", "zip");
        tree().addChild(m, "/m/f2/", "f2", image::ClosedFolder, image::SelectedFolder);
        tree().addChild(f1, "/m/f1/g/", "g", image::ClosedFolder, image::SelectedFolder);
        tree().addChild(f1, QString(), "1.7z", "fil");
        const QStringList tags{"0E", "1E", "ZIP", "1", "2", "7Z"};
        for (int i = 1; i <= tree().count(); ++i)
            tree().setTag(tree().nodeAt(i), tags[i - 1]);
        tree().setExpanded(m, true);
        tree().setExpanded(f1, true);
    }
    // The tree in collection order: text, "*" when bold, the colours that
    // differ from the defaults; the selected node in brackets.
    QString dump()
    {
        QStringList rows;
        for (int i = 1; i <= tree().count(); ++i) {
            const Node* n = tree().nodeAt(i);
            QString row = n->text() + (n->bold() ? "*" : "");
            if (n->foreColor() != kDefaultForeColor)
                row += ":f" + QString::number(n->foreColor(), 16);
            if (n->backColor() != kDefaultBackColor)
                row += ":b" + QString::number(n->backColor(), 16);
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
        QTest::addColumn<QString>("state"); // on, off, hidden, autosize, fixed, above TV, shortcut

        const auto row = [](const char* name, const char* container, const QString& caption,
                            QRect twips, const char* state = "") {
            QTest::newRow(name) << name << container << caption << twips << state;
        };
        row("frMain", "", "KVX", {0, 0, 9600, 6525}, "fixed");
        row("picTv", "FraTb(0)", "", {0, 0, 6060, 6060});
        row("TV", "picTv", "", {0, 0, 6000, 6000});
        row("VLine", "picTv", "", {3730, 0, 3, 6060}, "above TV");
        row("cmdStartPoint", "FraTb(0)", "Commencer l'arbre depuis ...", {6120, 60, 3105, 315});
        row("txtStartPath", "FraTb(0)", QDir::rootPath(), {6120, 420, 3075, 315});
        row("chkFile(7)", "frmPattern", "Archives", {1560, 795, 1335, 225}, "off");
        row("Frame1", "FraTb(0)", "Nombre de lignes :", {6180, 2820, 3015, 1335});
        row("opLines(2)", "Frame1", "50", {1320, 240, 555, 255}, "on");
        row("lblNbElements", "Frame1", "0", {2520, 960, 90, 195}, "autosize");
        row("chkImageNb", "Frame2", "Dossier en Noir && Blanc", {60, 240, 2115, 255}, "off");
        row("chkNb", "Frame2", "Imprimer en Couleur", {60, 540, 1815, 255}, "on");
        row("opColum(4)", "FraTb(0)", "3", {3700, 6075, 495, 195}, "on");
        row("Directory", "FraTb(0)", "", {1500, 1260, 2175, 2115}, "hidden");
        row("FileLNG", "frMain", "", {1140, 8130, 2175, 870});
        row("mnuGras", "mnuNode", "Gras", {}, "Ctrl+B");
        row("mnuForeColors", "mnuNode", "Couleur du Texte ...", {}, "");
        row("mnuSupprim", "mnuNode", "Supprimer", {}, "Del");
        row("mnuabout", "MNlangue", "A propos ...", {}, "");
    }
    void inventory()
    {
        QFETCH(QString, name);
        QFETCH(QString, container);
        QFETCH(QString, caption);
        QFETCH(QRect, twips);
        QFETCH(QString, state);
        Window w;
        QObject* object = w.window.control(name);
        QVERIFY(object);
        for (const char* property : {"text", "title", "windowTitle"}) {
            if (const QVariant text = object->property(property); text.isValid()) {
                QCOMPARE(text.toString(), caption);
                break;
            }
        }
        if (auto* action = qobject_cast<QAction*>(object)) {
            QVERIFY(w.window.control<QMenu>(container)->actions().contains(action));
            QCOMPARE(action->shortcut().toString(QKeySequence::PortableText), state);
            return;
        }
        auto* widget = qobject_cast<QWidget*>(object);
        QCOMPARE(widget->isWindow() ? QString() : widget->parentWidget()->objectName(), container);
        const QRect expected = TwipsRect(twips.x(), twips.y(), twips.width(), twips.height());
        if (state == "autosize") {
            QCOMPARE(widget->pos(), expected.topLeft());
            QCOMPARE(widget->height(), expected.height());
            QVERIFY(widget->width() >= widget->sizeHint().width());
        } else {
            QCOMPARE(widget->isWindow() ? QRect({}, widget->size()) : widget->geometry(), expected);
        }
        QCOMPARE(widget->isVisible(), state != "hidden");
        if (state == "on" || state == "off")
            QCOMPARE(widget->property("checked").toBool(), state == "on");
        if (state == "fixed")
            QCOMPARE(widget->minimumSize(), widget->maximumSize());
        if (state == "above TV") {
            const QObjectList stack = widget->parentWidget()->children();
            QVERIFY(stack.indexOf(widget) > stack.indexOf(w.window.TV()));
        }
    }

    void startup_data()
    {
        QTest::addColumn<QStringList>(
            "icons"); // files in ico/ ("x=junk": no picture); "*" the shipped folder, "-" none
        QTest::addColumn<bool>("grey");         // windows not white
        QTest::addColumn<QStringList>("boxes"); // titles of the boxes shown
        QTest::addColumn<QStringList>("keys");  // icon keys loaded
        QTest::addColumn<int>("listings");      // language files listed
        const auto error = [](int number) {
            return QStringList{QStringLiteral("ERREUR n°%1 in xxxxxxxxxx").arg(number)};
        };
        QTest::newRow("shipped") << QStringList{"*"} << false << QStringList{}
                                 << QStringList{"odt", "mkv", "flac", "7z", "gz", "iso",  "deb",
                                                "sh",  "py",  "cpp",  "h",  "md", "json", "svg"}
                                 << 1;
        QTest::newRow("grey") << QStringList{"*"} << true << QStringList{"KVX"} << QStringList{}
                              << 1;
        QTest::newRow("grey, no ico folder")
            << QStringList{"-"} << true << QStringList{"KVX"} + error(76) << QStringList{} << 0;
        QTest::newRow("duplicate key") << QStringList{"a.ico", "fil.ico", "z.ico"} << false
                                       << error(35602) << QStringList{"a"} << 0;
        QTest::newRow("not a picture")
            << QStringList{"b.ico", "c.ico=junk"} << false << error(481) << QStringList{"b"} << 0;
        QTest::newRow("empty") << QStringList{} << false << QStringList{} << QStringList{} << 1;
        QTest::newRow("odd names")
            << QStringList{"My.Icon.ico", "Zip.ICO", "été l'x.ico", ".hidden.ico", "notes.txt"}
            << false << QStringList{} << QStringList{"my.icon", "zip", "été l'x"} << 1;
    }
    void startup()
    {
        QFETCH(QStringList, icons);
        QFETCH(bool, grey);
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, keys);
        QFETCH(int, listings);
        QTemporaryDir program;
        const bool shipped = icons == QStringList{"*"};
        if (!shipped && icons != QStringList{"-"})
            QVERIFY(QDir(program.path()).mkdir("ico"));
        for (const QString& entry : shipped ? QStringList() : icons.filter(".")) {
            const QString path = program.path() + "/ico/" + entry.section('=', 0, 0);
            if (entry.contains('=') || !path.endsWith(".ico", Qt::CaseInsensitive))
                QVERIFY(QFile(path).open(QIODevice::WriteOnly));
            else
                QVERIFY(QFile::copy(kProgramDir + "/ico/zip.ico", path));
        }
        const QPalette saved = QApplication::palette();
        QPalette palette = saved;
        if (grey)
            palette.setColor(QPalette::Base, QColor(200, 200, 200));
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
        if (grey) {
            const QString text = w.dialogs.calls.at(0).args[0];
            QVERIFY(text.startsWith("Attention vos fenêtres ne sont pas blanches"));
            QCOMPARE(text.count("\r\n"), 2);
        }
        QCOMPARE(w.languageListings, listings); // an error box ends start-up
        const ImageRegistry& registry = w.window.imageRegistry();
        QStringList loaded;
        for (int i = image::BuiltInCount + 1; i <= registry.count(); ++i)
            loaded << registry.keyAt(i);
        if (!shipped) {
            QCOMPARE(loaded, keys);
            return;
        }
        // An icon for every default category, and for common Linux files.
        const FileCategories categories;
        for (int i = 1; i < FileCategories::Count; ++i)
            keys += QString(categories.box(i).pattern).remove("*.").split(';');
        for (const QString& key : keys)
            QVERIFY2(loaded.contains(key), qPrintable(key));
    }

    void startCommand()
    {
        QTemporaryDir disc;
        for (const char* folder : {"Action/Heat", "Comédie l'été", "Zeta"})
            QVERIFY(QDir(disc.path()).mkpath(folder));
        Window w;
        auto* field = w.window.control<QLineEdit>("txtStartPath");
        w.dialogs.folders.push_back(disc.path());
        w.window.cmdStartPoint_Click();
        QCOMPARE(w.dialogs.callsOf("BrowseFolder").at(0).args, QStringList{"Choose a folder"});
        QCOMPARE(field->text(), disc.path());
        const Node* root = w.tree().nodeAt(1);
        QCOMPARE(root->key(), disc.path() + "/");
        QVERIFY(w.window.TV()->isExpanded(w.window.treeModel().indexOf(root)));
        QCOMPARE(root->childAt(1)->text(), QString("Comédie l'été"));
        QCOMPARE(root->childAt(0)->childCount(), 1); // one level ahead
        QCOMPARE(w.countLabel(), QString("4"));

        // A cancel leaves the field and the styled tree alone.
        w.tree().setBold(w.node("Zeta"), true);
        field->setText("typed");
        const QString before = w.dump();
        w.window.cmdStartPoint_Click();
        QCOMPARE(w.dialogs.callsOf("BrowseFolder").size(), size_t(2));
        QCOMPARE(field->text(), QString("typed"));
        QCOMPARE(w.dump(), before);
    }

    // Menu items run by their shortcut keys with the menu closed, or triggered.
    void nodeCommands_data()
    {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<bool>("styled"); // bold, red text on yellow before
        QTest::addColumn<int>("colour");  // the colour dialog's answer
        QTest::addColumn<QString>("after");
        const auto row = [](const char* name, const char* item, const char* selected, bool styled,
                            int colour, const char* after) {
            QTest::newRow(name) << QStringList{item} << selected << styled << colour << after;
        };
        row("bold", "mnuGras", "f1", false, -1, "m [f1*] a.zip f2 g 1.7z");
        row("not bold", "mnuGras", "f1", true, -1, "m [f1:fc8:bffff] a.zip f2 g 1.7z");
        row("text cancelled", "mnuForeColors", "f1", true, -1, "m [f1*:fc8:bffff] a.zip f2 g 1.7z");
        row("text black", "mnuForeColors", "f1", true, 0, "m [f1*:bffff] a.zip f2 g 1.7z");
        row("back", "mnuBackColors", "f1", false, 0xFF8000, "m [f1:bff8000] a.zip f2 g 1.7z");
        row("back cancelled", "mnuBackColors", "f1", true, -1, "m [f1*:fc8:bffff] a.zip f2 g 1.7z");
        row("delete subtree", "mnuSupprim", "f1", false, -1, "m [a.zip] f2");
        row("delete root", "mnuSupprim", "m", false, -1, "");
        // The level is the depth; only nodes of the selected node's kind.
        row("level folder", "mnuNiveau", "f1", true, -1,
            "m [f1*:fc8:bffff] a.zip f2*:fc8:bffff g 1.7z");
        row("level root", "mnuNiveau", "m", true, -1, "[m*:fc8:bffff] f1 a.zip f2 g 1.7z");
        row("level file", "mnuNiveau", "a.zip", true, -1, "m f1 [a.zip*:fc8:bffff] f2 g 1.7z");
        row("level 2 file", "mnuNiveau", "1.7z", true, -1, "m f1 a.zip f2 g [1.7z*:fc8:bffff]");
        row("level 2 folder", "mnuNiveau", "g", true, -1, "m f1 a.zip f2 [g*:fc8:bffff] 1.7z");
        QTest::newRow("no selection")
            << QStringList{"mnuGras", "mnuForeColors", "mnuBackColors", "mnuNiveau", "mnuSupprim"}
            << "" << false << 255 << "m f1 a.zip f2 g 1.7z";
    }
    void nodeCommands()
    {
        QFETCH(QStringList, items);
        QFETCH(QString, selected);
        QFETCH(bool, styled);
        QFETCH(int, colour);
        QFETCH(QString, after);
        Window w;
        w.buildMixedTree();
        w.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        w.window.TV()->setFocus(); // before the selection: focus selects a first node
        Node* node = w.node(selected);
        w.tree().setSelectedItem(node);
        if (styled) {
            w.tree().setBold(node, true);
            w.tree().setForeColor(node, rgbColour(200, 0, 0));
            w.tree().setBackColor(node, rgbColour(255, 255, 0));
        }
        for (const QString& item : items) {
            w.dialogs.colours.push_back(colour);
            auto* action = w.window.control<QAction>(item);
            if (action->shortcut().isEmpty())
                action->trigger();
            else
                QTest::keySequence(w.window.TV(), action->shortcut());
        }
        QCOMPARE(w.dump(), after);
        QCOMPARE(w.dialogs.callsOf("ShowColor").size(), size_t(items.filter("Colors").size()));
        w.window.TV_MouseUp(Qt::LeftButton, {}, {});
        QCOMPARE(w.countLabel(), QString::number(w.tree().count()));
    }

    void rightClickKeepsTheSelection()
    {
        Window w;
        w.buildMixedTree();
        w.tree().setSelectedItem(w.node("f2"));
        w.tree().setBold(w.node("f2"), true);
        QWidget* viewport = w.window.TV()->viewport();
        QTest::mouseClick(viewport, Qt::RightButton, {}, w.centreOf("f1"));
        QCOMPARE(w.dump(), QString("m f1 a.zip [f2*] g 1.7z"));
        QCOMPARE(w.window.TV()->currentIndex(), w.window.treeModel().indexOf(w.node("f2")));
        QVERIFY(w.window.mnuNode()->isVisible());
        QVERIFY(w.window.control<QAction>("mnuGras")->isChecked());
        QCOMPARE(w.countLabel(), QString("6"));
        w.window.mnuNode()->hide();

        // A left click selects, and the mark follows the new node.
        QTest::mouseClick(viewport, Qt::LeftButton, {}, w.centreOf("f1"));
        QCOMPARE(w.tree().selectedItem(), w.node("f1"));
        QVERIFY(!w.window.control<QAction>("mnuGras")->isChecked());
        QVERIFY(!w.window.mnuNode()->isVisible());
    }
};

QTEST_MAIN(TestFrMain)
#include "tst_frMain.moc"
