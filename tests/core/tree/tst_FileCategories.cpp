#include "tree/FileCategories.h"

#include <QTest>
#include <algorithm>

using namespace kvx;

class TestFileCategories : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initialBoxes()
    {
        const FileCategories categories;
        QCOMPARE(categories.box(0).caption, QStringLiteral("Ajouter tous les fichiers"));
        QCOMPARE(categories.box(0).pattern, QString());
        QCOMPARE(categories.box(0).defaultPattern, QStringLiteral("*.*"));
        QCOMPARE(categories.box(7).caption, QStringLiteral("Archives"));
        QCOMPARE(categories.box(7).pattern, QStringLiteral("*.zip;*.ace;*.rar;*.cab"));
        for (int i = 0; i < FileCategories::Count; ++i) {
            QVERIFY(!categories.box(i).checked);
            QVERIFY(categories.box(i).enabled);
            if (i > 0)
                QVERIFY(categories.box(i).defaultPattern.isEmpty());
        }
        QVERIFY(categories.activePattern().isEmpty());
    }

    void activePattern_data()
    {
        QTest::addColumn<QList<int>>("checked");
        QTest::addColumn<QString>("expected");
        QTest::newRow("none") << QList<int>{} << "";
        QTest::newRow("prog") << QList<int>{1} << ";*.exe;*.com";
        QTest::newRow("archives and videos")
            << QList<int>{7, 6} << ";*.avi;*.mpg;*.divx;*.zip;*.ace;*.rar;*.cab";
        QTest::newRow("first and last")
            << QList<int>{8, 2, 1} << ";*.exe;*.com;*.doc;*.xls;*.txt;*.pdf;*.nfo";
        QTest::newRow("all files wins") << QList<int>{3, 0} << "*.*";
    }

    void activePattern()
    {
        // Every order of the same clicks gives the same pattern.
        QFETCH(QList<int>, checked);
        QFETCH(QString, expected);
        std::sort(checked.begin(), checked.end());
        do {
            FileCategories categories;
            for (int box : checked)
                categories.setChecked(box, true);
            QCOMPARE(categories.activePattern(), expected);
        } while (std::next_permutation(checked.begin(), checked.end()));
    }

    void uncheckingRemovesThePattern()
    {
        FileCategories categories;
        categories.setChecked(7, true);
        categories.setChecked(6, true);
        categories.setChecked(7, false);
        QCOMPARE(categories.activePattern(), QStringLiteral(";*.avi;*.mpg;*.divx"));
        categories.setChecked(6, false);
        QCOMPARE(categories.activePattern(), QString());
    }

    void allFilesBoxCarriesTheOthers()
    {
        FileCategories categories;
        categories.setChecked(3, true);
        categories.setChecked(0, true);
        QCOMPARE(categories.activePattern(), QStringLiteral("*.*"));
        for (int i = 1; i < FileCategories::Count; ++i) {
            QVERIFY(categories.box(i).checked);
            QVERIFY(!categories.box(i).enabled);
        }
        QVERIFY(categories.box(0).enabled);

        categories.setChecked(0, false);
        QCOMPARE(categories.activePattern(), QString());
        for (int i = 0; i < FileCategories::Count; ++i) {
            QVERIFY(!categories.box(i).checked);
            QVERIFY(categories.box(i).enabled);
        }
    }

    void editPattern_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("expected");
        QTest::newRow("answer") << 7 << "*.7z;*.tar.gz"
                                << "*.7z;*.tar.gz";
        QTest::newRow("cleared or cancelled") << 7 << ""
                                              << "";
        QTest::newRow("all files, answer") << 0 << "*"
                                           << "*";
        QTest::newRow("all files, cancelled") << 0 << ""
                                              << "*.*";
    }

    void editPattern()
    {
        QFETCH(int, box);
        QFETCH(QString, answer);
        QFETCH(QString, expected);
        FileCategories categories;
        categories.applyEditedPattern(box, answer);
        QCOMPARE(categories.box(box).pattern, expected);
        QCOMPARE(categories.editTitle(box), expected);
        QCOMPARE(categories.editDefault(box), expected);
    }

    void editQuestion()
    {
        FileCategories categories;
        QCOMPARE(categories.editPrompt(7), QStringLiteral("Fichiers \"Archives\""));
        QCOMPARE(categories.editTitle(7), QStringLiteral("*.zip;*.ace;*.rar;*.cab"));
        QCOMPARE(categories.editDefault(7), QStringLiteral("*.zip;*.ace;*.rar;*.cab"));
        categories.setCaption(7, QStringLiteral("Archives \"zip\""));
        QCOMPARE(categories.editPrompt(7), QStringLiteral("Fichiers \"Archives \"zip\"\""));
    }

    void editedPatternTakesEffectAtTheNextClick()
    {
        FileCategories categories;
        categories.setChecked(7, true);
        categories.applyEditedPattern(7, QStringLiteral("*.7z"));
        QCOMPARE(categories.activePattern(), QStringLiteral(";*.zip;*.ace;*.rar;*.cab"));
        categories.setChecked(1, true);
        QCOMPARE(categories.activePattern(), QStringLiteral(";*.exe;*.com;*.7z"));
    }
};

QTEST_GUILESS_MAIN(TestFileCategories)
#include "tst_FileCategories.moc"
