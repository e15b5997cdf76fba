#include "core/tree/ScanDoubles.h"
#include "tree/DisplayOrder.h"
#include "tree/FolderLister.h"
#include "tree/FolderScan.h"
#include "tree/ImageRegistry.h"
#include "tree/NodeTree.h"
#include "tree/TreeWalks.h"

#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

using namespace kvx;

namespace {

// One tree with everything a scan needs, over the real file system.
struct Fixture
{
    ImageRegistry images = ImageRegistry::withBuiltIns();
    NodeTree tree;
    DirectoryLister lister;
    ScriptedPump pump;
    CountRecorder count;
    FolderScan scan{tree, lister, pump, count};

    Fixture() { tree.setImageList(&images); }

    void build(const QString& folder)
    {
        scan.setStartPath(folder);
        scan.BuildTree();
    }
    [[nodiscard]] QStringList rows() const { return RowTexts(tree); }
};

} // namespace

class FolderScanTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString base() const { return m_dir.path(); }

private Q_SLOTS:
    void init() { QVERIFY(m_dir.isValid()); }
    void cleanup()
    {
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
    }

    void startShape()
    {
        QVERIFY(makeFolders(base(), {"Films/Action/Western", "Films/Action/Asia", "Films/Comedy"}));
        QVERIFY(makeFile(base() + "/Films/readme.txt"));
        Fixture f;
        f.build(base() + "/Films");

        const QString rootKey = base() + "/Films/";
        QCOMPARE(f.tree.count(), 5);
        const Node* root = f.tree.nodeAt(1);
        QCOMPARE(root->key(), rootKey);
        QCOMPARE(root->text(), rootKey);
        QCOMPARE(root->tag(), QStringLiteral("0E"));
        QCOMPARE(root->image(), ImageRef(2));
        QCOMPARE(root->selectedImage(), ImageRef(3));
        QVERIFY(root->expanded());

        const Node* action = f.tree.findByKey(rootKey + "Action/");
        QVERIFY(action);
        QCOMPARE(action->text(), QStringLiteral("Action"));
        QCOMPARE(action->tag(), QStringLiteral("1"));
        QCOMPARE(action->image(), ImageRef(1));
        QVERIFY(!action->expanded());
        QCOMPARE(action->childCount(), 2);
        QCOMPARE(action->childAt(0)->text(), QStringLiteral("Asia")); // lister order
        QCOMPARE(action->childAt(0)->tag(), QStringLiteral("2"));
        QCOMPARE(f.tree.findByKey(rootKey + "Comedy/")->childCount(), 0);

        QCOMPARE(f.rows(), (QStringList{rootKey, "  Action", "  Comedy"}));
        QCOMPARE(f.count.shown.last(), 3);
        QCOMPARE(f.pump.busyDepth, 0);
    }

    void expandingLaterAndAgain()
    {
        QVERIFY(makeFolders(base(), {"a/b/c/d", "a/e"}));
        Fixture f;
        f.build(base() + "/a");
        Node* b = f.tree.findByKey(base() + "/a/b/");
        QCOMPARE(f.tree.count(), 4); // a, b, e, c
        f.tree.setExpanded(b, true);
        QCOMPARE(b->tag(), QStringLiteral("1E"));
        QCOMPARE(b->image(), ImageRef(2));
        QCOMPARE(f.tree.count(), 5); // d under c
        QCOMPARE(f.tree.findByKey(base() + "/a/b/c/d/")->tag(), QStringLiteral("3"));

        f.tree.setImage(b, 1);
        f.tree.setExpanded(b, false);
        f.tree.setExpanded(b, true);
        QCOMPARE(f.tree.count(), 5);       // nothing is read twice
        QCOMPARE(b->image(), ImageRef(2)); // but the picture opens again
    }

    void startFolderVariants_data()
    {
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("rows"); // below the root row
        QTest::newRow("empty") << QStringList{} << QStringList{} << QStringList{};
        QTest::newRow("files only")
            << QStringList{} << QStringList{"a.txt", "b.mp3"} << QStringList{};
        QTest::newRow("hidden folders")
            << QStringList{".git/x", "src", ".cache"} << QStringList{} << QStringList{"  src"};
        QTest::newRow("case-blind order")
            << QStringList{"beta", "Alpha", "alpha2", "Gamma"} << QStringList{}
            << QStringList{"  Alpha", "  alpha2", "  beta", "  Gamma"};
        QTest::newRow("odd names")
            << QStringList{"with space",  "été à noël",   "pipe|name", "line\nbreak",
                           "back\\slash", "%25 quote\"s", " lead"}
            << QStringList{}
            << QStringList{"   lead",     "  %25 quote\"s", "  back\\slash", "  line\nbreak",
                           "  pipe|name", "  with space",   "  été à noël"};
    }
    void startFolderVariants()
    {
        QFETCH(QStringList, folders);
        QFETCH(QStringList, files);
        QFETCH(QStringList, rows);
        QVERIFY(makeFolders(base(), {"start"}));
        for (const QString& folder : folders)
            QVERIFY(makeFolders(base() + "/start", {folder}));
        for (const QString& file : files)
            QVERIFY(makeFile(base() + "/start/" + file));

        Fixture f;
        f.build(base() + "/start/"); // a trailing separator names the same folder
        QStringList expected{base() + "/start/"};
        expected += rows;
        QCOMPARE(f.rows(), expected);
        const Node* root = f.tree.nodeAt(1);
        QCOMPARE(root->tag(), rows.isEmpty() ? QStringLiteral("0") : QStringLiteral("0E"));
        QVERIFY(root->expanded());
        QCOMPARE(f.count.shown.last(), expected.size());
        // Every folder node's key opens its folder again.
        for (int i = 1; i <= f.tree.count(); ++i)
            QVERIFY2(f.lister.listFolder(f.tree.nodeAt(i)->key()),
                     qPrintable(f.tree.nodeAt(i)->key()));
    }

    void missingStartFolder_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("empty text") << QString();
        QTest::newRow("no such folder") << QStringLiteral("/no/such/folder/here");
        QTest::newRow("a file") << QStringLiteral("FILE");
    }
    void missingStartFolder()
    {
        QFETCH(QString, path);
        QVERIFY(makeFile(base() + "/FILE"));
        Fixture f;
        f.tree.addRoot(QStringLiteral("old"), QStringLiteral("old"));
        f.build(path == QLatin1String("FILE") ? base() + "/FILE" : path);
        QVERIFY(f.tree.isEmpty());
        QCOMPARE(f.pump.yields, 1);
        QCOMPARE(f.pump.busyDepth, 0);
    }

    void fileSystemRoot()
    {
        Fixture f;
        QVERIFY(f.lister.listFolder(QStringLiteral("/")));
        f.build(QStringLiteral("/"));
        QCOMPARE(f.tree.nodeAt(1)->key(), QStringLiteral("/"));
        const Node* tmp = f.tree.findByKey(QStringLiteral("/tmp/"));
        QVERIFY(tmp);
        QCOMPARE(tmp->text(), QStringLiteral("tmp"));
    }

    void symlinkLoopStaysLazy()
    {
        QVERIFY(makeFolders(base(), {"top/sub"}));
        QVERIFY(QFile::link(base() + "/top", base() + "/top/sub/loop"));
        Fixture f;
        f.build(base() + "/top");
        ExpandToDepth(f.tree, 6);
        // Each expansion reads one level more through the loop, no further.
        const Node* deepest = f.tree.findByKey(base() + "/top/sub/loop/sub/loop/sub/");
        QVERIFY(deepest);
        QCOMPARE(deepest->depth(), 5);
        QVERIFY(f.tree.count() < 20);
    }

    void folderVanishesBeforeExpansion()
    {
        QVERIFY(makeFolders(base(), {"r/a/x", "r/b/y", "r/c"}));
        Fixture f;
        f.build(base() + "/r");
        Node* a = f.tree.findByKey(base() + "/r/a/");
        QVERIFY(QDir(base() + "/r/a/x").removeRecursively());
        QVERIFY(makeFolders(base(), {"r/a/x/new"}));
        QVERIFY(QDir(base() + "/r/b").removeRecursively());
        f.tree.setExpanded(a, true); // x's folder now has a sub-folder
        QVERIFY(f.tree.findByKey(base() + "/r/a/x/new/"));
        Node* b = f.tree.findByKey(base() + "/r/b/");
        f.tree.setExpanded(b, true); // its child's folder is gone: skipped quietly
        QCOMPARE(b->tag(), QStringLiteral("1E"));
        QCOMPARE(b->childCount(), 1);
    }

    void unreadableFolderIsSkipped()
    {
        if (geteuid() == 0)
            QSKIP("root reads every folder");
        QVERIFY(makeFolders(base(), {"r/locked/inner", "r/open/inner"}));
        QFile::setPermissions(base() + "/r/locked", QFileDevice::Permissions());
        Fixture f;
        f.build(base() + "/r");
        QFile::setPermissions(base() + "/r/locked", QFileDevice::ReadOwner |
                                                        QFileDevice::WriteOwner |
                                                        QFileDevice::ExeOwner);
        QVERIFY(f.tree.findByKey(base() + "/r/open/inner/"));
        QCOMPARE(f.tree.findByKey(base() + "/r/locked/")->childCount(), 0);
    }

    void fileNodesAmongChildrenAreSkipped()
    {
        QVERIFY(makeFolders(base(), {"r/a/b/c"}));
        Fixture f;
        f.build(base() + "/r");
        Node* a = f.tree.findByKey(base() + "/r/a/");
        // Files added under a before its own sub-folders were scanned.
        Node* b = f.tree.findByKey(base() + "/r/a/b/");
        QVERIFY(f.tree.addChild(a, QString(), QStringLiteral("file.zip"), "fil"));
        QCOMPARE(a->childAt(0), b);
        f.tree.setExpanded(a, true);
        QVERIFY(f.tree.findByKey(base() + "/r/a/b/c/"));
    }

    // The user may clear the tree (a new start) while any scan yields.
    void clearedDuringBuild_data()
    {
        QTest::addColumn<int>("yieldNumber");
        for (int n : {1, 2, 3, 5, 6, 8, 10, 40})
            QTest::addRow("yield %d", n) << n;
    }
    void clearedDuringBuild()
    {
        QFETCH(int, yieldNumber);
        QVERIFY(makeFolders(base(), {"r/a/1", "r/a/2", "r/b/1", "r/c/1", "r/c/2", "r/d"}));
        Fixture f;
        bool cleared = false;
        f.pump.onYield = [&](int n) {
            if (n == yieldNumber) {
                f.tree.clear();
                cleared = true;
            }
        };
        f.build(base() + "/r");
        // Whatever survived has every node under a living parent.
        for (int i = 1; i <= f.tree.count(); ++i) {
            const Node* node = f.tree.nodeAt(i);
            QVERIFY(!node->parent() || f.tree.find(node->parent()->id()) == node->parent());
            if (node->parent())
                QVERIFY(node->key().startsWith(node->parent()->key()));
        }
        // Scans whose parent vanished add nothing more.
        QCOMPARE(f.tree.count(), cleared ? 0 : 10);
        QCOMPARE(f.pump.busyDepth, 0);
    }

    void editedDuringExpansion_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("yieldNumber");
        for (const char* action : {"clear", "remove expanded", "remove next child", "rebuild"}) {
            for (int n : {1, 2, 4})
                QTest::addRow("%s at %d", action, n) << QString::fromLatin1(action) << n;
        }
    }
    void editedDuringExpansion()
    {
        QFETCH(QString, action);
        QFETCH(int, yieldNumber);
        QVERIFY(
            makeFolders(base(), {"r/a/x/1", "r/a/x/2", "r/a/y/1", "r/a/z/1", "r/a/z/2", "r/b"}));
        Fixture f;
        f.build(base() + "/r");
        const QString aKey = base() + "/r/a/";
        const int yieldsBefore = f.pump.yields;
        bool acted = false;
        f.pump.onYield = [&](int n) {
            if (acted || n != yieldsBefore + yieldNumber)
                return;
            acted = true;
            if (action == QLatin1String("clear")) {
                f.tree.clear();
            } else if (action == QLatin1String("remove expanded")) {
                f.tree.remove(f.tree.findByKey(aKey));
            } else if (action == QLatin1String("remove next child")) {
                f.tree.remove(f.tree.findByKey(aKey + "y/"));
            } else {
                f.build(base() + "/r"); // a new start in the middle of the old one
            }
        };
        Node* a = f.tree.findByKey(aKey);
        const NodeId aId = a->id();
        f.tree.setExpanded(a, true);
        for (int i = 1; i <= f.tree.count(); ++i) {
            const Node* node = f.tree.nodeAt(i);
            if (node->parent())
                QVERIFY(node->key().startsWith(node->parent()->key()));
        }
        a = f.tree.find(aId);
        QVERIFY(!a || a->tag().endsWith(QLatin1Char('E')));
        QCOMPARE(f.pump.busyDepth, 0);
    }

    void undecodableNameDoesNotBreakTheScan()
    {
        QVERIFY(makeFolders(base(), {"r/ok/inner"}));
        const QByteArray odd = QFile::encodeName(base() + "/r/") + QByteArray("bad\xff\xfename");
        QVERIFY(::mkdir(odd.constData(), 0700) == 0);
        QVERIFY(::mkdir((odd + "/inner").constData(), 0700) == 0);
        Fixture f;
        f.build(base() + "/r");
        ExpandToDepth(f.tree, 3);
        QVERIFY(f.tree.findByKey(base() + "/r/ok/inner/"));
        // A name that cannot be spelt as text cannot be opened again: it is left out.
        QCOMPARE(f.tree.nodeAt(1)->childCount(), 1);
        QVERIFY(::rmdir((odd + "/inner").constData()) == 0);
        QVERIFY(::rmdir(odd.constData()) == 0);
    }

    void countRefreshedAfterEveryFolderScan()
    {
        QVERIFY(makeFolders(base(), {"r/a/1", "r/b", "r/c/1"}));
        Fixture f;
        f.build(base() + "/r");
        // Start scan, then one scan per child of the root.
        QCOMPARE(f.count.shown, (QList<qint32>{1, 4, 4, 4}));
    }
};

QTEST_GUILESS_MAIN(FolderScanTest)
#include "tst_folderscan.moc"
