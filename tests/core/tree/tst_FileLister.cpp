#include "ScanDoubles.h"
#include "tree/FileLister.h"
#include "tree/IconFolder.h"
#include "tree/ImageRegistry.h"
#include "tree/WildcardList.h"

#include <QDir>
#include <QFile>
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
        QVERIFY(dir.isValid());
        const QStringList files{"b.txt",       "A.TXT",        "a.txt",          "c.zip",
                                ".hidden.txt", "été 2003.txt", "semi;colon.txt", "no-extension"};
        for (const QString& name : files)
            QVERIFY(makeFile(dir.filePath(name)));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.txt")));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("b.txt")),
                            dir.filePath(QStringLiteral("link.txt"))));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone")),
                            dir.filePath(QStringLiteral("broken.txt"))));

        DirectoryFileLister lister;
        const auto names = lister.listFiles(dir.path(), WildcardList(QStringLiteral(";*.TXT")));
        QVERIFY(names);
        // Hidden files, folders and dangling links are left out.
        const QStringList expected{"A.TXT",    "a.txt",          "b.txt",
                                   "link.txt", "semi;colon.txt", "été 2003.txt"};
        QCOMPARE(*names, expected);

        const auto all = lister.listFiles(dir.path() + QLatin1Char('/'), WildcardList("*.*"));
        QVERIFY(all);
        QVERIFY(all->contains(QStringLiteral("no-extension")));
        QVERIFY(all->contains(QStringLiteral("c.zip")));
        QVERIFY(!all->contains(QStringLiteral(".hidden.txt")));
    }

    void listingFails_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::newRow("empty text (a file node's key)") << QString();
        QTest::newRow("missing folder") << QStringLiteral("/no/such/folder/");
    }

    void listingFails()
    {
        QFETCH(QString, folder);
        DirectoryFileLister lister;
        QVERIFY(!lister.listFiles(folder, WildcardList(QStringLiteral("*.*"))));
    }

    void aFileIsNoFolder()
    {
        QTemporaryDir dir;
        QVERIFY(makeFile(dir.filePath(QStringLiteral("plain.txt"))));
        DirectoryFileLister lister;
        QVERIFY(!lister.listFiles(dir.filePath(QStringLiteral("plain.txt")), WildcardList("*")));
    }

    void noItemListsNothing()
    {
        QTemporaryDir dir;
        QVERIFY(makeFile(dir.filePath(QStringLiteral("a.txt"))));
        DirectoryFileLister lister;
        const auto names = lister.listFiles(dir.path(), WildcardList(QStringLiteral(";")));
        QVERIFY(names);
        QVERIFY(names->isEmpty());
    }

    void iconKeys()
    {
        QTemporaryDir dir;
        for (const char* name : {"Zip.ico", "My.Icon.ico", "readme.txt", ".hidden.ico", "MP3.ICO"})
            QVERIFY(makeFile(dir.filePath(QString::fromUtf8(name))));

        const auto icons = IconFiles(dir.path());
        QVERIFY(icons);
        QCOMPARE(icons->size(), 3);
        QCOMPARE(icons->at(0).key, QStringLiteral("mp3"));
        QCOMPARE(icons->at(0).path, dir.filePath(QStringLiteral("MP3.ICO")));
        QCOMPARE(IconKeys(dir.path()), (QStringList{"mp3", "my.icon", "zip"}));

        QVERIFY(!IconFiles(dir.filePath(QStringLiteral("missing"))));
        QVERIFY(IconKeys(dir.filePath(QStringLiteral("missing"))).isEmpty());
    }

    void iconKeysJoinTheImageList()
    {
        QTemporaryDir dir;
        // fil.ico repeats a built-in key; zip.ICO repeats Zip.ico's.
        for (const char* name : {"Zip.ico", "zip.ICO", "fil.ico", "gz.ico"})
            QVERIFY(makeFile(dir.filePath(QString::fromUtf8(name))));
        ImageRegistry images = ImageRegistry::withBuiltIns();
        AddIconKeys(images, dir.path());
        QCOMPARE(images.count(), 8);
        QCOMPARE(images.indexOfKey(QStringLiteral("fil")), 6);
        QVERIFY(images.hasKey(QStringLiteral("zip")));
        QVERIFY(images.hasKey(QStringLiteral("gz")));
    }
};

QTEST_GUILESS_MAIN(TestFileLister)
#include "tst_FileLister.moc"
