#include "core/tree/ScanDoubles.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class CommandLineTest : public QObject
{
    Q_OBJECT

    struct Run
    {
        int status = -1;
        QString out;
        QString err;
    };
    static Run runKvx(const QStringList& arguments)
    {
        QProcess process;
        process.start(QStringLiteral(KVX_TEST_PROGRAM_DIR "/kvx"), arguments);
        if (!process.waitForFinished(60000))
            return {};
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

private Q_SLOTS:
    // The rows the real program prints, files added after the expansion.
    void listsTheRows_data()
    {
        QTest::addColumn<QString>("arguments"); // after --from DISC
        QTest::addColumn<QString>("rows");      // below the root
        const auto row = [](const char* arguments, const char* rows) {
            QTest::newRow(arguments) << QString(arguments) << QString(rows);
        };
        row("--list", "  A\n  b\n  c d\n");
        row("--expand 3 --list", "  A\n    a1\n  b\n    b1\n      b11\n  c d\n");
        // b1 was never opened: its file is there but not shown.
        row("--expand 2 --add ;*.ZIP;readme --list",
            "  A\n    a1\n  b\n    b1\n    c.zip\n  c d\n  a.zip\n  readme\n");
        row("--expand 2 --add *.* --list",
            "  A\n    a1\n  b\n    b1\n    c.zip\n  c d\n  a.zip\n  b (1).txt\n  readme\n");
        row("--expand 2 --add ; --list", "  A\n    a1\n  b\n    b1\n  c d\n");
    }
    void listsTheRows()
    {
        QFETCH(QString, arguments);
        QFETCH(QString, rows);
        QTemporaryDir dir;
        QVERIFY(makeEntries(dir.path(), {"A/a1/", "b/b1/b11/", "c d/", "a.zip", "readme",
                                         "b (1).txt", ".hidden.zip", "b/c.zip", "b/b1/d.zip"}));
        const Run run = runKvx(QStringList{"--from", dir.path()} + arguments.split(' '));
        QCOMPARE(run.err, QString());
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, dir.path() + "/\n" + rows);
    }

    void failsWithOneLine_data()
    {
        QTest::addColumn<QString>("arguments");
        for (const char* arguments :
             {"--from /no/such/dir --list", "--from / --expand x --list",
              "--from / --expand -1 --list", "--from / --list --expand", "--colour",
              "--list --from", "--from /", "--list", "a.kvx --from / --list", "a.kvx b.kvx",
              "a.kvx --pdf o.pdf --lines 35"})
            QTest::newRow(arguments) << QString(arguments);
    }
    void failsWithOneLine()
    {
        QFETCH(QString, arguments);
        const Run run = runKvx(arguments.split(' '));
        QCOMPARE(run.status, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY(run.err.startsWith(QLatin1String("kvx: ")));
        QCOMPARE(run.err.count('\n'), 1);
    }

    void help()
    {
        const Run help = runKvx({"--help"});
        QCOMPARE(help.status, 0);
        for (const char* option : {"--from", "--expand", "--add", "--list", "--save", "--pdf"})
            QVERIFY2(help.out.contains(QLatin1String(option)), option);
        // The data beside the built program, and its languages.
        QVERIFY(help.out.contains("\n  " KVX_TEST_PROGRAM_DIR "  icons"));
        QVERIFY(help.out.contains("languages: English.lng, Francais.lng\n"));
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
