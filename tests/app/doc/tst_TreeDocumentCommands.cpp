#include "app/ScriptedDialogs.h"
#include "app/frMain.h"
#include "doc/DocumentPaths.h"
#include "doc/TreeDocumentCommands.h"
#include "tree/FolderScan.h"
#include "tree/NodeTree.h"
#include "tree/NodeTreeView.h"
#include "tree/TreeModel.h"
#include "tree/TreeWalks.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace kvx;
using kvx::test::ScriptedDialogs;

namespace {

const QString kProgramDir = QStringLiteral(KVX_TEST_PROGRAM_DIR);

const QByteArray kDocument =
    "[FileInfo]\r\nType=TVW FILE\r\nVersion=1.0\r\n"
    "[TreeView]\r\nCheckboxes=1\r\nFullRowSelect=1\r\n"
    "HideSelection=1\r\nIndentation=566,9292\r\nSorted=0\r\nStyle=5\r\n"
    "ToolTipText=Mes photos\r\n"
    "[Nodes]\r\nCount=3\r\n"
    "Node1=/m/|ROOT|/m/|0E|0\r\nImage1=2|3|\r\nStyle1=0|-2147483643|1|0|1\r\n"
    "Node2=Photos|1|/m/Photos/|1|0\r\nImage2=1|3|\r\n"
    "Style2=255|-2147483643|0|1|0\r\n"
    "Node3=plage.jpg|2||JPG|0\r\nImage3=6||\r\n"
    "Style3=0|-2147483643|0|0|0\r\n";

struct Window
{
    ScriptedDialogs dialogs;
    frMain window;

    Window()
    {
        window.setProgramDir(kProgramDir);
        window.setDialogService(&dialogs);
        window.setLanguageFilesLister([] {});
        window.Form_Load();
    }

    NodeTree& tree() { return window.tree(); }
    TreeDocumentCommands& documents() { return *window.findChild<TreeDocumentCommands*>(); }
    QString countLabel() { return window.control<QLabel>("lblNbElements")->text(); }
    void trigger(const char* action) { window.control<QAction>(action)->trigger(); }
    QStringList rows() { return RowTexts(tree()); }
};

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class tst_TreeDocumentCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cancelChangesNothing();
    void saveNames_data();
    void saveNames();
    void openShowsTheDocument();
    void openRefusesOtherFiles();
    void failedSaveKeepsOldFile();
    void roundTripThroughWindows();
};

void tst_TreeDocumentCommands::cancelChangesNothing()
{
    Window w;
    w.tree().addRoot("/x/", "/x/", image::ClosedFolder);
    const QString before = w.countLabel();
    w.trigger("mnuLoad");
    w.trigger("mnuSave");
    QCOMPARE(w.tree().count(), 1);
    QCOMPARE(w.countLabel(), before);
    const auto open = w.dialogs.callsOf("ShowOpen");
    const auto save = w.dialogs.callsOf("ShowSave");
    QCOMPARE(open.size(), size_t(1));
    QCOMPARE(save.size(), size_t(1));
    const QString folder = documentDialogFolder(kProgramDir);
    QCOMPARE(open[0].args, QStringList({"*.KVX|*.kvx", "Ouvrir", folder}));
    QCOMPARE(save[0].args, QStringList({"*.KVX|*.kvx", "Sauvegarder", folder}));
    QVERIFY(w.dialogs.callsOf("MsgBox").empty());
}

void tst_TreeDocumentCommands::saveNames_data()
{
    QTest::addColumn<QString>("returned"); // by the dialog service
    QTest::addColumn<QString>("written");
    QTest::newRow("Arbre") << "Arbre.kvx"
                           << "Arbre.kvx";
    QTest::newRow("Arbre.KVX") << "Arbre.KVX.kvx"
                               << "Arbre.KVX.kvx";
    QTest::newRow("Arbrekvx") << "Arbrekvx"
                              << "Arbrekvx.kvx";
}

void tst_TreeDocumentCommands::saveNames()
{
    QFETCH(QString, returned);
    QFETCH(QString, written);
    QTemporaryDir dir;
    Window w;
    w.tree().addRoot("/x/", "/x/", image::ClosedFolder);
    w.dialogs.savePaths.push_back(dir.filePath(returned));
    w.trigger("mnuSave");
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{written});
    QVERIFY(readFile(dir.filePath(written)).contains("Node1=/x/|ROOT|/x/||0\r\n"));
    QVERIFY(w.dialogs.callsOf("MsgBox").empty());
}

