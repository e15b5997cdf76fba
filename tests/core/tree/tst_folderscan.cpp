#include "core/tree/ScanDoubles.h"
#include "tree/FileLister.h"
#include "tree/FileNodes.h"
#include "tree/LeftOut.h"
#include "tree/TreeWalks.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <optional>

using namespace kvx;

class FolderScanTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tmp;
    QString m_dir; // a fresh folder for each test

    std::optional<ScanFixture> m_f;
    DirectoryFileLister m_lister;

    // A disc of files, built as the start command does.
    ScanFixture& disc()
    {
        const bool made = makeEntries(
            m_dir, {"Empty/", "a.txt", "B.TXT", ".hidden.txt", "readme", "odd.", "h.h", "Setup.EXE",
                    "été (1) [x].Mp3", "Films/x.avi", "Films/y.zip", "Films/archive.tar.GZ",
                    "Films/Action/z.zip", "Films/Action/Sub/deep.zip", "old.zip/inner.zip"});
        // A link to a file lists as the file; a dangling one not at all.
        const bool linked = QFile::link("y.zip", m_dir + "/Films/link.zip") &&
                            QFile::link("gone", m_dir + "/Films/broken.zip");
        m_f.emplace(m_dir);
        for (const char* icon : {"zip", "exe", "mp3", "tar"})
            m_f->images.add(QString::fromLatin1(icon));
        m_f->pump = ScriptedPump();
        [&] { QVERIFY(made && linked); }();
        return *m_f;
    }
    Node* folder(const QString& relative = QString()) const
    {
        return m_f->at(folderKey(QDir::cleanPath(m_dir + '/' + relative)));
    }
    FileNodes files() { return FileNodes(m_f->tree, m_lister, m_f->pump); }
    // The file nodes under a folder as "text|tag|image|-", or in the whole tree by position.
    QStringList filesUnder(const Node* parent = nullptr) const
    {
        QStringList found;
        for (int i = 1; i <= m_f->tree.count(); ++i) {
            const Node* node = m_f->tree.nodeAt(i);
            if (node->isFile() && (!parent || node->parent() == parent))
                found.append(parent ? describe(node) : node->text());
        }
        return found;
    }

