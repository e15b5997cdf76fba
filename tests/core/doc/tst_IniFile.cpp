#include "doc/IniFile.h"

#include <QTest>

using namespace kvx;

class tst_IniFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lookUp_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("key");      // "section/key"
        QTest::addColumn<QString>("expected"); // "<d>" when the default comes back
        QTest::addColumn<bool>("mixed");       // UTF-8 lines and Windows-1252 ones
        const auto row = [](const char* name, const QByteArray& content, const char* key,
                            const QString& expected, bool mixed = false) {
            QTest::newRow(name) << content << QString(key) << expected << mixed;
        };
        const QByteArray basic = "[frMain]\r\ncmdPrint.Caption=Print\r\n";
        row("plain", basic, "frMain/cmdPrint.Caption", "Print");
        row("missing key", basic, "frMain/cmdOther", "<d>");
        row("LF only", "[s]\nk=v\n", "s/k", "v");
        row("CR only, no final line end", "[s]\rk=v", "s/k", "v");
        row("blanks", "  [ s ]  \r\n \t k \t=  a b  \r\n", "s/k", "a b");
        row("double quotes", "[s]\nk= \" a b \" \n", "s/k", " a b ");
        row("one pair only", "[s]\nk=''x''\n", "s/k", "'x'");
        row("unmatched quotes", "[s]\nk='x\"\n", "s/k", "'x\"");
        row("equals in value", "[s]\nk=a=b\n", "s/k", "a=b");
        row("junk and comments", "[s]\n\njunk\n;k=x\nk=v\n", "s/k", "v");
        row("entry before a section", "k=v\n[s]\n", "s/k", "<d>");
        row("duplicate key", "[s]\nk=1\nk=2\n", "s/k", "1");
        row("duplicate section", "[s]\nk=1\n[S]\nk=2\nj=3\n", "s/k", "1");
        row("duplicate section's keys", "[s]\nk=1\n[S]\nk=2\nj=3\n", "s/j", "3");
        row("broken header", "[s]\nk=1\n[t\nj=3\n", "s/j", "<d>");
        row("NUL", QByteArray("[s]\nk=a\0b\n", 10), "s/k", QString::fromLatin1("a\0b", 3));
        row("byte order mark", "\xef\xbb\xbf[s]\nk=\xc3\xa9\n", "s/k", "é");
        row("accents in key", "[s]\nÉtat=1\n", "s/état", "1");
        row("Windows-1252", "[s]\nk=caf\xe9 \xc0\x80\x85\x8c\x9c\x9f\n", "s/k", "café À€…ŒœŸ");
        row("truncated UTF-8", "[s]\nk=a\xc3\n", "s/k", "aÃ");
        // Each line by itself: one stray byte garbles nothing else.
        row("UTF-8, one line not", "[s]\nk=caf\xc3\xa9\n; note \xe9\n", "s/k", "café", true);
        row("UTF-8, its value not", "[s]\nj=\xc3\xa9\nk=caf\xe9 \xc3\xa9\n", "s/k", "café Ã©",
            true);
        row("UTF-16", QByteArray("\xff\xfe[\0s\0]\0\r\0\n\0k\0=\0\xe9\0\x3d\xd8\0\xde", 22), "s/k",
            "é\U0001F600");
        row("UTF-16, big end first", QByteArray("\xfe\xff\0[\0s\0]\0\n\0k\0=\0\xe9", 16), "s/k",
            "é");
        row("long value whole", "[s]\nk=" + QByteArray(5000, 'x'), "s/k", QString(5000, u'x'));
    }
    void lookUp()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, key);
        const IniFile ini = IniFile::parse(content);
        QTEST(ini.value(key.section(u'/', 0, 0), key.section(u'/', 1), "<d>"), "expected");
        QTEST(ini.mixesEncodings(), "mixed");
    }
};

QTEST_GUILESS_MAIN(tst_IniFile)
#include "tst_IniFile.moc"
