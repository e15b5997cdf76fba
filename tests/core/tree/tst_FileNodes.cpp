#include "ScanDoubles.h"
#include "tree/FileLister.h"
#include "tree/FileNodes.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace kvx;

namespace {

// The texts of a node's children, or of every file node of the tree in position order.
QStringList texts(const NodeTree& tree, const Node* parent = nullptr)
{
    QStringList texts;
    for (int i = 1; i <= tree.count(); ++i) {
        const Node* node = tree.nodeAt(i);
        if (parent ? node->parent() == parent : node->isFile())
            texts.append(node->text());
    }
    return texts;
}

} // namespace

class TestFileNodes : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    DirectoryFileLister m_files;
    std::unique_ptr<ScanFixture> m_f; // the disc below, built as the start command does

    Node* folder(const QString& relative = QString()) const
    {
        return m_f->at(folderKey(QDir::cleanPath(m_dir.path() + '/' + relative)));
    }

private Q_SLOTS:
    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(
            makeEntries(m_dir.path(),
                        {"Empty/", "a.txt", "B.TXT", ".hidden.txt", "readme", "odd.", "h.h",
                         "Films/x.avi", "Films/y.zip", "Films/archive.tar.GZ", "Films/Action/z.zip",
                         "Films/Action/w.avi", "Films/Action/Sub/deep.zip", "old.zip/inner.zip"}));
        m_f = std::make_unique<ScanFixture>(m_dir.path());
        m_f->images.add(QStringLiteral("zip"));
        m_f->pump = ScriptedPump();
    }

    void addUnderFolders()
    {
        FileNodes files(m_f->tree, m_files, m_f->pump);
        files.AddFilesToFolders(QStringLiteral(";*.zip;*.txt"));
        QCOMPARE(texts(m_f->tree, folder()),
                 (QStringList{"Empty", "Films", "old.zip", "a.txt", "B.TXT"}));
        QCOMPARE(texts(m_f->tree, folder("Films")), (QStringList{"Action", "y.zip"}));
        QCOMPARE(texts(m_f->tree, folder("Films/Action")), QStringList{"z.zip"});
        QCOMPARE(texts(m_f->tree, folder("old.zip")), QStringList{"inner.zip"});
        QVERIFY(!folder("Films/Action/Sub")); // never scanned: no node, no files
        // One yield per position, the added file nodes included, under one busy pointer.
        QCOMPARE(m_f->pump.yields, m_f->tree.count());
        QCOMPARE(m_f->pump.maxBusyDepth, 1);
        QCOMPARE(m_f->pump.busyDepth, 0);

        // Each file comes once, however often and in whatever order it is added.
        const int once = m_f->tree.count();
        files.AddFilesToFolders(QStringLiteral(";*.zip;*.txt"));
        QCOMPARE(m_f->tree.count(), once);
        files.AddFilesToFolders(QStringLiteral(";*.avi"));
        files.AddFilesToNode(folder("Films"), QStringLiteral("*.*"));
        QCOMPARE(texts(m_f->tree, folder("Films")),
                 (QStringList{"Action", "y.zip", "x.avi", "archive.tar.GZ"}));

        // On a file node, on no node, on a folder gone from disk, with no item: nothing.
        const int count = m_f->tree.count();
        const int yields = m_f->pump.yields;
        files.AddFilesToNode(folder("Films")->childAt(1), QStringLiteral("*.*"));
        files.AddFilesToNode(nullptr, QStringLiteral("*.*"));
        QVERIFY(QDir(m_dir.filePath("Empty")).removeRecursively() &&
                makeEntries(m_dir.path(), {"Empty"}));
        files.AddFilesToNode(folder("Empty"), QStringLiteral("*.*"));
        files.AddFilesToNode(folder(), QStringLiteral(";"));
        QCOMPARE(m_f->tree.count(), count);
        QCOMPARE(m_f->pump.yields, yields);
    }

    void fileNodeRecord_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("icon"); // in the image list besides "fil"
        QTest::addColumn<QString>("node");
        const auto row = [](const char* file, const char* icon, const char* node) {
            QTest::addRow("%s, icon %s", file, icon)
                << QString(file) << QString(icon) << QString(node);
        };
        row("Setup.EXE", "exe", "Setup.EXE|EXE|exe|-");
        row("Setup.EXE", "", "Setup.EXE|EXE|fil|-");
        row("archive.tar.GZ", "gz", "archive.tar.GZ|GZ|gz|-");
        row("archive.tar.GZ", "tar", "archive.tar.GZ|GZ|fil|-");
        row("readme", "readme", "readme|README|readme|-");
        row("odd.", "", "odd.||fil|-");
        row("été (1) [x].Mp3", "mp3", "été (1) [x].Mp3|MP3|mp3|-");
    }
    void fileNodeRecord()
    {
        QFETCH(QString, name);
        QFETCH(QString, icon);
        QTemporaryDir dir;
        QVERIFY(makeEntries(dir.path(), {name}));
        ScanFixture f(dir.path());
        f.images.add(icon);
        FileNodes(f.tree, m_files, f.pump).AddFilesToNode(f.tree.nodeAt(1), QStringLiteral("*.*"));
        QTEST(describe(f.tree.nodeAt(2)), "node");
        QVERIFY(f.tree.nodeAt(2)->key().isEmpty() && f.tree.nodeAt(2)->isFile());
    }

    // Removal takes exactly the files whose name matches, as adding does, and no folder.
    void removeByPattern_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("removed");
        QTest::newRow("archives") << ";*.zip;*.ace;*.rar;*.cab"
                                  << QStringList{"y.zip", "z.zip", "inner.zip", "deep.zip"};
        QTest::newRow("web pages, not h") << ";*.htm;*.html;*.chm" << QStringList{};
        QTest::newRow("all files")
            << "*.*"
            << QStringList{"a.txt", "B.TXT",          "readme", "odd.",  "h.h",       "x.avi",
                           "y.zip", "archive.tar.GZ", "z.zip",  "w.avi", "inner.zip", "deep.zip"};
        QTest::newRow("case ignored") << "*.TXT;README" << QStringList{"a.txt", "B.TXT", "readme"};
        QTest::newRow("nothing checked") << "" << QStringList{};
    }
    void removeByPattern()
    {
        QFETCH(QString, pattern);
        QFETCH(QStringList, removed);
        // Files added before Films was opened, so its Sub folder and that folder's
        // files come after them: folders and files interleave.
        FileNodes files(m_f->tree, m_files, m_f->pump);
        files.AddFilesToFolders(QStringLiteral("*.*"));
        m_f->tree.setExpanded(folder("Films"), true);
        files.AddFilesToFolders(QStringLiteral("*.*"));
        QStringList kept = texts(m_f->tree);
        QCOMPARE(kept.size(), 12);
        for (const QString& name : removed)
            QVERIFY(kept.removeOne(name));
        const int folders = m_f->tree.count() - 12;

        m_f->pump = ScriptedPump();
        const int before = m_f->tree.count();
        files.RemoveFilesByPattern(pattern);
        QCOMPARE(texts(m_f->tree), kept);
        QCOMPARE(m_f->tree.count(), folders + kept.size()); // old.zip among the folders
        m_f->verifyTree();
        QCOMPARE(m_f->pump.busyDepth, 0);
        QCOMPARE(m_f->pump.yields, pattern.isEmpty() ? 0 : before); // every position once
    }

    // Anything may happen to the tree at a yield; the walk goes on by position
    // over the tree as it then is, and never touches a node that is gone.
    void treeChangesDuringTheWalks_data()
    {
        QTest::addColumn<bool>("removing");
        QTest::addColumn<QString>("change");
        for (bool removing : {false, true}) {
            for (const char* change :
                 {"clear", "remove root", "remove next", "remove random", "add file", "rebuild"})
                QTest::addRow("%s, %s", removing ? "remove" : "add", change) << removing << change;
        }
    }
    void treeChangesDuringTheWalks()
    {
        QFETCH(bool, removing);
        QFETCH(QString, change);
        NodeTree& tree = m_f->tree;
        FileNodes files(tree, m_files, m_f->pump);
        if (removing)
            files.AddFilesToFolders(QStringLiteral("*.*"));
        QRandomGenerator random(7);
        m_f->pump = ScriptedPump();
        m_f->pump.onYield = [&](int step) {
            const int count = tree.count();
            if (change == QLatin1String("clear") && step == 3)
                tree.clear();
            else if (change == QLatin1String("remove root") && step == 4)
                tree.remove(1);
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
            files.RemoveFilesByPattern(QStringLiteral("*.zip;*.txt"));
        else
            files.AddFilesToFolders(QStringLiteral("*.*"));
        QCOMPARE(m_f->pump.busyDepth, 0);
        m_f->verifyTree();
        if (change == QLatin1String("clear"))
            QCOMPARE(m_f->pump.yields, 3);
    }
};

QTEST_GUILESS_MAIN(TestFileNodes)
#include "tst_FileNodes.moc"