private Q_SLOTS:
    void init()
    {
        static int n = 0;
        m_dir = m_tmp.filePath(QString::number(++n));
        QVERIFY(QDir().mkpath(m_dir));
    }
    void cleanupTestCase() { QProcess::execute("rm", {"-rf", m_tmp.path()}); } // odd names too

    // Folders only, hidden ones left out, in the lister's order (letter case
    // ignored), one level ahead of what is open. A node's tag is its depth,
    // "E" once opened, when its picture opens too (the count: the window's steps).
    void shapeAndExpansion()
    {
        QVERIFY(makeEntries(m_dir, {"F/Act/West/x/", "F/Act/Asia/", "F/.git/x/", "F/comedy/",
                                    "F/r.txt", "F/ l\\x|\n\"%25/z/"}));
        ScanFixture f(m_dir + "/F/"); // a trailing separator names the same folder
        const QString r = m_dir + "/F/";
        QCOMPARE(RowTexts(f.tree), (QStringList{r, "   l\\x|\n\"%25", "  Act", "  comedy"}));
        QCOMPARE(describe(f.tree.nodeAt(1)), r + "|0E|2|3");
        QCOMPARE(describe(f.at(r + "Act/")->childAt(0)), QStringLiteral("Asia|2|1|3"));
        f.tree.setExpanded(f.tree.nodeAt(2), true); // an odd name is a good key
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
        QTest::newRow("locked sub-folder")
            << "locked a" << 3 << "left out 1 folder that cannot be read";
        QTest::newRow("no start folder") << "gone" << 0 << "";
        QTest::newRow("a file") << "f.txt" << 0 << "";
        QTest::newRow("no name") << "none" << 0 << "";
        QTest::newRow("locked") << "locked" << 0 << "the start folder cannot be read";
        QTest::newRow("bad names")
            << "bad names" << 8 << "left out 3 folders whose names are not valid UTF-8";
        QTest::newRow("long paths")
            << "long paths" << 1 // at the limit, a folder cannot be opened: out too
            << "left out 2 folders whose paths exceed the system's 4,096-byte limit";
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

    // Files under every folder node, or under one: tagged by extension, with
    // its icon's picture or "fil"; each once, after what the folder held.
    void addFiles()
    {
        ScanFixture& f = disc();
        files().AddFilesToFolders(QStringLiteral(";*.zip;*.txt"));
        QCOMPARE(filesUnder(folder()), (QStringList{"a.txt|TXT|fil|-", "B.TXT|TXT|fil|-"}));
        QCOMPARE(filesUnder(folder("Films")),
                 (QStringList{"link.zip|ZIP|zip|-", "y.zip|ZIP|zip|-"}));
        QCOMPARE(filesUnder(folder("Films/Action")), QStringList{"z.zip|ZIP|zip|-"});
        QCOMPARE(filesUnder(folder("old.zip")), QStringList{"inner.zip|ZIP|zip|-"});
        QVERIFY(!folder("Films/Action/Sub")); // never scanned: no node, no files
        // One yield per position, the added file nodes included, under one busy pointer.
        QCOMPARE(f.pump.yields, f.tree.count());
        QCOMPARE(f.pump.maxBusyDepth, 1);
        QCOMPARE(f.pump.busyDepth, 0);

        // Each file comes once, however often and in whatever order it is added.
        files().AddFilesToFolders(QStringLiteral(";*.avi"));
        files().AddFilesToNode(folder("Films"), QStringLiteral("*.*"));
        files().AddFilesToNode(folder(), QStringLiteral("*.*"));
        QCOMPARE(filesUnder(folder("Films")),
                 (QStringList{"link.zip|ZIP|zip|-", "y.zip|ZIP|zip|-", "x.avi|AVI|fil|-",
                              "archive.tar.GZ|GZ|fil|-"}));
        QCOMPARE(filesUnder(folder()),
                 (QStringList{"a.txt|TXT|fil|-", "B.TXT|TXT|fil|-", "été (1) [x].Mp3|MP3|mp3|-",
                              "h.h|H|fil|-", "odd.||fil|-", "readme|README|fil|-",
                              "Setup.EXE|EXE|exe|-"}));

        // On a file node or a folder gone from disk: nothing.
        const int count = f.tree.count();
        files().AddFilesToNode(folder("Films")->childAt(1), QStringLiteral("*.*"));
        QVERIFY(QDir(m_dir + "/Empty").removeRecursively() && makeEntries(m_dir, {"Empty"}));
        files().AddFilesToNode(folder("Empty"), QStringLiteral("*.*"));
        QCOMPARE(f.tree.count(), count);

        // Removal takes exactly the files whose name matches, as adding does,
        // over folders and files interleaved (Sub opened after files were
        // added), every position once; no folder (old.zip), no node without
        // a picture (from a document). (The window removes the common case.)
        f.tree.setExpanded(folder("Films"), true);
        files().AddFilesToFolders(QStringLiteral("*.zip"));
        const NodeId bare = f.tree.addChild(folder(), QString(), "bare.zip")->id();
        QStringList kept = filesUnder();
        for (const char* name : {"link.zip", "y.zip", "z.zip", "inner.zip", "deep.zip", "readme"})
            QVERIFY(kept.removeOne(name));
        const int before = f.tree.count();
        f.pump = ScriptedPump();
        files().RemoveFilesByPattern(QStringLiteral("*.ZIP;README"));
        QCOMPARE(filesUnder(), kept);
        QVERIFY(f.tree.find(bare) && folder("old.zip"));
        QCOMPARE(f.pump.yields, before);
        f.verifyTree();
        files().RemoveFilesByPattern(QString()); // nothing checked
        QCOMPARE(filesUnder(), kept);
    }

    // Files left out are counted by reason: a name that is no valid text, a path
    // too long, no room left in the tree; those the pattern does not take are not.
    void filesLeftOut()
    {
        ScanFixture& f = disc();
        const QString deep = deepFolder(m_dir + "/deep", 3900);
        QVERIFY(
            makeRawEntries(m_dir, {"bad\xff.zip", "bad\xff.txt"}) &&
            makeRawEntries(deep, {QByteArray(191, 'f') + ".zip", QByteArray(190, 'k') + ".zip"}));
        QVERIFY(f.tree.addChild(folder(), folderKey(deep), "deep", 1));
        // Room for four: link.zip, y.zip, inner.zip and z.zip come first, the 4,095-byte path
        // finds the tree full.
        while (f.tree.count() < NodeTree::MaxNodes - 4)
            f.tree.addRoot(QString(), "filler");
        FileNodes adding = files();
        adding.AddFilesToFolders(QStringLiteral("*.zip"));
        QCOMPARE(filesUnder(), (QStringList{"link.zip", "y.zip", "inner.zip", "z.zip"}));
        QCOMPARE(describeLeftOut(adding.leftOut()),
                 "left out 1 file whose name is not valid UTF-8; 1 file whose path exceeds the "
                 "system's 4,096-byte limit; 1 entry beyond the 32,767-node limit");
    }

    // The user may do anything while a walk yields: start again, remove a
    // node, add one, clear the tree. The walk goes on over the tree as it then
    // is and never touches a node that is gone. Walks: the start scan (yields
    // 1-5 in the start folder, 6-8 in a, 9-11 in b, c, d), a's expansion with
    // its scans, adding and removing files. An edit at one yield, or at each.
    void editedDuringWalks_data()
    {
        QTest::addColumn<QString>("walk");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<int>("yield");
        for (const char* walk : {"build", "expand", "add", "remove"}) {
            for (const char* edit : {"clear", "remove a", "remove b", "rebuild"}) {
                for (int n : QString(walk) == "build"    ? QList<int>{2, 5, 7, 9}
                             : QString(walk) == "expand" ? QList<int>{1, 2, 4}
                                                         : QList<int>{1, 5, 12})
                    QTest::addRow("%s, %s at %d", walk, edit, n) << walk << edit << n;
            }
            for (const char* edit : {"remove next", "remove random", "add file"})
                QTest::addRow("%s, %s each", walk, edit) << walk << edit << 0;
        }
    }
    void editedDuringWalks()
    {
        QFETCH(QString, walk);
        QFETCH(QString, edit);
        QFETCH(int, yield);
        QVERIFY(makeEntries(m_dir, {"r/a/x/1/", "r/a/x/2/", "r/a/y/1/", "r/a/z/1/", "r/b/q/",
                                    "r/c/q/", "r/d/q/", "r/a/f.zip", "r/b/g.txt", "r/h.zip"}));
        ScanFixture f(walk == "build" ? QString() : m_dir + "/r");
        DirectoryFileLister lister;
        FileNodes files(f.tree, lister, f.pump);
        if (walk == "remove")
            files.AddFilesToFolders("*.*");
        const int from = f.pump.yields;
        QRandomGenerator random(7);
        f.pump.onYield = [&](int n) {
            const int count = f.tree.count();
            if (yield ? n != from + yield : n - from > 60)
                return;
            if (edit == "clear")
                f.tree.clear();
            else if (edit == "rebuild")
                f.scan.BuildTree(); // a new start in the middle of the old walk
            else if (edit == "remove next")
                f.tree.remove(std::min(n - from + 1, count));
            else if (edit == "remove random" && count > 0)
                f.tree.remove(1 + int(random.bounded(count)));
            else if (edit == "add file" && count > 0)
                f.tree.addChild(f.tree.nodeAt(1 + int(random.bounded(count))), QString(),
                                "late.zip", "fil");
            else if (edit.startsWith("remove "))
                f.tree.remove(f.at(m_dir + "/r/" + edit.mid(7) + "/"));
            f.verifyTree();
        };
        if (walk == "build") {
            f.scan.setStartPath(m_dir + "/r");
            f.scan.BuildTree();
        } else if (walk == "expand") {
            f.tree.setExpanded(f.at(m_dir + "/r/a/"), true);
        } else if (walk == "add") {
            files.AddFilesToFolders("*.*");
        } else {
            files.RemoveFilesByPattern("*.zip;*.txt");
        }
        QVERIFY(f.pump.yields >= from + yield);
        if (edit == "clear" && (walk == "add" || walk == "remove")) // file walks stop
            QCOMPARE(f.pump.yields, from + yield);
        f.verifyTree();
        QCOMPARE(f.pump.busyDepth, 0);
        for (int i = 1; yield && i <= f.tree.count(); ++i) { // every folder here below an
            const Node* node = f.tree.nodeAt(i); // opened one holds sub-folders: it was scanned
            if (node->isFolder() && node->parent() && node->parent()->tag().contains('E'))
                QVERIFY(node->childCount() > 0);
        }
    }
};

QTEST_GUILESS_MAIN(FolderScanTest)
#include "tst_folderscan.moc"
