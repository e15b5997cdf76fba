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
        QVERIFY(makeEntries(m_dir, {"F/Act/West/x/", "F/Act/Asia/", "F/Comedy/", "F/r.txt"}));
        ScanFixture f(m_dir + "/F");
        const QString r = m_dir + "/F/";
        QCOMPARE(f.tree.nodeAt(1)->key(), r);
        QCOMPARE(describe(f.tree.nodeAt(1)), r + "|0E|2|3");
        Node* act = f.at(r + "Act/");
        QCOMPARE(describe(act), QStringLiteral("Act|1|1|3"));
        QCOMPARE(describe(act->childAt(0)), QStringLiteral("Asia|2|1|3")); // the lister's order
        QCOMPARE(RowTexts(f.tree), (QStringList{r, "  Act", "  Comedy"}));
        QCOMPARE(f.count.shown, (QList<qint32>{1, 3, 3})); // start scan, then each child's
        QCOMPARE(f.pump.busyDepth, 0);

        // The expansion passes over a file node among the children.
        QVERIFY(f.tree.addChild(act, QString(), QStringLiteral("a.zip"), "fil"));
        f.tree.setExpanded(act, true);
        QCOMPARE(describe(act), QStringLiteral("Act|1E|2|3"));
        QCOMPARE(describe(f.at(r + "Act/West/x/")), QStringLiteral("x|3|1|3"));
        f.tree.setImage(act, 1);
        f.tree.setExpanded(act, false);
        f.tree.setExpanded(act, true);
        QCOMPARE(f.tree.count(), 7);                           // nothing is read twice
        QCOMPARE(describe(act), QStringLiteral("Act|1E|2|3")); // but the picture opens again

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
            QVERIFY(f.lister.listFolder(f.tree.nodeAt(i)->key()));
    }

    void missingStartFolder()
    {
        QVERIFY(makeEntries(m_dir, {"FILE"}));
        for (const QString& path : {QString(), m_dir + "/gone", m_dir + "/FILE"}) {
            ScanFixture f(path);
            QVERIFY(f.tree.isEmpty());
            QCOMPARE(f.pump.busyDepth, 0);
        }
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
        QCOMPARE(describe(b), QStringLiteral("b|1E|2|3"));
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
        QTest::addColumn<QString>("edit");
        QTest::addColumn<int>("yield");
        for (int n : {1, 2, 3, 4, 5, 6})
            QTest::addRow("build, clear at %d", n) << "build clear" << n;
        for (const char* edit : {"clear", "remove a", "remove a/y", "rebuild"}) {
            for (int n : {1, 2, 4})
                QTest::addRow("expand a, %s at %d", edit, n) << edit << n;
        }
    }
    void editedDuringScans()
    {
        QFETCH(QString, edit);
        QFETCH(int, yield);
        QVERIFY(makeEntries(m_dir, {"r/a/x/1/", "r/a/x/2/", "r/a/y/1/", "r/a/z/1/", "r/b/"}));
        const bool building = edit == QLatin1String("build clear");
        ScanFixture f(building ? QString() : m_dir + "/r");
        const QString a = m_dir + "/r/a/";
        const int at = f.pump.yields + yield;
        f.pump.onYield = [&](int n) {
            if (n != at)
                return;
            if (edit.endsWith(QLatin1String("clear")))
                f.tree.clear();
            else if (edit.startsWith(QLatin1String("remove")))
                f.tree.remove(f.at(m_dir + "/r/" + edit.mid(7) + "/"));
            else
                f.scan.BuildTree(); // a new start in the middle of the old one
        };
        if (building) {
            f.scan.setStartPath(m_dir + "/r");
            f.scan.BuildTree();
            QCOMPARE(f.tree.count(), 0); // nothing added under a vanished parent
        } else {
            const NodeId id = f.at(a)->id();
            f.tree.setExpanded(f.at(a), true);
            QVERIFY(!f.tree.find(id) || f.tree.find(id)->tag().endsWith(QLatin1Char('E')));
        }
        QVERIFY(f.pump.yields >= at);
        f.verifyTree();
        QCOMPARE(f.pump.busyDepth, 0);
    }
};

QTEST_GUILESS_MAIN(FolderScanTest)
#include "tst_folderscan.moc"
