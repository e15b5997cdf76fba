#include "dialogs/FileFilter.h"

#include <QTest>

using namespace kvx;

class TestFileFilter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parsesPairs_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("flattened"); // description, patterns, ...

        QTest::newRow("one pair") << "*.KVX|*.kvx" << QStringList{"*.KVX", "*.kvx"};
        QTest::newRow("all files, final bar")
            << QString::fromLatin1(kAllFilesFilter) << QStringList{"All Files (*.*)", "*.*"};
        QTest::newRow("several patterns")
            << "Docs|*.doc;*.txt|All|*.*" << QStringList{"Docs", "*.doc;*.txt", "All", "*.*"};
        QTest::newRow("description without pattern dropped")
            << "Docs|*.doc|Lonely" << QStringList{"Docs", "*.doc"};
        QTest::newRow("empty") << "" << QStringList{};
    }
    void parsesPairs()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, flattened);
        QStringList got;
        for (const FilterPair& pair : parseFilter(filter))
            got << pair.description << pair.patterns;
        QCOMPARE(got, flattened);
    }

    void dialogFilters()
    {
        const QString all = QString::fromLatin1(kAllFilesFilter);
        QCOMPARE(openDialogFilter(QString()), all);
        QCOMPARE(openDialogFilter("*.KVX|*.kvx"), QString("*.KVX|*.kvx"));
        QCOMPARE(saveDialogFilter("*.*"), all);
        // Unlike the open dialog, an empty filter is not replaced.
        QCOMPARE(saveDialogFilter(QString()), QString());
    }

    void extensionRule_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("expected");

        const QString kvx = "*.KVX|*.kvx";
        QTest::newRow("name without extension")
            << "/home/u/Arbre" << kvx << 1 << "/home/u/Arbre.kvx";
        QTest::newRow("right extension kept")
            << "/home/u/Arbre.kvx" << kvx << 1 << "/home/u/Arbre.kvx";
        QTest::newRow("case counts") << "/home/u/Arbre.KVX" << kvx << 1 << "/home/u/Arbre.KVX.kvx";
        QTest::newRow("blanks trimmed") << "  /tmp/a  " << kvx << 1 << "/tmp/a.kvx";
        QTest::newRow("pattern without inner dot: whole pattern")
            << "/tmp/Arbre"
            << "Tree|.kvx" << 1 << "/tmp/Arbre..kvx";
        QTest::newRow("ends in the whole pattern") << "/tmp/Arbre.kvx"
                                                   << "Tree|.kvx" << 1 << "/tmp/Arbre.kvx";
        QTest::newRow("second filter selected") << "/tmp/list"
                                                << "Trees|*.kvx|Text|*.txt" << 2 << "/tmp/list.txt";
        QTest::newRow("first of several patterns") << "/tmp/list"
                                                   << "Docs|*.doc;*.txt" << 1 << "/tmp/list.doc";
        QTest::newRow("wildcard extension appends nothing")
            << "/tmp/notes" << QString::fromLatin1(kAllFilesFilter) << 1 << "/tmp/notes";
        QTest::newRow("no pattern for that number") << "/tmp/a" << kvx << 3 << "/tmp/a";
        QTest::newRow("odd characters") << "/tmp/é ü 'x' $y" << kvx << 1 << "/tmp/é ü 'x' $y.kvx";
    }
    void extensionRule()
    {
        QFETCH(QString, path);
        QFETCH(QString, filter);
        QFETCH(int, selected);
        QFETCH(QString, expected);
        QCOMPARE(applySaveExtension(path, filter, selected), expected);
    }

    void patternExtensions_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("extension");
        QTest::newRow("*.kvx") << "*.kvx"
                               << "kvx";
        QTest::newRow(".kvx") << ".kvx"
                              << ".kvx";
        QTest::newRow("*.tar.gz") << "*.tar.gz"
                                  << "tar.gz";
        QTest::newRow("*.*") << "*.*"
                             << "*";
        QTest::newRow("readme") << "readme"
                                << "readme";
    }
    void patternExtensions()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, extension);
        QCOMPARE(patternExtension(pattern), extension);
    }

    void initialFolders()
    {
        QCOMPARE(initialFolder(QString(), "/opt/kvx"), QString("/opt/kvx/"));
        QCOMPARE(initialFolder(QString(), "/opt/kvx/"), QString("/opt/kvx/"));
        QCOMPARE(initialFolder("/home/u/Trees", "/opt/kvx"), QString("/home/u/Trees"));
    }
};

QTEST_APPLESS_MAIN(TestFileFilter)
#include "tst_FileFilter.moc"
