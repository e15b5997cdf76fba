#include "app/MainWindowFixture.h"
#include "tree/NodeTree.h"
#include "tree/NodeTreeView.h"
#include "tree/TreeModel.h"
#include "tree/TreeWalks.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

using namespace kvx;

namespace {

// The real window after start-up with one root, its dialogs scripted.
struct Window : kvx::test::MainWindowFixture
{
    explicit Window(const QString& root)
    {
        window.Form_Load();
        window.tree().addRoot(root, root, image::ClosedFolder);
    }
    QString countLabel() { return control<QLabel>("lblNbElements")->text(); }
    void open(const QString& path)
    {
        dialogs.openPaths.push_back(path);
        control<QAction>("mnuLoad")->trigger();
    }
    void save(const QString& path)
    {
        dialogs.savePaths.push_back(path);
        control<QAction>("mnuSave")->trigger();
    }
};

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

} // namespace

class tst_TreeDocumentCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void refusalsChangeNothing();
    void roundTripThroughWindows();
};

// Cancelled dialogs, a file that is no document and a failed save leave
// the tree and any old file as they were; the last two say so.
void tst_TreeDocumentCommands::refusalsChangeNothing()
{
    QTemporaryDir dir;
    const QString png = dir.filePath("photo.kvx");
    // A folder is never replaced by a document.
    const QString old = dir.filePath("old.kvx");
    writeFile(png, "\x89PNG\r\n\x1a\n");
    QVERIFY(QDir(old).mkpath("inside"));
    Window w("/x/");
    const QString count = w.countLabel();
    const int indentation = w.window.TV()->indentation();
    w.open(QString());
    w.save(QString());
    QCOMPARE(w.countLabel(), count);
    w.open(png);
    w.save(old);
    QCOMPARE(RowTexts(w.window.tree()), QStringList{"/x/"});
    QCOMPARE(w.window.TV()->indentation(), indentation);
    QVERIFY(QFileInfo(old + "/inside").isDir());
    const QString folder = KVX_TEST_PROGRAM_DIR; // the program's, where it may write
    QCOMPARE(w.dialogs.callsOf("ShowOpen").at(0).args,
             QStringList({"*.KVX|*.kvx", "Ouvrir", folder}));
    QCOMPARE(w.dialogs.callsOf("ShowSave").at(0).args,
             QStringList({"*.KVX|*.kvx", "Sauvegarder", folder}));
    const auto boxes = w.dialogs.callsOf("MsgBox");
    QCOMPARE(boxes.size(), size_t(2));
    QVERIFY(boxes[0].args.at(0).contains(png) && boxes[0].args.at(1) == "KVX");
    QVERIFY(boxes[1].icon == MessageIcon::Critical && boxes[1].args.at(1) == "KVX" &&
            boxes[1].args.at(0).contains("(not a regular file but a folder)"));
}

// Settings from a document, a tree scanned from odd folder names and styled,
// saved, opened in a fresh window and saved again. Identical documents mean
// equal trees: a document holds every node's text, key, tag, pictures,
// colours, flags, place and expansion.
void tst_TreeDocumentCommands::roundTripThroughWindows()
{
    QTemporaryDir dir;
    const QString disc = dir.filePath("disque");
    for (const char* sub : {"a|b/c", "line\nfeed/d", "cr\rname", " blank", "été/f", "50%"})
        QVERIFY(QDir(disc).mkpath(QString::fromUtf8(sub)));
    writeFile(dir.filePath("settings.kvx"),
              "[FileInfo]\r\nType=TVW FILE\r\n[TreeView]\r\nCheckboxes=1\r\nFullRowSelect=1\r\n"
              "HideSelection=1\r\nIndentation=566,9292\r\nStyle=5\r\nToolTipText=Mes photos\r\n"
              "[Nodes]\r\nCount=0\r\n");
    const QString first = dir.filePath("first.kvx");
    QStringList rows;
    {
        Window w("/old/");
        w.open(dir.filePath("settings.kvx"));
        w.dialogs.folders.push_back(disc);
        w.window.cmdStartPoint_Click();
        NodeTree& tree = w.window.tree();
        QVERIFY(tree.count() > 8);
        tree.setBold(tree.nodeAt(2), true);
        tree.setForeColor(tree.nodeAt(3), rgbColour(0, 128, 0));
        tree.setBackColor(tree.nodeAt(3), kSysButtonFace);
        tree.setExpandedImage(tree.nodeAt(4), image::OpenFolderBw);
        tree.setChecked(tree.nodeAt(4), true);
        tree.setSorted(tree.nodeAt(1), true);
        tree.setExpanded(tree.nodeAt(4), true);
        tree.setTag(tree.addChild(tree.nodeAt(5), QString(), " note|1.txt", image::BlankPage), "T");
        rows = RowTexts(tree);
        w.save(first);
        QVERIFY(w.dialogs.callsOf("MsgBox").empty());
    }
    Window fresh("/old/");
    fresh.open(first);
    QCOMPARE(RowTexts(fresh.window.tree()), rows);
    QCOMPARE(fresh.countLabel(), QString::number(rows.size()));
    NodeTreeView& view = *fresh.window.TV();
    TreeModel& model = fresh.window.treeModel();
    // Expanded was restored before the node had children: the view shows it open.
    QVERIFY(view.isExpanded(model.indexOf(fresh.window.tree().nodeAt(4))));
    QVERIFY(!view.isExpanded(model.indexOf(fresh.window.tree().nodeAt(5))));
    QCOMPARE(model.data(model.indexOf(fresh.window.tree().nodeAt(4)), Qt::CheckStateRole).toInt(),
             int(Qt::Checked));
    QCOMPARE(view.indentation(), 38); // 566.9292 twips
    QVERIFY(!view.expandButtons());   // style 5: lines and pictures, no buttons
    QCOMPARE(view.toolTip(), "Mes photos");
    QVERIFY(view.fullRowSelect() && view.hideSelection());

    // Saved again under the name chosen, ".kvx" added unless the name holds it.
    QVERIFY(QDir(dir.path()).mkdir("old.kvx.d"));
    for (const auto& [chosen, saved] : {std::pair("second", "second.kvx"),
                                        {"a.KVX", "a.KVX.kvx"},
                                        {"a.kvx.bak", "a.kvx.bak"},
                                        {"akvx", "akvx.kvx"},
                                        {"old.kvx.d/b", "old.kvx.d/b.kvx"}}) {
        fresh.save(dir.filePath(chosen));
        QCOMPARE(readFile(dir.filePath(saved)), readFile(first));
    }
    QVERIFY(fresh.dialogs.callsOf("MsgBox").empty());
}

QTEST_MAIN(tst_TreeDocumentCommands)
#include "tst_TreeDocumentCommands.moc"