void tst_TreeDocumentCommands::openShowsTheDocument()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("photos.kvx");
    writeFile(path, kDocument);
    Window w;
    w.tree().addRoot("/old/", "/old/", image::ClosedFolder);
    w.dialogs.openPaths.push_back(path);
    w.trigger("mnuLoad");

    QCOMPARE(w.rows(), QStringList({"/m/", "  Photos"}));
    QCOMPARE(w.countLabel(), QString("2"));
    NodeTreeView& view = *w.window.TV();
    TreeModel& model = w.window.treeModel();
    // Expanded was restored before the node had children: the view shows it open.
    QVERIFY(view.isExpanded(model.indexOf(w.tree().nodeAt(1))));
    QVERIFY(!view.isExpanded(model.indexOf(w.tree().nodeAt(2))));
    QVERIFY(model.checkboxes());
    QCOMPARE(model.data(model.indexOf(w.tree().nodeAt(2)), Qt::CheckStateRole).toInt(),
             int(Qt::Checked));
    QCOMPARE(view.indentation(), 38); // 566.9292 twips
    QCOMPARE(view.iconSize(), QSize(16, 16));
    QVERIFY(!view.expandButtons()); // style 5: lines and pictures, no buttons
    QCOMPARE(view.toolTip(), QString("Mes photos"));
    QVERIFY(view.fullRowSelect());
    QVERIFY(view.hideSelection());
    QVERIFY(w.dialogs.callsOf("MsgBox").empty());

    // Saved again, the settings the view did not change come back as read.
    const QString again = dir.filePath("again.kvx");
    QVERIFY(w.documents().saveDocument(again));
    QCOMPARE(readFile(again).mid(readFile(again).indexOf("[Nodes]")),
             kDocument.mid(kDocument.indexOf("[Nodes]")));
    QVERIFY(readFile(again).contains("Indentation=566"));
    QVERIFY(readFile(again).contains("\r\nStyle=5\r\n"));
}

void tst_TreeDocumentCommands::openRefusesOtherFiles()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("photo.kvx");
    writeFile(path, "\x89PNG\r\n\x1a\n");
    Window w;
    w.tree().addRoot("/kept/", "/kept/", image::ClosedFolder);
    const int indentation = w.window.TV()->indentation();
    w.dialogs.openPaths.push_back(path);
    w.trigger("mnuLoad");
    QCOMPARE(w.rows(), QStringList{"/kept/"});
    QCOMPARE(w.window.TV()->indentation(), indentation);
    const auto boxes = w.dialogs.callsOf("MsgBox");
    QCOMPARE(boxes.size(), size_t(1));
    QCOMPARE(boxes[0].args.at(1), QString("KVX"));
    QVERIFY(boxes[0].args.at(0).contains(path));

    QVERIFY(!w.documents().openDocument(dir.filePath("missing.kvx")));
    QCOMPARE(w.dialogs.callsOf("MsgBox").size(), size_t(2));
    QCOMPARE(w.rows(), QStringList{"/kept/"});
}

void tst_TreeDocumentCommands::failedSaveKeepsOldFile()
{
    QTemporaryDir dir;
    const QString blocked = dir.filePath("folder.kvx");
    QVERIFY(QDir().mkdir(blocked)); // a folder where the file should go
    Window w;
    w.tree().addRoot("/x/", "/x/", image::ClosedFolder);
    w.dialogs.savePaths.push_back(blocked);
    w.trigger("mnuSave");
    QVERIFY(QFileInfo(blocked).isDir());
    const auto boxes = w.dialogs.callsOf("MsgBox");
    QCOMPARE(boxes.size(), size_t(1));
    QCOMPARE(boxes[0].args.at(1), QString("KVX"));
    QCOMPARE(boxes[0].icon, MessageIcon::Critical);
}

void tst_TreeDocumentCommands::roundTripThroughWindows()
{
    QTemporaryDir dir;
    const QString disc = dir.filePath("disque");
    for (const char* sub : {"a|b/c", "line\nfeed/d", " blank", "été/f", "50%"})
        QVERIFY(QDir(disc).mkpath(QString::fromUtf8(sub)));
    const QString first = dir.filePath("first.kvx");
    const QString second = dir.filePath("second.kvx");

    QStringList rows;
    {
        Window w;
        w.dialogs.folders.push_back(disc);
        w.window.cmdStartPoint_Click();
        QVERIFY(w.tree().count() > 5);
        NodeTree& tree = w.tree();
        tree.setBold(tree.nodeAt(2), true);
        tree.setForeColor(tree.nodeAt(3), rgbColour(0, 128, 0));
        tree.setExpanded(tree.nodeAt(2), true);
        w.window.treeModel().setCheckboxes(true);
        tree.setChecked(tree.nodeAt(4), true);
        rows = w.rows();
        w.dialogs.savePaths.push_back(first);
        w.trigger("mnuSave");
        QVERIFY(w.dialogs.callsOf("MsgBox").empty());
    }
    Window fresh;
    fresh.dialogs.openPaths.push_back(first);
    fresh.trigger("mnuLoad");
    QCOMPARE(fresh.rows(), rows);
    QCOMPARE(fresh.countLabel(), QString::number(rows.size()));
    QVERIFY(fresh.window.treeModel().checkboxes());
    fresh.dialogs.savePaths.push_back(second);
    fresh.trigger("mnuSave");
    QCOMPARE(readFile(second), readFile(first));
    QVERIFY(readFile(first).contains("Version=1.1\r\n"));
}

QTEST_MAIN(tst_TreeDocumentCommands)
#include "tst_TreeDocumentCommands.moc"
