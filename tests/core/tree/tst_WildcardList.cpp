#include "tree/WildcardList.h"

#include <QTest>

using namespace kvx;

class TestWildcardList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void matches_data()
    {
        QTest::addColumn<QString>("patterns");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("expected");

        QTest::newRow("case of the name") << "*.exe"
                                          << "Setup.EXE" << true;
        QTest::newRow("case of the item") << "*.EXE"
                                          << "setup.exe" << true;
        QTest::newRow("accented capitals") << "été*"
                                           << "ÉTÉ 2003.txt" << true;
        QTest::newRow("one character") << "?.txt"
                                       << "a.txt" << true;
        QTest::newRow("one, not two") << "?.txt"
                                      << "ab.txt" << false;
        QTest::newRow("one, not none") << "a?.txt"
                                       << "a.txt" << false;
        QTest::newRow("? inside an extension") << "*.t?t"
                                               << "notes.TXT" << true;
        QTest::newRow("whole name only") << "*.txt"
                                         << "a.txt.bak" << false;
        QTest::newRow("last of several dots") << "*.gz"
                                              << "archive.tar.GZ" << true;
        QTest::newRow("several dots, middle") << "*.tar.*"
                                              << "archive.tar.gz" << true;
        QTest::newRow("no dot, by name") << "readme"
                                         << "README" << true;
        QTest::newRow("no dot, extension item") << "*.txt"
                                                << "readme" << false;
        QTest::newRow("all files, no dot") << "*.*"
                                           << "Makefile" << true;
        QTest::newRow("all files, trailing dot") << "*.*"
                                                 << "odd." << true;
        QTest::newRow("star alone") << "*"
                                    << "Makefile" << true;
        QTest::newRow("trailing dot") << "*."
                                      << "odd." << true;
        QTest::newRow("trailing dot, not an extension") << "*.txt"
                                                        << "odd." << false;
        QTest::newRow("empty list") << ""
                                    << "a.txt" << false;
        QTest::newRow("only separators") << ";;"
                                         << "a.txt" << false;
        QTest::newRow("only blanks") << " ; "
                                     << "a.txt" << false;
        QTest::newRow("leading empty item") << ";*.exe;*.com"
                                            << "run.com" << true;
        QTest::newRow("second item") << "*.exe;*.com"
                                     << "run.com" << true;
        QTest::newRow("no item matches") << ";*.exe;*.com"
                                         << "run.bat" << false;
        QTest::newRow("blanks around items") << "*.exe ; *.com "
                                             << "run.com" << true;
        QTest::newRow("blank inside a name") << "my file.txt"
                                             << "My File.txt" << true;
        QTest::newRow("regex characters literal") << "a+b(1).txt"
                                                  << "a+b(1).txt" << true;
        QTest::newRow("regex characters not special") << "a+b(1).txt"
                                                      << "aab1.txt" << false;
        QTest::newRow("brackets are plain") << "[ab].txt"
                                            << "a.txt" << false;
        QTest::newRow("brackets literal") << "[ab].txt"
                                          << "[AB].txt" << true;
        QTest::newRow("dot is plain") << "a.txt"
                                      << "abtxt" << false;
        QTest::newRow("backslash literal") << "a\\b"
                                           << "a\\b" << true;
        QTest::newRow("star over a line break") << "a*b"
                                                << "a\nb" << true;
    }

    void matches()
    {
        QFETCH(QString, patterns);
        QFETCH(QString, name);
        QFETCH(bool, expected);
        QCOMPARE(WildcardList(patterns).matches(name), expected);
    }

    void emptiness_data()
    {
        QTest::addColumn<QString>("patterns");
        QTest::addColumn<bool>("empty");
        QTest::newRow("nothing") << "" << true;
        QTest::newRow("separators and blanks") << "; ;;" << true;
        QTest::newRow("one item") << ";*.nfo" << false;
    }

    void emptiness()
    {
        QFETCH(QString, patterns);
        QFETCH(bool, empty);
        QCOMPARE(WildcardList(patterns).isEmpty(), empty);
    }
};

QTEST_GUILESS_MAIN(TestWildcardList)
#include "tst_WildcardList.moc"
