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
            lister.listFiles(dir.path() + '/', WildcardList(";*.TXT")),
            (QStringList{"A.TXT", "a.txt", "b.txt", "link.txt", "semi;colon.txt", "été 2003.txt"}));
        QCOMPARE(lister.listFiles(dir.path(), WildcardList(";")), QStringList());
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
