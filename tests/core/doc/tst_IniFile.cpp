#include "doc/IniFile.h"
#include "doc/IniWriter.h"
#include "doc/TextDecoding.h"

#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

using namespace kvx;

class tst_IniFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lookUp_data();
    void lookUp();
    void lengthLimit();
    void everyEntry();
    void missingFile();
    void encoding_data();
    void encoding();
    void writerLayout();
    void saveReplacesWholeFile();
    void failedSaveKeepsOldFile();
    void writeThenRead();
};

void tst_IniFile::lookUp_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected"); // "<default>" when the default comes back

    const QByteArray basic = "[frMain]\r\ncmdPrint.Caption=Print\r\n";
    QTest::newRow("plain") << basic << "frMain"
                           << "cmdPrint.Caption"
                           << "Print";
    QTest::newRow("key case") << basic << "frMain"
                              << "CMDPRINT.CAPTION"
                              << "Print";
    QTest::newRow("section case") << basic << "FRMAIN"
                                  << "cmdPrint.Caption"
                                  << "Print";
    QTest::newRow("missing key") << basic << "frMain"
                                 << "cmdOther"
                                 << "<default>";
    QTest::newRow("missing section") << basic << "Other"
                                     << "cmdPrint.Caption"
                                     << "<default>";
    QTest::newRow("LF only") << QByteArray("[s]\nk=v\n") << "s"
                             << "k"
                             << "v";
    QTest::newRow("CR only") << QByteArray("[s]\rk=v\r") << "s"
                             << "k"
                             << "v";
    QTest::newRow("no final line end") << QByteArray("[s]\r\nk=v") << "s"
                                       << "k"
                                       << "v";
    QTest::newRow("blanks around") << QByteArray("  [ s ]  \r\n \t k \t=  a b  \r\n") << "s"
                                   << "k"
                                   << "a b";
    QTest::newRow("double quotes") << QByteArray("[s]\nk= \" a b \" \n") << "s"
                                   << "k"
                                   << " a b ";
    QTest::newRow("single quotes") << QByteArray("[s]\nk='x'\n") << "s"
                                   << "k"
                                   << "x";
    QTest::newRow("one pair only") << QByteArray("[s]\nk=''x''\n") << "s"
                                   << "k"
                                   << "'x'";
    QTest::newRow("unmatched quotes") << QByteArray("[s]\nk='x\"\n") << "s"
                                      << "k"
                                      << "'x\"";
    QTest::newRow("lone quote") << QByteArray("[s]\nk=\"\n") << "s"
                                << "k"
                                << "\"";
    QTest::newRow("empty value") << QByteArray("[s]\nk=\n") << "s"
                                 << "k"
                                 << "";
    QTest::newRow("equals in value") << QByteArray("[s]\nk=a=b\n") << "s"
                                     << "k"
                                     << "a=b";
    QTest::newRow("blank line and junk") << QByteArray("[s]\n\njunk line\nk=v\n") << "s"
                                         << "k"
                                         << "v";
    QTest::newRow("comment") << QByteArray("[s]\n;k=x\nk=v\n") << "s"
                             << "k"
                             << "v";
    QTest::newRow("entry before any section") << QByteArray("k=v\n[s]\n") << "s"
                                              << "k"
                                              << "<default>";
    QTest::newRow("other section's key") << QByteArray("[a]\nk=1\n[b]\nj=2\n") << "b"
                                         << "k"
                                         << "<default>";
    QTest::newRow("duplicate key: first wins") << QByteArray("[s]\nk=1\nk=2\n") << "s"
                                               << "k"
                                               << "1";
    QTest::newRow("duplicate section: first wins") << QByteArray("[s]\nk=1\n[S]\nk=2\nj=3\n") << "s"
                                                   << "k"
                                                   << "1";
    QTest::newRow("duplicate section: later keys found")
        << QByteArray("[s]\nk=1\n[S]\nk=2\nj=3\n") << "s"
        << "j"
        << "3";
    QTest::newRow("broken header opens nothing") << QByteArray("[s]\nk=1\n[t\nk=2\nj=3\n") << "s"
                                                 << "j"
                                                 << "<default>";
    QTest::newRow("NUL byte in value") << QByteArray("[s]\nk=a\0b\n", 10) << "s"
                                       << "k" << QString::fromLatin1("a\0b", 3);
    QTest::newRow("UTF-8 byte order mark") << QByteArray("\xef\xbb\xbf[s]\nk=\xc3\xa9\n") << "s"
                                           << "k"
                                           << "é";
    QTest::newRow("accents in key") << QByteArray("[s]\nÉtat=1\n") << "s"
                                    << "état"
                                    << "1";
}

void tst_IniFile::lookUp()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    const IniFile ini = IniFile::parse(content);
    QCOMPARE(ini.value(section, key, QStringLiteral("<default>")), expected);
}

