#include "tree/FileCategories.h"
#include "tree/WildcardList.h"

#include <QTest>
#include <algorithm>

using namespace kvx;

class TestFileCategories : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Patterns as the window and the command line give them: ";"-separated items,
    // "*" and "?", letter case ignored, nothing else special; an empty item matches
    // nothing. (The window's and the program's rows show the common cases: letter
    // case, an empty item.)
    void matches_data()
    {
        QTest::addColumn<QString>("patterns");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("expected");
        const auto row = [](const char* patterns, const char* name, bool expected) {
            QTest::addRow("%s ~ %s", patterns, name)
                << QString(patterns) << QString(name) << expected;
        };
        row("?.txt", "ab.txt", false);
        row("*.txt", "a.txt.bak", false);
        row("*.", "odd.", true);
        row("*.exe ; *.com ", "run.com", true);
        row("[a]+b(1).txt", "aab1.txt", false);
        row("a.txt", "abtxt", false);
        row("a*b", "a\nb", true);
        row("*.*", "readme", true);
        row("É*.TXT;", "été.txt", true);
        row("?.txt", "\U0001F600.txt", true); // one character, two UTF-16 units
        row("*a*b", "bab", true);
        // Matched however many ways the stars could split the name.
        row("*a*a*a*a*a*a*a*a*c*b", qPrintable(QString(40, 'a') + 'c' + QString(40, 'a') + 'b'),
            true);
    }
    void matches()
    {
        QFETCH(QString, patterns);
        QFETCH(QString, name);
        QTEST(WildcardList(patterns).matches(name), "expected");
    }

    void activePattern_data()
    {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QString>("expected");
        QTest::newRow("none") << QList<int>{} << "";
        QTest::newRow("two") << QList<int>{7, 6} << ";*.avi;*.mpg;*.divx;*.zip;*.ace;*.rar;*.cab";
        QTest::newRow("three") << QList<int>{8, 2, 1}
                               << ";*.exe;*.com;*.doc;*.xls;*.txt;*.pdf;*.nfo";
        QTest::newRow("all files wins") << QList<int>{3, 0} << "*.*";
        QTest::newRow("unchecked again")
            << QList<int>{3, 4, 3} << ";*.gif;*.jpg;*.bmp;*.tiff;*.png";
        QTest::newRow("all files and back") << QList<int>{0, 0} << "";
    }
    void activePattern()
    {
        // Every order of the same clicks on the boxes gives the same pattern.
        QFETCH(QList<int>, clicks);
        std::sort(clicks.begin(), clicks.end());
        do {
            FileCategories categories;
            for (int box : clicks)
                categories.setChecked(box, !categories.box(box).checked); // a click
            QTEST(categories.activePattern(), "expected");
            for (int box = 1; box < FileCategories::Count; ++box) // "all files" locks the others
                QCOMPARE(categories.box(box).enabled, !categories.box(0).checked);
        } while (std::next_permutation(clicks.begin(), clicks.end()));
    }

    // An answer taking effect at the next click is the window's "categories" row.
    void editPattern_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("answer"); // empty: cleared or cancelled
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("active"); // after the next click, on box 1
        const auto row = [](const char* name, int box, const char* answer, const char* pattern,
                            const char* active) {
            QTest::newRow(name) << box << QString(answer) << QString(pattern) << QString(active);
        };
        row("cleared", 7, "", "", ";*.exe;*.com;"); // an empty item matches nothing
        row("all files, answer", 0, "*", "*", "*.*");
        row("all files, cleared", 0, "", "*.*", "*.*");
    }
    void editPattern()
    {
        QFETCH(int, box);
        QFETCH(QString, answer);
        QFETCH(QString, pattern);
        FileCategories categories;
        categories.setChecked(box, true);
        const QString before = categories.activePattern();
        categories.applyEditedPattern(box, answer);
        QCOMPARE(categories.box(box).pattern, pattern);
        QCOMPARE(categories.editDefault(box), pattern);
        QCOMPARE(categories.activePattern(), before); // until the next click
        categories.setChecked(1, true);
        QTEST(categories.activePattern(), "active");
    }
};

QTEST_GUILESS_MAIN(TestFileCategories)
#include "tst_FileCategories.moc"
