#include "app/MainWindowFixture.h"
#include "app/VLine.h"
#include "app/frMain.h"
#include "tree/ImageList.h"
#include "tree/NodeTree.h"
#include "tree/NodeTreeView.h"
#include "tree/TreeModel.h"
#include "util/Twips.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

using namespace kvx;
using kvx::test::ScriptedDialogs;

namespace {

const QString kProgramDir = QStringLiteral(KVX_TEST_PROGRAM_DIR);

// A window on a program folder of the test's choosing, with scripted dialogs.
struct Window : kvx::test::MainWindowFixture
{
    int languageListings = 0;

    explicit Window(const QString& programDir = kProgramDir, bool load = true)
        : MainWindowFixture(programDir)
    {
        window.setLanguageFilesLister([this] { ++languageListings; });
        if (load)
            window.Form_Load();
    }

    NodeTree& tree() { return window.tree(); }
    QModelIndex indexOf(const Node* node) { return window.treeModel().indexOf(node); }
    QPoint centreOf(const Node* node) { return window.TV()->visualRect(indexOf(node)).center(); }
    QString countLabel() { return window.control<QLabel>("lblNbElements")->text(); }
};

void copyIcon(const QString& to)
{
    QVERIFY(QFile::copy(kProgramDir + "/ico/zip.ico", to));
}

// root (folder) with folders f1, f2 and a file; f1 holds a folder and a file.
struct MixedTree
{
    Node* root;
    Node* f1;
    Node* f2;
    Node* rootFile;
    Node* f1Folder;
    Node* f1File;

    explicit MixedTree(NodeTree& tree)
    {
        root = tree.addRoot("/m/", "/m/", image::OpenFolder, image::SelectedFolder);
        tree.setTag(root, "0E");
        f1 = tree.addChild(root, "/m/f1/", "f1", image::ClosedFolder, image::SelectedFolder);
        tree.setTag(f1, "1E");
        rootFile = tree.addChild(root, QString(), "a.zip", "zip");
        tree.setTag(rootFile, "ZIP");
        f2 = tree.addChild(root, "/m/f2/", "f2", image::ClosedFolder, image::SelectedFolder);
        tree.setTag(f2, "1");
        f1Folder = tree.addChild(f1, "/m/f1/g/", "g", image::ClosedFolder, image::SelectedFolder);
        tree.setTag(f1Folder, "2");
        f1File = tree.addChild(f1, QString(), "1.7z", "fil");
        tree.setTag(f1File, "7Z");
        tree.setExpanded(root, true);
        tree.setExpanded(f1, true);
    }
};

struct Style
{
    bool bold;
    Colour fore;
    Colour back;
    friend bool operator==(const Style&, const Style&) = default;
};

Style styleOf(const Node* node)
{
    return {node->bold(), node->foreColor(), node->backColor()};
}

} // namespace

