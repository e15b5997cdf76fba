#include "ScanDoubles.h"
#include "tree/FileLister.h"
#include "tree/FileNodes.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

using namespace kvx;

class TestFileNodes : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    DirectoryFileLister m_lister;
    std::optional<ScanFixture> m_f; // the disc below, built as the start command does

    Node* folder(const QString& relative = QString()) const
    {
        return m_f->at(folderKey(QDir::cleanPath(m_dir.path() + '/' + relative)));
    }
    FileNodes files() { return FileNodes(m_f->tree, m_lister, m_f->pump); }
    // The file nodes under a folder, or in the whole tree by position, as "text|tag|image|-".
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
    void cleanupTestCase() { removeAll(m_dir.path()); }
    void init()
    {
        removeAll(m_dir.path());
        QVERIFY(
            makeEntries(m_dir.path(), {"Empty/", "a.txt", "B.TXT", ".hidden.txt", "readme", "odd.",
                                       "h.h", "Setup.EXE", "été (1) [x].Mp3", "Films/x.avi",
                                       "Films/y.zip", "Films/archive.tar.GZ", "Films/Action/z.zip",
                                       "Films/Action/Sub/deep.zip", "old.zip/inner.zip"}));
        // A link to a file lists as the file; a dangling one not at all.
        QVERIFY(QFile::link("y.zip", m_dir.filePath("Films/link.zip")) &&
                QFile::link("gone", m_dir.filePath("Films/broken.zip")));
        m_f.emplace(m_dir.path());
        for (const char* icon : {"zip", "exe", "mp3", "tar"})
            m_f->images.add(QString::fromLatin1(icon));
        m_f->pump = ScriptedPump();
    }

    void addFiles()
    {
        files().AddFilesToFolders(QStringLiteral(";*.zip;*.txt"));
        QCOMPARE(filesUnder(folder()), (QStringList{"a.txt|TXT|fil|-", "B.TXT|TXT|fil|-"}));
        QCOMPARE(filesUnder(folder("Films")),
                 (QStringList{"link.zip|ZIP|zip|-", "y.zip|ZIP|zip|-"}));
        QCOMPARE(filesUnder(folder("Films/Action")), QStringList{"z.zip|ZIP|zip|-"});
        QCOMPARE(filesUnder(folder("old.zip")), QStringList{"inner.zip|ZIP|zip|-"});
        QVERIFY(!folder("Films/Action/Sub")); // never scanned: no node, no files
        // One yield per position, the added file nodes included, under one busy pointer.
        QCOMPARE(m_f->pump.yields, m_f->tree.count());
        QCOMPARE(m_f->pump.maxBusyDepth, 1);
        QCOMPARE(m_f->pump.busyDepth, 0);

        // Each file comes once, however often and in whatever order it is added.
        const int once = m_f->tree.count();
        files().AddFilesToFolders(QStringLiteral(";*.zip;*.txt"));
        QCOMPARE(m_f->tree.count(), once);
        files().AddFilesToFolders(QStringLiteral(";*.avi"));
        files().AddFilesToNode(folder("Films"), QStringLiteral("*.*"));
        files().AddFilesToNode(folder(), QStringLiteral("*.*"));
        QCOMPARE(filesUnder(folder("Films")),
                 (QStringList{"link.zip|ZIP|zip|-", "y.zip|ZIP|zip|-", "x.avi|AVI|fil|-",
                              "archive.tar.GZ|GZ|fil|-"}));
        QCOMPARE(filesUnder(folder()),
                 (QStringList{"a.txt|TXT|fil|-", "B.TXT|TXT|fil|-", "h.h|H|fil|-", "odd.||fil|-",
                              "readme|README|fil|-", "Setup.EXE|EXE|exe|-",
                              "été (1) [x].Mp3|MP3|mp3|-"}));

        // On a file node, on no node, on a folder gone from disk, with no item: nothing.
        const int count = m_f->tree.count();
        const int yields = m_f->pump.yields;
        files().AddFilesToNode(folder("Films")->childAt(1), QStringLiteral("*.*"));
        files().AddFilesToNode(nullptr, QStringLiteral("*.*"));
        QVERIFY(QDir(m_dir.filePath("Empty")).removeRecursively() &&
                makeEntries(m_dir.path(), {"Empty"}));
        files().AddFilesToNode(folder("Empty"), QStringLiteral("*.*"));
        files().AddFilesToNode(folder(), QStringLiteral(";"));
        QCOMPARE(m_f->tree.count(), count);
        QCOMPARE(m_f->pump.yields, yields);
    }

    // Removal takes exactly the files whose name matches, as adding does, and no folder.
    void removeByPattern_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("removed");
        QTest::newRow("archives") << ";*.zip;*.ace;*.rar;*.cab"
                                  << QStringList{"link.zip", "y.zip", "z.zip", "inner.zip",
                                                 "deep.zip"};
        QTest::newRow("web pages, not h") << ";*.htm;*.html;*.chm" << QStringList{};
        QTest::newRow("all files") << "*.*" << QStringList{"*"};
        QTest::newRow("case ignored") << "*.TXT;README" << QStringList{"a.txt", "B.TXT", "readme"};
        QTest::newRow("nothing checked") << "" << QStringList{};
    }
    void removeByPattern()
    {
        QFETCH(QString, pattern);
        QFETCH(QStringList, removed);
        // Files added before Films was opened, so its Sub folder and that folder's
        // files come after them: folders and files interleave.
        files().AddFilesToFolders(QStringLiteral("*.*"));
        m_f->tree.setExpanded(folder("Films"), true);
        files().AddFilesToFolders(QStringLiteral("*.*"));
        // A node without a picture (from a document) is neither a folder nor a file: it stays.
        const NodeId bare = m_f->tree.addChild(folder(), QString(), "bare.zip")->id();
        QStringList kept = filesUnder();
        QCOMPARE(kept.size(), 14);
        for (const QString& name : removed)
            QVERIFY(name == QLatin1String("*") || kept.removeOne(name));
        if (removed == QStringList{"*"}) // every file
            kept.clear();
        const int folders = m_f->tree.count() - 14;
        m_f->pump = ScriptedPump();
        const int before = m_f->tree.count();
        files().RemoveFilesByPattern(pattern);
        QCOMPARE(filesUnder(), kept);
        QVERIFY(m_f->tree.find(bare));
        QCOMPARE(m_f->tree.count(), folders + kept.size()); // old.zip among the folders
        m_f->verifyTree();
        QCOMPARE(m_f->pump.busyDepth, 0);
        QCOMPARE(m_f->pump.yields, pattern.isEmpty() ? 0 : before); // every position once
    }

    // Files left out are counted by reason: a name that is no valid text, a path
    // too long, no room left in the tree; those the pattern does not take are not.
    void leftOut()
    {
        const QString deep = deepFolder(m_dir.filePath("deep"), 3900);
        QVERIFY(
            makeRawEntries(m_dir.path(), {"bad\xff.zip", "bad\xff.txt"}) &&
            makeRawEntries(deep, {QByteArray(191, 'f') + ".zip", QByteArray(190, 'k') + ".zip"}));
        QVERIFY(m_f->tree.addChild(folder(), folderKey(deep), "deep", 1));
        // Room for four: link.zip, y.zip, inner.zip and z.zip come first, the 4,095-byte path
        // finds the tree full.
        while (m_f->tree.count() < NodeTree::MaxNodes - 4)
            m_f->tree.addRoot(QString(), "filler");
        FileNodes adding = files();
        adding.AddFilesToFolders(QStringLiteral("*.zip"));
        QCOMPARE(filesUnder(), (QStringList{"link.zip", "y.zip", "inner.zip", "z.zip"}));
        QCOMPARE(describeLeftOut(adding.leftOut()),
                 "left out 1 file whose name is not valid UTF-8; 1 file whose path exceeds the "
                 "system's 4,096-byte limit; 1 entry beyond the 32,767-node limit");
    }

    // Anything may happen to the tree at a yield; the walk goes on by position
    // over the tree as it then is, and never touches a node that is gone.
    void treeChangesDuringTheWalks_data()
    {
        QTest::addColumn<bool>("removing");
        QTest::addColumn<QString>("change");
        for (bool removing : {false, true}) {
            for (const char* change :
                 {"clear", "remove next", "remove random", "add file", "rebuild"})
                QTest::addRow("%s, %s", removing ? "remove" : "add", change) << removing << change;
        }
    }
    void treeChangesDuringTheWalks()
    {
        QFETCH(bool, removing);
        QFETCH(QString, change);
        NodeTree& tree = m_f->tree;
        if (removing)
            files().AddFilesToFolders(QStringLiteral("*.*"));
        QRandomGenerator random(7);
        m_f->pump = ScriptedPump();
        m_f->pump.onYield = [&](int step) {
            const int count = tree.count();
            if (change == QLatin1String("clear") && step == 3)
                tree.clear();
            else if (change == QLatin1String("remove next"))
                tree.remove(std::min(step + 1, count));
            else if (change == QLatin1String("remove random") && count > 0)
                tree.remove(1 + int(random.bounded(count)));
            else if (change == QLatin1String("add file") && step < 50 && count > 0)
                tree.addChild(tree.nodeAt(1 + int(random.bounded(count))), QString(), "late.zip",
                              "fil");
            else if (change == QLatin1String("rebuild") && step == 5)
                m_f->scan.BuildTree(); // its own scan yields again, past this step
            m_f->verifyTree();
        };
        if (removing)
            files().RemoveFilesByPattern(QStringLiteral("*.zip;*.txt"));
        else
            files().AddFilesToFolders(QStringLiteral("*.*"));
        QCOMPARE(m_f->pump.busyDepth, 0);
        m_f->verifyTree();
        if (change == QLatin1String("clear"))
            QCOMPARE(m_f->pump.yields, 3);
    }
};

QTEST_GUILESS_MAIN(TestFileNodes)
#include "tst_FileNodes.moc"
