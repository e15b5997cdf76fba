// The files and sizes under each folder: taken in one walk over a folder the
// test makes, and said in each language's words.
#include "core/tree/ScanDoubles.h"
#include "lang/LanguageFile.h"
#include "lang/MessageTexts.h"
#include "lang/TotalsText.h"
#include "walk/DirectoryWalkSource.h"

#include <QTemporaryDir>

class tst_FolderTotals : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    kvx::TotalsWalk m_walk;

    QString disc() const { return m_dir.filePath("disc"); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(makeEntries(disc(), {"a/b/", "c/", "empty/", "shut/x", "a/b/.hidden"}));
        QVERIFY(writeFile(disc() + "/a/f1", QByteArray(1500, 'x')) &&
                writeFile(disc() + "/a/b/f2", QByteArray(2500, 'x')) &&
                writeFile(disc() + "/a/b/.hidden", QByteArray(999, 'x')) &&
                writeFile(disc() + "/c/f3", QByteArray(700, 'x')));
        QVERIFY(::link(QFile::encodeName(disc() + "/a/f1"), QFile::encodeName(disc() + "/c/f1")) ==
                0);
        QVERIFY(QFile::link("f3", disc() + "/c/to file") &&
                QFile::link("../a", disc() + "/c/to a"));
        QVERIFY(QFile::setPermissions(disc() + "/shut", QFileDevice::Permissions()));
        const WithoutReadRights lockedOut;
        kvx::DirectoryWalkSource source(disc());
        m_walk = kvx::takeFolderTotals(source, {});
    }

    // Every folder's totals, as counted by hand: one hidden file left out,
    // the second name of a file and what links lead to counted no more; a
    // folder that cannot be read has none, and is told.
    void totals_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("total");
        QTest::newRow("the start") << ""
                                   << "5 files, 4700 bytes";
        QTest::newRow("a") << "a"
                           << "2 files, 4000 bytes";
        QTest::newRow("a/b") << "a/b"
                             << "1 files, 2500 bytes";
        QTest::newRow("links, a second name") << "c"
                                              << "3 files, 700 bytes";
        QTest::newRow("empty") << "empty"
                               << "0 files, 0 bytes";
        QTest::newRow("unreadable") << "shut"
                                    << "none";
    }
    void totals()
    {
        QFETCH(QString, path);
        const kvx::FolderTotal* total = m_walk.totals.find(path);
        QTEST(total ? QString("%1 files, %2 bytes").arg(total->files).arg(total->bytes) : "none",
              "total");
        QCOMPARE(m_walk.walk.unreadable.size(), size_t(1));
        QCOMPARE(m_walk.walk.unreadable.front().path, "shut");
    }

    void text_data()
    {
        QTest::addColumn<QString>("language"); // a language file, or none for French
        QTest::addColumn<qint64>("files");
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("text");
        const QString english = KVX_TEST_PROGRAM_DIR "/English.lng";
        const QString french = KVX_TEST_PROGRAM_DIR "/Francais.lng";
        QTest::newRow("empty") << QString() << 0LL << 0LL << "(vide)";
        QTest::newRow("one file") << french << 1LL << 999LL << "(1 fichier, 999 o)";
        QTest::newRow("French") << QString() << 1254LL << 8'300'000'000LL
                                << "(1\u00a0254 fichiers, 8,3 Go)";
        QTest::newRow("English") << english << 1254LL << 8'300'000'000LL << "(1,254 files, 8.3 GB)";
        QTest::newRow("rounds to 100") << english << 2LL << 99'950LL << "(2 files, 100 kB)";
        QTest::newRow("rounds to the next unit")
            << english << 2LL << 999'960LL << "(2 files, 1.0 MB)";
        QTest::newRow("no decimal from 100")
            << english << 2LL << 123'456'789LL << "(2 files, 123 MB)";
        QTest::newRow("beyond the units")
            << english << 1'000'000LL << 5'000'000'000'000'000LL << "(1,000,000 files, 5,000 TB)";
    }
    void text()
    {
        QFETCH(QString, language);
        QFETCH(qint64, files);
        QFETCH(qint64, bytes);
        kvx::MessageTexts texts;
        if (!language.isEmpty()) {
            const auto file = kvx::LanguageFile::load(language);
            QVERIFY(file);
            texts.apply(*file);
        }
        QTEST(kvx::totalText({files, bytes}, texts), "text");
    }
};

QTEST_GUILESS_MAIN(tst_FolderTotals)
#include "tst_FolderTotals.moc"
