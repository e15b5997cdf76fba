#include "ScanDoubles.h"
#include "tree/FileLister.h"
#include "tree/FileNodes.h"
#include "tree/FolderLister.h"
#include "tree/FolderScan.h"
#include "tree/ImageRegistry.h"
#include "tree/NodeTree.h"
#include "tree/ScanHooks.h"
#include "util/ProcessEventsPump.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

using namespace kvx;

namespace {

QStringList childTexts(const Node* node)
{
    QStringList texts;
    for (const Node* child : node->children())
        texts.append(child->text());
    return texts;
}

QStringList fileTexts(const NodeTree& tree)
{
    QStringList texts;
    for (int i = 1; i <= tree.count(); ++i) {
        if (tree.nodeAt(i)->isFile())
            texts.append(tree.nodeAt(i)->text());
    }
    return texts;
}

void verifyPositions(const NodeTree& tree)
{
    for (int i = 1; i <= tree.count(); ++i)
        QCOMPARE(tree.nodeAt(i)->index(), i);
}

} // namespace

class TestFileNodes : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    ImageRegistry m_images;
    NodeTree m_tree;
    ScriptedPump m_pump;
    DirectoryLister m_folders;
    DirectoryFileLister m_files;
    NoElementCountDisplay m_count;
    std::unique_ptr<FolderScan> m_scan; // opens folders when the tree expands them

    const Node* folder(const QString& relative = QString()) const
    {
        const QString path = relative.isEmpty() ? m_dir.path() : m_dir.filePath(relative);
        return m_tree.findByKey(folderKey(QDir::cleanPath(path)));
    }

    // Builds the tree as the start command does: the root expanded, its
    // children's sub-folders scanned.
    void buildTree()
    {
        m_scan->BuildTree();
        m_pump = ScriptedPump();
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QDir root(m_dir.path());
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(root.mkpath(QStringLiteral("Films/Action/Sub")));
        QVERIFY(root.mkpath(QStringLiteral("old.zip")));
        QVERIFY(root.mkpath(QStringLiteral("Empty")));
        for (const char* name :
             {"a.txt", "B.TXT", ".hidden.txt", "readme", "odd.", "Setup.EXE", "h.h", "m.m",
              "Films/x.avi", "Films/y.zip", "Films/archive.tar.GZ", "Films/Action/z.zip",
              "Films/Action/w.avi", "Films/Action/Sub/deep.zip", "old.zip/inner.zip"})
            QVERIFY(makeFile(m_dir.filePath(QString::fromUtf8(name))));

        m_images = ImageRegistry::withBuiltIns();
        m_images.add(QStringLiteral("zip"));
        m_tree.clear();
        m_tree.setImageList(&m_images);
        m_pump = ScriptedPump();
        m_scan = std::make_unique<FolderScan>(m_tree, m_folders, m_pump, m_count);
        m_scan->setStartPath(m_dir.path());
    }

    void addUnderEveryFolder()
    {
        buildTree();
        FileNodes(m_tree, m_files, m_pump).AddFilesToFolders(QStringLiteral(";*.zip;*.txt"));

        QCOMPARE(childTexts(folder()),
                 (QStringList{"Empty", "Films", "old.zip", "a.txt", "B.TXT"}));
        QCOMPARE(childTexts(folder("Films")), (QStringList{"Action", "y.zip"}));
        QCOMPARE(childTexts(folder("Films/Action")), QStringList{"z.zip"});
        QCOMPARE(childTexts(folder("old.zip")), QStringList{"inner.zip"});
        QCOMPARE(childTexts(folder("Empty")), QStringList());
        // Sub was never scanned, so it has no node and gets no files.
        QVERIFY(!folder("Films/Action/Sub"));

        // One yield per position, the added file nodes included, under one busy pointer.
        QCOMPARE(m_pump.yields, m_tree.count());
        QCOMPARE(m_pump.maxBusyDepth, 1);
        QCOMPARE(m_pump.busyDepth, 0);
        verifyPositions(m_tree);
    }

    void fileNodeRecord_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("iconKey"); // in the image list besides "fil"
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("image");
        QTest::newRow("icon known") << "Setup.EXE"
                                    << "exe"
                                    << "EXE"
                                    << "exe";
        QTest::newRow("no icon") << "Setup.EXE"
                                 << ""
                                 << "EXE"
                                 << "fil";
        QTest::newRow("several dots") << "archive.tar.GZ"
                                      << "gz"
                                      << "GZ"
                                      << "gz";
        QTest::newRow("middle part is no extension") << "archive.tar.GZ"
                                                     << "tar"
                                                     << "GZ"
                                                     << "fil";
        QTest::newRow("no dot") << "readme"
                                << "readme"
                                << "README"
                                << "readme";
        QTest::newRow("trailing dot") << "odd."
                                      << ""
                                      << ""
                                      << "fil";
        QTest::newRow("odd characters") << "été (1) [x].Mp3"
                                        << "mp3"
                                        << "MP3"
                                        << "mp3";
    }

    void fileNodeRecord()
    {
        QFETCH(QString, name);
        QFETCH(QString, iconKey);
        QFETCH(QString, tag);
        QFETCH(QString, image);
        QTemporaryDir dir;
        QFile file(QDir(dir.path()).filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        ImageRegistry images = ImageRegistry::withBuiltIns();
        if (!iconKey.isEmpty())
            images.add(iconKey);
        NodeTree tree;
        tree.setImageList(&images);
        const QString key = folderKey(dir.path());
        const Node* root = tree.addRoot(key, key, image::ClosedFolder, image::SelectedFolder);

        FileNodes(tree, m_files, m_pump).AddFilesToNode(root, QStringLiteral("*.*"));
        QCOMPARE(root->childCount(), 1);
        const Node* node = root->childAt(0);
        QCOMPARE(node->text(), name);
        QCOMPARE(node->tag(), tag);
        QCOMPARE(node->image(), ImageRef(image));
        QVERIFY(node->key().isEmpty());
        QVERIFY(node->selectedImage().isNone());
        QVERIFY(node->isFile());
    }

    void addingAgainGivesEachFileOnce()
    {
        buildTree();
        FileNodes files(m_tree, m_files, m_pump);
        files.AddFilesToFolders(QStringLiteral(";*.zip;*.ace;*.rar;*.cab"));
        const int once = m_tree.count();
        files.AddFilesToFolders(QStringLiteral(";*.zip;*.ace;*.rar;*.cab"));
        QCOMPARE(m_tree.count(), once);
        files.AddFilesToFolders(QStringLiteral(";*.avi;*.mpg;*.divx"));
        QCOMPARE(childTexts(folder("Films")), (QStringList{"Action", "y.zip", "x.avi"}));
        QCOMPARE(childTexts(folder("Films/Action")), (QStringList{"z.zip", "w.avi"}));
        files.AddFilesToFolders(QStringLiteral("*.*"));
        QCOMPARE(childTexts(folder("Films")),
                 (QStringList{"Action", "y.zip", "x.avi", "archive.tar.GZ"}));
        files.AddFilesToNode(folder("Films"), QStringLiteral("*.*"));
        QCOMPARE(folder("Films")->childCount(), 4);
    }

    void addUnderOneNode()
    {
        buildTree();
        FileNodes files(m_tree, m_files, m_pump);
        const int folders = m_tree.count();
        files.AddFilesToNode(folder("Films"), QStringLiteral("*.*"));
        QCOMPARE(childTexts(folder("Films")),
                 (QStringList{"Action", "archive.tar.GZ", "x.avi", "y.zip"}));
        QCOMPARE(m_tree.count(), folders + 3);
        QCOMPARE(m_pump.yields, 0);

        // On a file node, on no node and on a folder gone from disk: nothing.
        files.AddFilesToNode(folder("Films")->childAt(1), QStringLiteral("*.*"));
        files.AddFilesToNode(nullptr, QStringLiteral("*.*"));
        QVERIFY(QDir(m_dir.filePath(QStringLiteral("old.zip"))).removeRecursively());
        files.AddFilesToNode(folder("old.zip"), QStringLiteral("*.*"));
        QCOMPARE(m_tree.count(), folders + 3);
        // A pattern with no item adds nothing.
        files.AddFilesToNode(folder(), QStringLiteral(";"));
        QCOMPARE(m_tree.count(), folders + 3);
    }

    void removeByPattern_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("removed");
        QTest::newRow("archives") << ";*.zip;*.ace;*.rar;*.cab"
                                  << QStringList{"y.zip", "z.zip", "inner.zip", "deep.zip"};
        // Files tagged H and M are no web pages.
        QTest::newRow("web pages") << ";*.htm;*.html;*.chm" << QStringList{};
        QTest::newRow("all files")
            << "*.*" << QStringList{"a.txt", "B.TXT", "readme",    "odd.",    "Setup.EXE",
                                    "h.h",   "m.m",   "x.avi",     "y.zip",   "archive.tar.GZ",
                                    "z.zip", "w.avi", "inner.zip", "deep.zip"};
        QTest::newRow("case ignored") << "*.exe;README" << QStringList{"readme", "Setup.EXE"};
        QTest::newRow("nothing checked") << "" << QStringList{};
    }

    void removeByPattern()
    {
        QFETCH(QString, pattern);
        QFETCH(QStringList, removed);

        // Files added before Films was opened, so the folder Sub found then
        // and its files come after them: folders and files interleave.
        buildTree();
        FileNodes files(m_tree, m_files, m_pump);
        files.AddFilesToFolders(QStringLiteral("*.*"));
        m_tree.setExpanded(const_cast<Node*>(folder("Films")), true);
        QVERIFY(folder("Films/Action/Sub"));
        files.AddFilesToFolders(QStringLiteral("*.*"));
        QCOMPARE(fileTexts(m_tree).size(), 14);

        QStringList folderKeys;
        for (int i = 1; i <= m_tree.count(); ++i) {
            if (m_tree.nodeAt(i)->isFolder())
                folderKeys.append(m_tree.nodeAt(i)->key());
        }
        QStringList expected = fileTexts(m_tree);
        for (const QString& name : removed)
            QVERIFY(expected.removeOne(name));

        m_pump = ScriptedPump();
        const int before = m_tree.count();
        files.RemoveFilesByPattern(pattern);
        QCOMPARE(fileTexts(m_tree), expected);
        QStringList keptFolders;
        for (int i = 1; i <= m_tree.count(); ++i) {
            if (m_tree.nodeAt(i)->isFolder())
                keptFolders.append(m_tree.nodeAt(i)->key());
        }
        QCOMPARE(keptFolders, folderKeys); // old.zip among them
        verifyPositions(m_tree);
        QCOMPARE(m_pump.busyDepth, 0);
        if (!pattern.isEmpty())
            QCOMPARE(m_pump.yields, before); // each position once, removed or kept
    }

    // Anything may happen to the tree at a yield; the walk goes on by position
    // over the tree as it then is, and never touches a node that is gone.
    void treeChangesDuringTheWalks_data()
    {
        QTest::addColumn<bool>("removing");
        QTest::addColumn<QString>("change");
        for (bool removing : {false, true}) {
            const char* walk = removing ? "remove" : "add";
            for (const char* change : {"clear", "remove root", "remove next", "remove last",
                                       "remove random", "add file", "rebuild"})
                QTest::addRow("%s, %s", walk, change) << removing << QString::fromUtf8(change);
        }
    }

    void treeChangesDuringTheWalks()
    {
        QFETCH(bool, removing);
        QFETCH(QString, change);
        buildTree();
        FileNodes files(m_tree, m_files, m_pump);
        if (removing)
            files.AddFilesToFolders(QStringLiteral("*.*"));

        QRandomGenerator random(7);
        int step = 0;
        m_pump = ScriptedPump();
        m_pump.onYield = [&](int) {
            ++step;
            const int count = m_tree.count();
            if (change == QLatin1String("clear")) {
                if (step == 3)
                    m_tree.clear();
            } else if (change == QLatin1String("remove root")) {
                if (step == 4)
                    m_tree.remove(1);
            } else if (change == QLatin1String("remove next")) {
                m_tree.remove(std::min(step + 1, count));
            } else if (change == QLatin1String("remove last")) {
                m_tree.remove(count);
            } else if (change == QLatin1String("remove random")) {
                if (count > 0)
                    m_tree.remove(1 + int(random.bounded(count)));
            } else if (change == QLatin1String("add file")) {
                if (step < 50 && count > 0)
                    m_tree.addChild(m_tree.nodeAt(1 + int(random.bounded(count))), QString(),
                                    QStringLiteral("late.zip"), QStringLiteral("fil"));
            } else if (change == QLatin1String("rebuild") && step == 5) {
                // Whatever the walk held is gone; a new tree of the same folders
                // stands (its own scan yields here again, past this step).
                m_scan->BuildTree();
            }
            verifyPositions(m_tree);
        };

        if (removing)
            files.RemoveFilesByPattern(QStringLiteral("*.zip;*.txt"));
        else
            files.AddFilesToFolders(QStringLiteral("*.*"));

        QCOMPARE(m_pump.busyDepth, 0);
        verifyPositions(m_tree);
        if (change == QLatin1String("clear")) {
            QCOMPARE(m_tree.count(), 0);
            QCOMPARE(step, 3);
        }
    }

    void realEventLoopYields()
    {
        // The pump of the running program: a queued call clears the tree
        // in the middle of the walk.
        buildTree();
        ProcessEventsPump pump;
        QTest::qSleep(20); // the pump spins the loop only every few milliseconds
        FileNodes files(m_tree, m_files, pump);
        QMetaObject::invokeMethod(&m_tree, &NodeTree::clear, Qt::QueuedConnection);
        files.AddFilesToFolders(QStringLiteral("*.*"));
        QCOMPARE(m_tree.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestFileNodes)
#include "tst_FileNodes.moc"