void tst_IniFile::lengthLimit()
{
    const QString longValue(300, u'x');
    const IniFile ini = IniFile::parse(QStringLiteral("[s]\nk=%1\n").arg(longValue));
    QCOMPARE(ini.value(u"s", u"k"), longValue); // no limit unless asked
    QCOMPARE(ini.value(u"s", u"k", QString(), 254), QString(254, u'x'));
    QCOMPARE(ini.value(u"s", u"missing", QString(300, u'd'), 254), QString(254, u'd'));
}

void tst_IniFile::everyEntry()
{
    const IniFile ini =
        IniFile::parse(QByteArray("[s]\nA=1\nb = ' 2 '\na=3\n[t]\nc=4\n[S]\nd=5\n"));
    QMap<QString, QString> seen;
    ini.forEachEntry(u"S", [&](QStringView name, QStringView value) {
        seen.insert(name.toString(), value.toString());
    });
    const QMap<QString, QString> expected{{"a", "1"}, {"b", " 2 "}, {"d", "5"}};
    QCOMPARE(seen, expected);
    int none = 0;
    ini.forEachEntry(u"missing", [&](QStringView, QStringView) { ++none; });
    QCOMPARE(none, 0);
}

void tst_IniFile::missingFile()
{
    QTemporaryDir dir;
    QVERIFY(!IniFile::load(dir.filePath(QStringLiteral("none.ini"))).has_value());
    QVERIFY(!IniFile::load(dir.path()).has_value()); // a folder is no file
    QVERIFY(!IniFile::load(QString()).has_value());
    QCOMPARE(IniFile().value(u"s", u"k", QStringLiteral("d")), QStringLiteral("d"));
}

void tst_IniFile::encoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("UTF-8") << QByteArray("caf\xc3\xa9") << QStringLiteral("café");
    QTest::newRow("Windows-1252 accents") << QByteArray("caf\xe9 \xc0") << QStringLiteral("café À");
    QTest::newRow("Windows-1252 high controls")
        << QByteArray("\x80\x85\x8c\x9c\x9f") << QStringLiteral("€…Œœŷ").replace(u'ŷ', u'Ÿ');
    QTest::newRow("Windows-1252 undefined bytes")
        << QByteArray("\x81\x8d") << QString::fromUtf16(u"\u0081\u008d");
    QTest::newRow("truncated UTF-8 sequence") << QByteArray("a\xc3") << QStringLiteral("aÃ");
}

void tst_IniFile::encoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QCOMPARE(decodeUtf8OrWindows1252(bytes), expected);
    const IniFile ini = IniFile::parse(QByteArray("[s]\r\nk=") + bytes + "\r\n");
    QCOMPARE(ini.value(u"s", u"k"), expected);
}

void tst_IniFile::writerLayout()
{
    IniWriter writer;
    writer.section(u"FileInfo");
    writer.entry(u"Type", u"TVW FILE");
    writer.entry(u"Empty", u"");
    writer.section(u"Nodes");
    writer.entry(u"Node1", u"été|ROOT");
    QCOMPARE(writer.toUtf8(), QByteArray("[FileInfo]\r\nType=TVW FILE\r\nEmpty=\r\n[Nodes]\r\n"
                                         "Node1=\xc3\xa9t\xc3\xa9|ROOT\r\n"));
}

void tst_IniFile::saveReplacesWholeFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a b|c.ini"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("[s]\r\nold=1\r\nlonger old content that must vanish\r\n");
    old.close();

    IniWriter writer;
    writer.section(u"s");
    writer.entry(u"new", u"2");
    QVERIFY(writer.save(path));
    QFile reread(path);
    QVERIFY(reread.open(QIODevice::ReadOnly));
    QCOMPARE(reread.readAll(), QByteArray("[s]\r\nnew=2\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1); // no temporary left
}

void tst_IniFile::failedSaveKeepsOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keep.ini"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("[s]\r\nold=1\r\n");
    old.close();
    QVERIFY(!IniWriter().save(dir.filePath(QStringLiteral("no such folder/x.ini"))));

    QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    if (::geteuid() == 0) {
        QVERIFY(QFile::setPermissions(dir.path(),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QSKIP("running with rights that ignore folder permissions");
    }

    IniWriter writer;
    writer.section(u"s");
    writer.entry(u"new", u"2");
    QString error;
    QVERIFY(!writer.save(path, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QCOMPARE(IniFile::load(path)->value(u"s", u"old"), QStringLiteral("1"));
}

void tst_IniFile::writeThenRead()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("round.ini"));
    IniWriter writer;
    writer.section(u"Überschrift");
    writer.entry(u"Schlüssel", u"Wert mit Ümlaut und \u20ac");
    QVERIFY(writer.save(path));
    const std::optional<IniFile> ini = IniFile::load(path);
    QVERIFY(ini.has_value());
    QCOMPARE(ini->value(u"überschrift", u"SCHLÜSSEL"), QStringLiteral("Wert mit Ümlaut und €"));
}

QTEST_GUILESS_MAIN(tst_IniFile)
#include "tst_IniFile.moc"