class TestFrMain : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void inventory_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<bool>("sizedToText");

        const auto row = [](const char* name, const char* container, const QString& caption,
                            QRect twips, bool sized = false) {
            QTest::newRow(name) << name << container << caption << twips << sized;
        };
        row("FraTb(0)", "frMain", "", {120, 120, 9270, 6285});
        row("picTv", "FraTb(0)", "", {0, 0, 6060, 6060});
        row("TV", "picTv", "", {0, 0, 6000, 6000});
        row("VLine", "picTv", "", {3730, 0, 3, 6060});
        row("cmdStartPoint", "FraTb(0)", "Commencer l'arbre depuis ...", {6120, 60, 3105, 315});
        row("txtStartPath", "FraTb(0)", QDir::rootPath(), {6120, 420, 3075, 315});
        row("frmPattern", "FraTb(0)", "", {6180, 900, 2955, 1275});
        row("chkFile(0)", "frmPattern", "Ajouter tous les fichiers", {120, 120, 2715, 225});
        row("chkFile(7)", "frmPattern", "Archives", {1560, 795, 1335, 225});
        row("Command1", "FraTb(0)", "Supprimer", {6180, 2220, 1065, 315});
        row("cmdExe", "FraTb(0)", "Ajouter ces fichiers", {7380, 2220, 1755, 315});
        row("Frame1", "FraTb(0)", "Nombre de lignes :", {6180, 2820, 3015, 1335});
        row("opLines(0)", "Frame1", "30", {120, 240, 555, 255});
        row("opLines(1)", "Frame1", "40", {720, 240, 555, 255});
        row("opLines(2)", "Frame1", "50", {1320, 240, 555, 255});
        row("Label2", "Frame1", "Nombre d'éléments imprimables :", {120, 600, 2295, 195}, true);
        row("lblImprimable", "Frame1", "150", {2520, 600, 270, 195}, true);
        row("Label1", "Frame1", "Nombre d'éléments à impimer :", {120, 960, 2145, 195}, true);
        row("lblNbElements", "Frame1", "0", {2520, 960, 90, 195}, true);
        row("Frame2", "FraTb(0)", "Impression", {6180, 4260, 2985, 915});
        row("chkImageNb", "Frame2", "Dossier en Noir && Blanc", {60, 240, 2115, 255});
        row("chkNb", "Frame2", "Imprimer en Couleur", {60, 540, 1815, 255});
        row("cmpProp", "FraTb(0)", "Propriétés", {6180, 5250, 1335, 375});
        row("cmdPrint", "FraTb(0)", "Imprimer", {7920, 5250, 1275, 375});
        row("cmdTranslate", "FraTb(0)", "translate ...", {6180, 5700, 1335, 375});
        row("lblNbColonnes", "FraTb(0)", "Nombre de colonnes :", {0, 6075, 1560, 195}, true);
        row("opColum(3)", "FraTb(0)", "4", {2700, 6075, 435, 195});
        row("opColum(4)", "FraTb(0)", "3", {3700, 6075, 495, 195});
        row("opColum(6)", "FraTb(0)", "2", {5700, 6075, 495, 195});
        row("Directory", "FraTb(0)", "", {1500, 1260, 2175, 2115});
        row("File1", "FraTb(0)", "", {1500, 3420, 2175, 870});
        row("Drive1", "FraTb(0)", "", {1500, 4380, 2175, 315});
        row("FileLNG", "frMain", "", {1140, 8130, 2175, 870});
    }
    void inventory()
    {
        QFETCH(QString, name);
        QFETCH(QString, container);
        QFETCH(QString, caption);
        QFETCH(QRect, twips);
        QFETCH(bool, sizedToText);
        Window w;
        auto* widget = w.window.control<QWidget>(name);
        QVERIFY2(widget, qPrintable(name));
        QCOMPARE(widget->parentWidget()->objectName(), container);
        QString shown;
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            shown = button->text();
        else if (auto* label = qobject_cast<QLabel*>(widget))
            shown = label->text();
        else if (auto* edit = qobject_cast<QLineEdit*>(widget))
            shown = edit->text();
        else if (auto* box = qobject_cast<QGroupBox*>(widget))
            shown = box->title();
        QCOMPARE(shown, caption);
        const QRect expected = TwipsRect(twips.x(), twips.y(), twips.width(), twips.height());
        if (sizedToText) {
            QCOMPARE(widget->pos(), expected.topLeft());
            QCOMPARE(widget->height(), expected.height());
            QVERIFY(widget->width() >= widget->sizeHint().width());
        } else {
            QCOMPARE(widget->geometry(), expected);
        }
    }

    void windowAndStates()
    {
        Window w;
        frMain& m = w.window;
        QCOMPARE(m.windowTitle(), QString("KVX"));
        QCOMPARE(m.width(), 640);
        QCOMPARE(m.minimumSize(), m.maximumSize());
        // The inner height is the frame's height plus 240 twips.
        QCOMPARE(m.height(), TwipsToVisiblePixels(6285 + 240));
        QVERIFY(m.isVisible());
        QVERIFY(m.control<QAbstractButton>("opLines(2)")->isChecked());
        QVERIFY(m.control<QAbstractButton>("opColum(4)")->isChecked());
        QVERIFY(m.control<QAbstractButton>("chkNb")->isChecked());
        QVERIFY(!m.control<QAbstractButton>("chkImageNb")->isChecked());
        for (int i = 0; i <= 8; ++i) {
            auto* box = m.control<QAbstractButton>(QStringLiteral("chkFile(%1)").arg(i));
            QVERIFY(box && !box->isChecked() && box->isEnabled());
        }
        for (const char* hidden : {"Directory", "File1", "Drive1"})
            QVERIFY(!m.control<QWidget>(hidden)->isVisible());
        QVERIFY(!m.rect().intersects(m.control<QWidget>("FileLNG")->geometry()));
        // The guide lies over the tree, its line on its own last pixel.
        const QObjectList stack = m.control<QWidget>("picTv")->children();
        QVERIFY(stack.indexOf(m.vLine()) > stack.indexOf(m.TV()));
        QCOMPARE(m.vLine()->line1().x1(), m.vLine()->width() - 1);
        QCOMPARE(m.jacket.ColumnCount, 3);
        QCOMPARE(m.jacket.LinesPerColumn, 50);
        QCOMPARE(m.jacket.ColumnOptionIndex, 4);
        QCOMPARE(m.dialogs().MehWnd(), &m);
        QVERIFY(!m.mnuNode()->isVisible());
        QVERIFY(!m.MNlangue()->isVisible());
    }

    void menus_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("items"); // name=caption=shortcut
        QTest::newRow("mnuNode") << "mnuNode"
                                 << QStringList{"mnuAddFile=Ajouter les fichiers=Ctrl+F",
                                                "mnuSep00==",
                                                "mnuGras=Gras=Ctrl+B",
                                                "mnuSep01==",
                                                "mnuForeColors=Couleur du Texte ...=",
                                                "mnuBackColors=Couleur du Fond ...=",
                                                "mnuSep02==",
                                                "mnuNiveau=Appliquer au niveau=Ctrl+L",
                                                "mnuSep03==",
                                                "mnuLoad=Ouvrir ...=Ctrl+O",
                                                "mnuSave=Sauvegarder ...=Ctrl+S",
                                                "mnuSep04==",
                                                "mnuSupprim=Supprimer=Del"};
        QTest::newRow("MNlangue") << "MNlangue"
                                  << QStringList{"MNlangueChoice(0)=#=", "MNlangueSep==",
                                                 "MNlangueOther=Other ...=", "MNlangueSep01==",
                                                 "mnuabout=A propos ...="};
    }
    void menus()
    {
        QFETCH(QString, menu);
        QFETCH(QStringList, items);
        Window w;
        auto* popup = w.window.control<QMenu>(menu);
        QVERIFY(popup);
        QCOMPARE(popup->title(), menu);
        QStringList got;
        for (const QAction* action : popup->actions()) {
            got << action->objectName() + "=" + action->text() + "=" +
                       action->shortcut().toString(QKeySequence::PortableText);
        }
        QCOMPARE(got, items);
        QVERIFY(w.window.control<QAction>("mnuGras")->isCheckable());
    }

    void loadsTheShippedIcons()
    {
        Window w;
        const int files = int(QDir(kProgramDir + "/ico").entryList({"*.ico"}, QDir::Files).size());
        QVERIFY(files >= 25);
        QCOMPARE(w.window.imageRegistry().count(), image::BuiltInCount + files);
        for (const char* key :
             {"exe", "com", "doc",  "xls", "txt", "pdf", "htm", "html", "chm", "gif",
              "jpg", "bmp", "tiff", "png", "wav", "mp3", "mid", "avi",  "mpg", "divx",
              "zip", "ace", "rar",  "cab", "nfo", "odt", "mkv", "flac", "7z",  "gz",
              "iso", "deb", "sh",   "py",  "cpp", "h",   "md",  "json", "svg"})
            QVERIFY2(w.window.imageRegistry().hasKey(key), key);
        QVERIFY(w.window.dialogs().MehWnd() == &w.window);
        QVERIFY(w.dialogs.calls.empty()); // white window, no failure: no box
        QCOMPARE(w.languageListings, 1);
        QVERIFY(!w.window.startupError());
    }

    void startupFailures_data()
    {
        QTest::addColumn<QStringList>("icons"); // files in ico/, "-" for no folder
        QTest::addColumn<int>("error");
        QTest::addColumn<QStringList>("loadedKeys");
        QTest::newRow("missing folder") << QStringList{"-"} << 76 << QStringList{};
        QTest::newRow("duplicate key")
            << QStringList{"a.ico", "fil.ico", "z.ico"} << 35602 << QStringList{"a"};
        QTest::newRow("not a picture")
            << QStringList{"b.ico", "c.ico=junk"} << 481 << QStringList{"b"};
        QTest::newRow("empty folder") << QStringList{} << 0 << QStringList{};
        QTest::newRow("several dots, odd names")
            << QStringList{"My.Icon.ico", "Zip.ICO", "été l'x.ico", ".hidden.ico", "notes.txt"} << 0
            << QStringList{"my.icon", "zip", "été l'x"};
    }
    void startupFailures()
    {
        QFETCH(QStringList, icons);
        QFETCH(int, error);
        QFETCH(QStringList, loadedKeys);
        QTemporaryDir program;
        if (icons != QStringList{"-"}) {
            QVERIFY(QDir(program.path()).mkdir("ico"));
            for (const QString& entry : icons) {
                const QString name = entry.section('=', 0, 0);
                const QString path = program.path() + "/ico/" + name;
                if (entry.contains('=') || !name.endsWith(".ico", Qt::CaseInsensitive)) {
                    QFile junk(path);
                    QVERIFY(junk.open(QIODevice::WriteOnly));
                    junk.write("not an icon");
                } else {
                    copyIcon(path);
                }
            }
        }
        Window w(program.path());
        QStringList keys;
        for (int i = image::BuiltInCount + 1; i <= w.window.imageRegistry().count(); ++i)
            keys << w.window.imageRegistry().keyAt(i);
        QCOMPARE(keys, loadedKeys);
        QVERIFY(w.window.isVisible());
        if (error == 0) {
            QVERIFY(w.dialogs.calls.empty());
            QCOMPARE(w.languageListings, 1);
            return;
        }
        // The box ends start-up: the language menu is not filled.
        QCOMPARE(w.languageListings, 0);
        const auto boxes = w.dialogs.callsOf("MsgBox");
        QCOMPARE(boxes.size(), size_t(1));
        QCOMPARE(boxes[0].args[1], QStringLiteral("ERREUR n°%1 in xxxxxxxxxx").arg(error));
        QCOMPARE(boxes[0].icon, MessageIcon::Critical);
        QVERIFY(!boxes[0].args[0].isEmpty());
    }

    void warnsWhenWindowsAreNotWhite()
    {
        const QPalette saved = QApplication::palette();
        QPalette grey = saved;
        grey.setColor(QPalette::Base, QColor(200, 200, 200));
        QApplication::setPalette(grey);
        Window w;
        QApplication::setPalette(saved);
        const auto boxes = w.dialogs.callsOf("MsgBox");
        QCOMPARE(boxes.size(), size_t(1));
        QCOMPARE(boxes[0].args[1], QString("KVX"));
        QCOMPARE(boxes[0].icon, MessageIcon::Critical);
        QCOMPARE(boxes[0].args[0].split("\r\n").size(), 3);
        QVERIFY(boxes[0].args[0].startsWith("Attention vos fenêtres ne sont pas blanches"));
        // Start-up goes on after the warning.
        QCOMPARE(w.languageListings, 1);
        QVERIFY(w.window.imageRegistry().hasKey("zip"));
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
        QCOMPARE(w.window.control<QLineEdit>("txtStartPath")->text(), disc.path());
        const Node* root = w.tree().nodeAt(1);
        QVERIFY(root);
        QCOMPARE(root->key(), disc.path() + "/");
        QVERIFY(root->expanded());
        QVERIFY(w.window.TV()->isExpanded(w.indexOf(root)));
        QCOMPARE(root->childCount(), 3);
        QCOMPARE(root->childAt(1)->text(), QString("Comédie l'été"));
        QCOMPARE(root->childAt(0)->childCount(), 1); // one level ahead
        QCOMPARE(w.countLabel(), QString("4"));

        // A cancel leaves the field and the styled tree alone.
        Node* styled = root->childAt(2);
        w.tree().setBold(styled, true);
        w.window.control<QLineEdit>("txtStartPath")->setText("typed");
        const int count = w.tree().count();
        w.window.cmdStartPoint_Click();
        QCOMPARE(w.dialogs.callsOf("BrowseFolder").size(), size_t(2));
        QCOMPARE(w.window.control<QLineEdit>("txtStartPath")->text(), QString("typed"));
        QCOMPARE(w.tree().count(), count);
        QVERIFY(w.tree().find(styled->id()) == styled && styled->bold());
    }

    void styleCommands()
    {
        Window w;
        MixedTree t(w.tree());
        w.tree().setSelectedItem(t.f1);

        w.window.mnuGras_Click();
        QVERIFY(t.f1->bold());
        w.window.mnuGras_Click();
        QVERIFY(!t.f1->bold());

        w.dialogs.colours = {-1, 0, 0x00FF8000, -1};
        const Colour before = t.f1->foreColor();
        w.tree().setForeColor(t.f1, rgbColour(1, 2, 3));
        w.window.mnuForeColors_Click(); // cancelled
        QCOMPARE(t.f1->foreColor(), rgbColour(1, 2, 3));
        w.window.mnuForeColors_Click(); // black is a colour
        QCOMPARE(t.f1->foreColor(), Colour(0));
        w.window.mnuBackColors_Click();
        QCOMPARE(t.f1->backColor(), Colour(0x00FF8000));
        w.window.mnuBackColors_Click(); // cancelled
        QCOMPARE(t.f1->backColor(), Colour(0x00FF8000));
        Q_UNUSED(before);
    }

    void commandsWithoutSelection()
    {
        Window w;
        MixedTree t(w.tree());
        w.tree().setSelectedItem(nullptr);
        QCOMPARE(w.tree().selectedItem(), nullptr);
        const int count = w.tree().count();
        w.dialogs.colours = {255, 255};
        w.window.mnuGras_Click();
        w.window.mnuForeColors_Click();
        w.window.mnuBackColors_Click();
        w.window.mnuNiveau_Click();
        w.window.mnuSupprim_Click();
        // The colour dialog still opens; nothing changes.
        QCOMPARE(w.dialogs.callsOf("ShowColor").size(), size_t(2));
        QCOMPARE(w.tree().count(), count);
        for (int i = 1; i <= count; ++i)
            QVERIFY(styleOf(w.tree().nodeAt(i)) ==
                    (Style{false, kDefaultForeColor, kDefaultBackColor}));
    }

    void deleteRemovesTheSubtreeAndLeavesTheCount()
    {
        Window w;
        MixedTree t(w.tree());
        w.window.TV_MouseUp(Qt::LeftButton, {}, {});
        const QString shown = w.countLabel();
        QCOMPARE(shown, QString("6"));
        w.tree().setSelectedItem(t.f1);
        w.window.mnuSupprim_Click();
        QCOMPARE(w.tree().count(), 3);
        QCOMPARE(w.tree().findByKey("/m/f1/g/"), nullptr);
        QCOMPARE(w.countLabel(), shown); // refreshed at the next mouse release only
        Node* selected = w.tree().selectedItem();
        QVERIFY(!selected || w.tree().find(selected->id()) == selected);
        w.tree().setSelectedItem(t.root);
        w.window.mnuSupprim_Click();
        QVERIFY(w.tree().isEmpty());
        w.window.TV_MouseUp(Qt::LeftButton, {}, {});
        QCOMPARE(w.countLabel(), QString("0"));
    }

    void rightClickKeepsTheSelection()
    {
        Window w;
        MixedTree t(w.tree());
        w.tree().setSelectedItem(t.f2);
        w.tree().setBold(t.f2, true);
        QWidget* viewport = w.window.TV()->viewport();
        QTest::mouseClick(viewport, Qt::RightButton, {}, w.centreOf(t.f1));
        QCOMPARE(w.tree().selectedItem(), t.f2);
        QCOMPARE(w.window.TV()->currentIndex(), w.indexOf(t.f2));
        QVERIFY(w.window.mnuNode()->isVisible());
        QVERIFY(w.window.control<QAction>("mnuGras")->isChecked());
        QCOMPARE(w.countLabel(), QString("6"));
        w.window.mnuNode()->hide();

        // A left click selects, and the mark follows the new node.
        QTest::mouseClick(viewport, Qt::LeftButton, {}, w.centreOf(t.f1));
        QCOMPARE(w.tree().selectedItem(), t.f1);
        QVERIFY(!w.window.control<QAction>("mnuGras")->isChecked());
        QVERIFY(!w.window.mnuNode()->isVisible());
    }

    void shortcutsWorkWithTheMenuClosed()
    {
        Window w;
        MixedTree t(w.tree());
        w.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        w.window.TV()->setFocus();
        w.tree().setSelectedItem(t.f2);
        QTest::keyClick(w.window.TV(), Qt::Key_B, Qt::ControlModifier);
        QVERIFY(t.f2->bold());
        QTest::keyClick(w.window.TV(), Qt::Key_L, Qt::ControlModifier);
        QVERIFY(t.f1->bold());
        const NodeId deleted = t.f2->id();
        QTest::keyClick(w.window.TV(), Qt::Key_Delete);
        QCOMPARE(w.tree().find(deleted), nullptr);
    }

    void applyToLevelByDepthAndKind_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QStringList>("restyled");
        QTest::newRow("level-1 folder") << "f1" << QStringList{"f1", "f2"};
        QTest::newRow("root") << "root" << QStringList{"root"};
        QTest::newRow("file under the root") << "rootFile" << QStringList{"rootFile"};
        QTest::newRow("level-2 file with a digit tag") << "f1File" << QStringList{"f1File"};
        QTest::newRow("level-2 folder") << "f1Folder" << QStringList{"f1Folder"};
    }
    void applyToLevelByDepthAndKind()
    {
        QFETCH(QString, from);
        QFETCH(QStringList, restyled);
        Window w;
        MixedTree t(w.tree());
        const std::map<QString, Node*> nodes{
            {"root", t.root},         {"f1", t.f1},        {"f2", t.f2}, {"rootFile", t.rootFile},
            {"f1Folder", t.f1Folder}, {"f1File", t.f1File}};
        Node* model = nodes.at(from);
        const Style style{true, rgbColour(200, 0, 0), rgbColour(255, 255, 0)};
        w.tree().setBold(model, style.bold);
        w.tree().setForeColor(model, style.fore);
        w.tree().setBackColor(model, style.back);
        w.tree().setSelectedItem(model);
        const QString texts = model->text();
        w.window.mnuNiveau_Click();
        for (const auto& [name, node] : nodes) {
            const Style expected = restyled.contains(name)
                                       ? style
                                       : Style{false, kDefaultForeColor, kDefaultBackColor};
            QVERIFY2(styleOf(node) == expected, qPrintable(name));
        }
        QCOMPARE(w.tree().selectedItem(), model);
        QCOMPARE(model->text(), texts);
        QVERIFY(t.root->expanded() && t.f1->expanded() && !t.f2->expanded());
    }
};

QTEST_MAIN(TestFrMain)
#include "tst_frMain.moc"
