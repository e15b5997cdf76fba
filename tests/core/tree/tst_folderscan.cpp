#include "core/tree/ScanDoubles.h"
#include "tree/TreeWalks.h"

#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

using namespace kvx;

class FolderScanTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tmp;
    QString m_dir; // a fresh folder for each test

private Q_SLOTS:
    void init()
    {
        static int n = 0;
        m_dir = m_tmp.filePath(QString::number(++n));
        QVERIFY(QDir().mkpath(m_dir));
    }

    void shapeAndExpansion()
    {
        QVERIFY(
            makeEntries(m_dir, {"F/Action/Western/x/", "F/Action/Asia/", "F/Comedy/", "F/r.txt"}));
        ScanFixture f(m_dir + "/F");
        const QString r = m_dir + "/F/";
        const Node* root = f.tree.nodeAt(1);
        QCOMPARE(f.tree.count(), 5);
        QCOMPARE(root->key(), r);
        QCOMPARE(root->text(), r);
        QCOMPARE(root->tag(), QStringLiteral("0E"));
        QCOMPARE(root->image(), ImageRef(2));
        QCOMPARE(root->selectedImage(), ImageRef(3));
        Node* action = f.at(r + "Action/");
        QCOMPARE(action->text(), QStringLiteral("Action"));
        QCOMPARE(action->tag(), QStringLiteral("1"));
        QCOMPARE(action->image(), ImageRef(1));
        QCOMPARE(action->childAt(0)->text(), QStringLiteral("Asia"));
        QCOMPARE(action->childAt(0)->tag(), QStringLiteral("2"));
        QCOMPARE(RowTexts(f.tree), (QStringList{r, "  Action", "  Comedy"}));
        QCOMPARE(f.count.shown, (QList<qint32>{1, 3, 3})); // start scan, then each child's
        QCOMPARE(f.pump.busyDepth, 0);

        // A file node among the children is passed over by the expansion.
        QVERIFY(f.tree.addChild(action, QString(), QStringLiteral("a.zip"), "fil"));
        f.tree.setExpanded(action, true);
        QCOMPARE(action->tag(), QStringLiteral("1E"));
        QCOMPARE(action->image(), ImageRef(2));
        QCOMPARE(f.at(r + "Action/Western/x/")->tag(), QStringLiteral("3"));
        QCOMPARE(f.tree.count(), 7);
        f.tree.setImage(action, 1);
        f.tree.setExpanded(action, false);
        f.tree.setExpanded(action, true);
        QCOMPARE(f.tree.count(), 7);            // nothing is read twice
        QCOMPARE(action->image(), ImageRef(2)); // but the picture opens again

        ScanFixture top(QStringLiteral("/")); // the file-system root keeps its single "/"
        QCOMPARE(top.tree.nodeAt(1)->key(), QStringLiteral("/"));
        QCOMPARE(top.at(QStringLiteral("/tmp/"))->text(), QStringLiteral("tmp"));
    }

    void startFolders_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("rows"); // below the root row
        QTest::newRow("empty") << QStringList{} << QStringList{};
        QTest::newRow("files only") << QStringList{"a.txt", "b.mp3"} << QStringList{};
        QTest::newRow("hidden") << QStringList{".git/x/", "src/", ".cache/"}
                                << QStringList{"  src"};
        QTest::newRow("case-blind order")
            << QStringList{"beta/", "Alpha/", "alpha2/", "Gamma/"}
            << QStringList{"  Alpha", "  alpha2", "  beta", "  Gamma"};
        QTest::newRow("odd names")
            << QStringList{"with space/",  "été à noël/",   "pipe|name/", "line\nbreak/",
                           "back\\slash/", "%25 quote\"s/", " lead/"}
            << QStringList{"   lead",     "  %25 quote\"s", "  back\\slash", "  line\nbreak",
                           "  pipe|name", "  with space",   "  été à noël"};
    }
    void startFolders()
    {
        QFETCH(QStringList, entries);
        QFETCH(QStringList, rows);
        QVERIFY(makeEntries(m_dir, {"start/"}) && makeEntries(m_dir + "/start", entries));
        ScanFixture f(m_dir + "/start/"); // a trailing separator names the same folder
        rows.prepend(m_dir + "/start/");
        QCOMPARE(RowTexts(f.tree), rows);
        QCOMPARE(f.tree.nodeAt(1)->tag(), QString::fromLatin1(rows.size() == 1 ? "0" : "0E"));
        QCOMPARE(f.count.shown.last(), qint32(rows.size()));
        for (int i = 1; i <= f.tree.count(); ++i) // every key opens its folder again
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
        QVERIFY(makeEntries(m_dir, {"FILE"}));
        ScanFixture f(path == QLatin1String("FILE") ? m_dir + "/FILE" : path);
        QVERIFY(f.tree.isEmpty());
        QCOMPARE(f.pump.busyDepth, 0);
    }

    void hostileFolders()
    {
        QVERIFY(makeEntries(m_dir, {"r/a/x/", "r/b/y/", "r/locked/in/", "r/top/sub/"}));
        QVERIFY(QFile::link(m_dir + "/r/top", m_dir + "/r/top/sub/loop"));
        const QByteArray odd = QFile::encodeName(m_dir + "/r/") + "bad\xff\xfename";
        QVERIFY(::mkdir(odd.constData(), 0700) == 0 &&
                ::mkdir((odd + "/in").constData(), 0700) == 0);
        QFile::setPermissions(m_dir + "/r/locked", {});
        ScanFixture f(m_dir + "/r");
        QFile::setPermissions(m_dir + "/r/locked",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (geteuid() != 0) // root reads every folder
            QCOMPARE(f.at(m_dir + "/r/locked/")->childCount(), 0);
        // A name that cannot be spelt as text cannot be opened again: it is left out.
        QCOMPARE(f.tree.nodeAt(1)->childCount(), 4);

        // Folders changed on disk before their parent is expanded.
        QVERIFY(QDir(m_dir + "/r/a/x").removeRecursively() && makeEntries(m_dir, {"r/a/x/new/"}));
        QVERIFY(QDir(m_dir + "/r/b").removeRecursively());
        f.tree.setExpanded(f.at(m_dir + "/r/a/"), true);
        QVERIFY(f.at(m_dir + "/r/a/x/new/"));
        Node* b = f.at(m_dir + "/r/b/");
        f.tree.setExpanded(b, true); // its child's folder is gone: skipped quietly
        QCOMPARE(b->tag(), QStringLiteral("1E"));
        QCOMPARE(b->childCount(), 1);

        // A symlink loop: each expansion reads one level more, no further.
        ExpandToDepth(f.tree, 7);
        QCOMPARE(f.at(m_dir + "/r/top/sub/loop/sub/loop/sub/")->depth(), 6);
        QVERIFY(f.tree.count() < 30);
        QVERIFY(::rmdir((odd + "/in").constData()) == 0 && ::rmdir(odd.constData()) == 0);
    }

    // The user may start again, or remove a node, while any scan yields.
    void editedDuringScans_data()
    {
        QTest::addColumn<bool>("expansion"); // else the build itself
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("yieldNumber");
        for (int n : {1, 2, 3, 4, 5, 6})
            QTest::addRow("build, clear at %d", n) << false << "clear" << n;
        for (const char* action : {"clear", "remove expanded", "remove next child", "rebuild"}) {
            for (int n : {1, 2, 4})
                QTest::addRow("expand, %s at %d", action, n) << true << action << n;
        }
    }
    void editedDuringScans()
    {
        QFETCH(bool, expansion);
        QFETCH(QString, action);
        QFETCH(int, yieldNumber);
        QVERIFY(makeEntries(m_dir,
                            {"r/a/x/1/", "r/a/x/2/", "r/a/y/1/", "r/a/z/1/", "r/a/z/2/", "r/b/"}));
        ScanFixture f(expansion ? m_dir + "/r" : QString());
        const QString a = m_dir + "/r/a/";
        const int at = f.pump.yields + yieldNumber;
        bool acted = false;
        f.pump.onYield = [&](int n) {
            if (acted || n != at)
                return;
            acted = true;
            if (action == QLatin1String("clear"))
                f.tree.clear();
            else if (action == QLatin1String("remove expanded"))
                f.tree.remove(f.at(a));
            else if (action == QLatin1String("remove next child"))
                f.tree.remove(f.at(a + "y/"));
            else
                f.scan.BuildTree(); // a new start in the middle of the old one
        };
        if (expansion) {
            const NodeId id = f.at(a)->id();
            f.tree.setExpanded(f.at(a), true);
            QVERIFY(!f.tree.find(id) || f.tree.find(id)->tag().endsWith(QLatin1Char('E')));
        } else {
            f.scan.setStartPath(m_dir + "/r");
            f.scan.BuildTree();
            QCOMPARE(f.tree.count(), acted ? 0 : 6); // nothing added under a vanished parent
        }
        QVERIFY(acted);
        f.verifyTree();
        QCOMPARE(f.pump.busyDepth, 0);
    }
};

QTEST_GUILESS_MAIN(FolderScanTest)
#include "tst_folderscan.moc"
