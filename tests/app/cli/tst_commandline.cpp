#include "cli/CommandLine.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace kvx;

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
    void parse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<bool>("headless");
        QTest::addColumn<int>("expand");
        QTest::newRow("nothing opens the window") << QStringList{} << true << false << 1;
        QTest::newRow("document opens the window") << QStringList{"a.kvx"} << true << false << 1;
        QTest::newRow("list") << QStringList{"--from", "/x", "--list"} << true << true << 1;
        QTest::newRow("expand 3") << QStringList{"--from", "/x", "--expand", "3", "--list"} << true
                                  << true << 3;
        QTest::newRow("expand 0") << QStringList{"--from", "/x", "--expand", "0", "--list"} << true
                                  << true << 0;
        QTest::newRow("document list") << QStringList{"a.kvx", "--list"} << true << true << 1;
        QTest::newRow("bad expand")
            << QStringList{"--from", "/x", "--expand", "two", "--list"} << false << false << 0;
        QTest::newRow("negative expand")
            << QStringList{"--from", "/x", "--expand", "-1", "--list"} << false << false << 0;
        QTest::newRow("expand without value")
            << QStringList{"--from", "/x", "--list", "--expand"} << false << false << 0;
        QTest::newRow("unknown option")
            << QStringList{"--frm", "/x", "--list"} << false << false << 0;
        QTest::newRow("from without value")
            << QStringList{"--list", "--from"} << false << false << 0;
        QTest::newRow("no action") << QStringList{"--from", "/x"} << false << false << 0;
        QTest::newRow("no tree") << QStringList{"--list"} << false << false << 0;
        QTest::newRow("both trees")
            << QStringList{"a.kvx", "--from", "/x", "--list"} << false << false << 0;
        QTest::newRow("two documents") << QStringList{"a.kvx", "b.kvx"} << false << false << 0;
        QTest::newRow("bad lines")
            << QStringList{"a.kvx", "--pdf", "o.pdf", "--lines", "35"} << false << false << 0;
        QTest::newRow("bad columns")
            << QStringList{"a.kvx", "--pdf", "o.pdf", "--columns", "5"} << false << false << 0;
    }
    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, valid);
        QFETCH(bool, headless);
        QFETCH(int, expand);
        const CommandLineResult result = parseCommandLine(arguments);
        QCOMPARE(result.options.has_value(), valid);
        if (!valid) {
            QVERIFY(!result.error.isEmpty());
            QVERIFY(!result.error.contains(QLatin1Char('\n')));
            return;
        }
        QCOMPARE(result.options->headless(), headless);
        QCOMPARE(result.options->expandDepth, expand);
    }

    void listsTheRows()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("disc/b/b1/b11"));
        QVERIFY(QDir(dir.path()).mkpath("disc/A/a1"));
        QVERIFY(QDir(dir.path()).mkpath("disc/c d"));
        const QString disc = dir.path() + "/disc";

        Run run = runKvx({"--from", disc, "--list"});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, disc + "/\n  A\n  b\n  c d\n");
        QVERIFY(run.err.isEmpty());

        run = runKvx({"--from", disc, "--expand", "3", "--list"});
        QCOMPARE(run.out, disc + "/\n  A\n    a1\n  b\n    b1\n      b11\n  c d\n");
    }

    void failsWithOneLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("missing folder") << QStringList{"--from", "/no/such/dir", "--list"};
        QTest::newRow("bad number") << QStringList{"--from", "/", "--expand", "x", "--list"};
        QTest::newRow("unknown option") << QStringList{"--colour"};
    }
    void failsWithOneLine()
    {
        QFETCH(QStringList, arguments);
        const Run run = runKvx(arguments);
        QCOMPARE(run.status, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY(run.err.startsWith(QLatin1String("kvx: ")));
        QCOMPARE(run.err.count(QLatin1Char('\n')), 1);
    }

    void help()
    {
        const Run run = runKvx({"--help"});
        QCOMPARE(run.status, 0);
        for (const char* option : {"--from", "--expand", "--add", "--list", "--save", "--pdf"})
            QVERIFY2(run.out.contains(QLatin1String(option)), option);
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
