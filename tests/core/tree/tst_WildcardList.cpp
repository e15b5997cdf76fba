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
        const auto row = [](const char* patterns, const char* name, bool expected) {
            QTest::addRow("%s ~ %s", patterns, name)
                << QString(patterns) << QString(name) << expected;
        };
        row("*.exe", "Setup.EXE", true);
        row("*.EXE", "setup.exe", true);
        row("été*", "ÉTÉ 2003.txt", true);
        row("?.txt", "a.txt", true);
        row("?.txt", "ab.txt", false);
        row("a?.txt", "a.txt", false);
        row("*.t?t", "notes.TXT", true);
        row("*.txt", "a.txt.bak", false);
        row("*.gz", "archive.tar.GZ", true);
        row("*.tar.*", "archive.tar.gz", true);
        row("readme", "README", true);
        row("*.txt", "readme", false);
        row("*.*", "Makefile", true);
        row("*.*", "odd.", true);
        row("*.", "odd.", true);
        row("*.txt", "odd.", false);
        row("", "a.txt", false);
        row(";;", "a.txt", false);
        row(" ; ", "a.txt", false);
        row(";*.exe;*.com", "run.com", true);
        row(";*.exe;*.com", "run.bat", false);
        row("*.exe ; *.com ", "run.com", true);
        row("my file.txt", "My File.txt", true);
        row("a+b(1).txt", "a+b(1).txt", true);
        row("a+b(1).txt", "aab1.txt", false);
        row("[ab].txt", "a.txt", false);
        row("[ab].txt", "[AB].txt", true);
        row("a.txt", "abtxt", false);
        row("a\\b", "a\\b", true);
        row("a*b", "a\nb", true);
    }
    void matches()
    {
        QFETCH(QString, patterns);
        QFETCH(QString, name);
        QTEST(WildcardList(patterns).matches(name), "expected");
    }
};

QTEST_GUILESS_MAIN(TestWildcardList)
#include "tst_WildcardList.moc"
