#include "ScanDoubles.h"
#include "tree/FileLister.h"
#include "tree/IconFolder.h"
#include "tree/WildcardList.h"

#include <QTemporaryDir>
#include <QTest>

using namespace kvx;

class TestFileLister : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Patterns as the window and the command line give them: ";"-separated items,
    // "*" and "?", letter case ignored; an empty item matches nothing.
    void matches_data()
    {
        QTest::addColumn<QString>("patterns");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("expected");
        const auto row = [](const char* patterns, const char* name, bool expected) {
            QTest::addRow("%s ~ %s", patterns, name)
                << QString(patterns) << QString(name) << expected;
        };
        row("*.exe", "Setup.EXE", true);
        row("été*", "ÉTÉ 2003.txt", true);
        row("?.txt", "a.txt", true);
        row("?.txt", "ab.txt", false);
        row("*.t?t", "notes.TXT", true);
        row("*.txt", "a.txt.bak", false);
        row("*.gz", "archive.tar.GZ", true);
        row("readme", "README", true);
        row("*.txt", "readme", false);
        row("*.*", "Makefile", true);
        row("*.", "odd.", true);
        row("*.txt", "odd.", false);
        row("", "a.txt", false);
        row(";;", "a.txt", false);
        row(";*.exe;*.com", "run.com", true);
        row(";*.exe;*.com", "run.bat", false);
        row("*.exe ; *.com ", "run.com", true);
        row("my file.txt", "My File.txt", true);
        row("a+b(1).txt", "aab1.txt", false);
        row("[ab].txt", "a.txt", false);
        row("a.txt", "abtxt", false);
        row("a*b", "a\nb", true);
    }
    void matches()
    {
        QFETCH(QString, patterns);
        QFETCH(QString, name);
        QTEST(WildcardList(patterns).matches(name), "expected");
    }

    void listsMatchingFilesByNameIgnoringCase()
    {
        QTemporaryDir dir;
        QVERIFY(makeEntries(dir.path(), {"b.txt", "A.TXT", "a.txt", "c.zip", ".hidden.txt",
                                         "été 2003.txt", "semi;colon.txt", "folder.txt/"}));
        QVERIFY(QFile::link(dir.filePath("b.txt"), dir.filePath("link.txt")));
        QVERIFY(QFile::link(dir.filePath("gone"), dir.filePath("broken.txt")));
        DirectoryFileLister lister;
        // Hidden files, folders and dangling links are left out.
        QCOMPARE(
            lister.listFiles(dir.path() + '/', WildcardList(";*.TXT"))->names,
            (QStringList{"A.TXT", "a.txt", "b.txt", "link.txt", "semi;colon.txt", "été 2003.txt"}));
        QCOMPARE(lister.listFiles(dir.path(), WildcardList(";"))->names, QStringList());
        // A file node's empty key, a missing folder and a file list nothing.
        for (const QString& folder : {QString(), dir.filePath("gone/"), dir.filePath("c.zip")})
            QVERIFY(!lister.listFiles(folder, WildcardList("*.*")));

        // Icon keys join an image list once, after the built-in ones.
        QVERIFY(makeEntries(dir.path(),
                            {"ico/Zip.ico", "ico/zip.ICO", "ico/fil.ico", "ico/My.Gz.ico"}));
        ImageRegistry images = ImageRegistry::withBuiltIns();
        AddIconKeys(images, dir.filePath("ico"));
        QCOMPARE(images.count(), 8);
        QCOMPARE(images.indexOfKey("fil"), 6);
        QCOMPARE(images.indexOfKey("my.gz"), 7);
        QCOMPARE(images.indexOfKey("zip"), 8);
    }
};

QTEST_GUILESS_MAIN(TestFileLister)
#include "tst_FileLister.moc"
