#include "core/tree/ScanDoubles.h"
#include "tree/LeftOut.h"
#include "tree/TreeWalks.h"

#include <QTemporaryDir>
#include <QTest>
#include <optional>

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
    void cleanupTestCase() { removeAll(m_tmp.path()); } // names that are no valid text too

    // Folders only, hidden ones left out, in the lister's order (letter case
    // ignored), one level ahead of what is open. A node's tag is its depth,
    // "E" once opened, when its picture opens too; the count follows each scan.
    void shapeAndExpansion()
    {
        QVERIFY(makeEntries(m_dir, {"F/Act/West/x/", "F/Act/Asia/", "F/.git/x/", "F/comedy/",
                                    "F/r.txt", "F/ l\\x|\n\"%25/z/"}));
        ScanFixture f(m_dir + "/F/"); // a trailing separator names the same folder
        const QString r = m_dir + "/F/";
        QCOMPARE(RowTexts(f.tree), (QStringList{r, "   l\\x|\n\"%25", "  Act", "  comedy"}));
        QCOMPARE(describe(f.tree.nodeAt(1)), r + "|0E|2|3");
        Node* act = f.at(r + "Act/");
        QCOMPARE(describe(act), QStringLiteral("Act|1|1|3"));
        QCOMPARE(describe(act->childAt(0)), QStringLiteral("Asia|2|1|3"));
        QCOMPARE(f.count.shown, (QList<qint32>{1, 4, 4, 4})); // start scan, then each child's
        QCOMPARE(f.pump.busyDepth, 0);

        // The expansion passes over a file node among the children.
        QVERIFY(f.tree.addChild(act, QString(), QStringLiteral("a.zip"), "fil"));
        f.tree.setExpanded(act, true);
        QCOMPARE(describe(act), QStringLiteral("Act|1E|2|3"));
        QCOMPARE(describe(f.at(r + "Act/West/x/")), QStringLiteral("x|3|1|3"));
        f.tree.setImage(act, 1);
        f.tree.setExpanded(act, false);
        f.tree.setExpanded(act, true);
        QCOMPARE(f.tree.count(), 9);                           // nothing is read twice
        QCOMPARE(describe(act), QStringLiteral("Act|1E|2|3")); // but the picture opens again
        f.tree.setExpanded(f.tree.nodeAt(2), true);            // an odd name is a good key
        QCOMPARE(f.tree.nodeAt(2)->childAt(0)->text(), QStringLiteral("z"));

        ScanFixture top(QStringLiteral("/")); // the file-system root keeps its single "/"
        QCOMPARE(top.tree.nodeAt(1)->key(), QStringLiteral("/"));
        QCOMPARE(top.at(QStringLiteral("/tmp/"))->text(), QStringLiteral("tmp"));
    }

    // A missing start folder says nothing; what else the scans leave out is
    // told in one line, until the next build.
    void leftOut_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("nodes");
        QTest::addColumn<QString>("said");
        QTest::newRow("all read") << "" << 8 << "";
        QTest::newRow("locked sub-folder") << "locked a" << 3 << ""; // passed by quietly
        QTest::newRow("no start folder") << "gone" << 0 << "";
        QTest::newRow("a file") << "f.txt" << 0 << "";
        QTest::newRow("no name") << "none" << 0 << "";
        QTest::newRow("locked") << "locked" << 0 << "the start folder cannot be read";
        QTest::newRow("bad names")
            << "bad names" << 8 << "left out 3 folders whose names are not valid UTF-8";
        QTest::newRow("long paths")
            << "long paths" << 2
            << "left out 1 folder whose path exceeds the system's 4,096-byte limit";
        QTest::newRow("node limit") << "node limit" << NodeTree::MaxNodes
                                    << "left out 3 entries beyond the 32,767-node limit";
    }
    void leftOut()
    {
        QFETCH(QString, setup);
        QVERIFY(makeEntries(m_dir, {"r/a/1/x/", "r/a/2/x/", "r/a/3/x/", "r/a/4/x/", "r/a/5/x/",
                                    "r/b/", "r/f.txt"}));
        QString start = m_dir + "/r";
        if (setup == "gone" || setup == "f.txt") {
            start += '/' + setup;
        } else if (setup == "none") {
            start.clear();
        } else if (setup.startsWith("locked")) {
            QVERIFY(QFile::setPermissions(start + setup.mid(6).replace(' ', '/'), {}));
        } else if (setup == "bad names") {
            QVERIFY(makeRawEntries(start, {"bad\xff/", "\xc3(/", "f\xff.txt", "b/in\xfe/"}));
        } else if (setup == "long paths") { // 4,095 bytes are the longest path
            start = deepFolder(m_dir, 3900);
            QVERIFY(makeRawEntries(start, {QByteArray(194, 'k') + '/', QByteArray(195, 'x') + '/',
                                           QByteArray(195, 'f')}));
        }
        std::optional<ScanFixture> f;
        {
            const WithoutReadRights locked;
            f.emplace(start);
        }
        if (setup == "node limit") {
            while (f->tree.count() < NodeTree::MaxNodes - 2)
                f->tree.addRoot(QString(), "filler");
            f->tree.setExpanded(f->at(start + "/a/"), true);
        }
        QTEST(f->tree.count(), "nodes");
        QTEST(describeLeftOut(f->scan.leftOut()), "said");
        for (const QString& locked : {start, start + "/a"})
            QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        f->scan.setStartPath(m_dir + "/r/a");
        f->scan.BuildTree();
        QVERIFY(f->scan.leftOut().isEmpty());
    }

    void hostileFolders()
    {
        QVERIFY(makeEntries(m_dir, {"r/a/x/", "r/b/y/", "r/top/sub/"}));
        ScanFixture f(m_dir + "/r");

        // Folders changed on disk before their parent is expanded.
        QVERIFY(QDir(m_dir + "/r/a/x").removeRecursively() && makeEntries(m_dir, {"r/a/x/new/"}));
        QVERIFY(QDir(m_dir + "/r/b").removeRecursively());
        f.tree.setExpanded(f.at(m_dir + "/r/a/"), true);
        QVERIFY(f.at(m_dir + "/r/a/x/new/"));
        Node* b = f.at(m_dir + "/r/b/");
        f.tree.setExpanded(b, true); // its child's folder is gone: skipped quietly
        QCOMPARE(describe(b), QStringLiteral("b|1E|2|3"));
        QCOMPARE(b->childCount(), 1);

        // Links that lead back to the folder itself or above it are rows without children.
        const QString sub = m_dir + "/r/top/sub/";
        for (const auto& [link, target] : {std::pair{"self", "."},
                                           {"parent", ".."},
                                           {"root", "../.."},
                                           {"up", "../../.."},
                                           {"slash", "/"},
                                           {"side", "../../a"}})
            QVERIFY(::symlink(target, QFile::encodeName(sub + link)) == 0);
        ExpandToDepth(f.tree, 400);
        for (const char* loop : {"self/", "parent/", "root/", "up/", "slash/"})
            QVERIFY(f.at(sub + loop) && f.at(sub + loop)->childCount() == 0);
        QVERIFY(f.at(sub + "side/x/new/"));
        QVERIFY(f.tree.count() < 30);
    }

    // The user may start again, or remove a node, while any scan yields. The build
    // yields 1-5 in the start scan, 6-8 in a's scan, then 9, 10, 11 in b's, c's and d's.
    void editedDuringScans_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<int>("yield");
        for (const char* edit : {"clear", "remove a", "remove b", "rebuild"}) {
            for (int n : {2, 5, 7, 9})
                QTest::addRow("build, %s at %d", edit, n) << QString("build " + QString(edit)) << n;
            for (int n : {1, 2, 4})
                QTest::addRow("expand a, %s at %d", edit, n) << QString(edit) << n;
        }
        QTest::addRow("expand a, remove a/y at 1") << "remove a/y" << 1;
    }
    void editedDuringScans()
    {
        QFETCH(QString, edit);
        QFETCH(int, yield);
        QVERIFY(makeEntries(
            m_dir, {"r/a/x/1/", "r/a/x/2/", "r/a/y/1/", "r/a/z/1/", "r/b/q/", "r/c/q/", "r/d/q/"}));
        const bool building = edit.startsWith(QLatin1String("build "));
        edit.remove(QLatin1String("build "));
        ScanFixture f(building ? QString() : m_dir + "/r");
        const int at = f.pump.yields + yield;
        f.pump.onYield = [&](int n) {
            if (n != at)
                return;
            if (edit == QLatin1String("clear"))
                f.tree.clear();
            else if (edit.startsWith(QLatin1String("remove")))
                f.tree.remove(f.at(m_dir + "/r/" + edit.mid(7) + "/"));
            else
                f.scan.BuildTree(); // a new start in the middle of the old one
        };
        if (building) {
            f.scan.setStartPath(m_dir + "/r");
            f.scan.BuildTree();
        } else {
            f.tree.setExpanded(f.at(m_dir + "/r/a/"), true);
        }
        QVERIFY(f.pump.yields >= at);
        f.verifyTree();
        for (int i = 1; i <= f.tree.count(); ++i) { // every folder here below an opened one
            const Node* node = f.tree.nodeAt(i);    // holds sub-folders: it was scanned
            if (node->parent() && node->parent()->tag().contains(QLatin1Char('E')))
                QVERIFY(node->childCount() > 0);
        }
        QCOMPARE(f.pump.busyDepth, 0);
    }
};

QTEST_GUILESS_MAIN(FolderScanTest)
#include "tst_folderscan.moc"
