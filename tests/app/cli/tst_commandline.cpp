#include "cli/CommandLine.h"
#include "core/tree/ScanDoubles.h"

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
        QTest::addColumn<int>("expand"); // -1: refused with a one-line error
        QTest::addColumn<bool>("headless");
        const auto row = [](const char* name, const char* arguments, int expand, bool headless) {
            QTest::newRow(name) << QString::fromLatin1(arguments).split(' ', Qt::SkipEmptyParts)
                                << expand << headless;
        };
        row("window", "", 1, false);
        row("document", "a.kvx", 1, false);
        row("list", "--from /x --list", 1, true);
        row("expand 3", "--from /x --expand 3 --list", 3, true);
        row("expand 0", "--from /x --expand 0 --list", 0, true);
        row("document list", "a.kvx --list", 1, true);
        row("bad expand", "--from /x --expand two --list", -1, false);
        row("negative expand", "--from /x --expand -1 --list", -1, false);
        row("expand without value", "--from /x --list --expand", -1, false);
        row("unknown option", "--frm /x --list", -1, false);
        row("from without value", "--list --from", -1, false);
        row("no action", "--from /x", -1, false);
        row("no tree", "--list", -1, false);
        row("both trees", "a.kvx --from /x --list", -1, false);
        row("two documents", "a.kvx b.kvx", -1, false);
        row("bad lines", "a.kvx --pdf o.pdf --lines 35", -1, false);
    }
    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, expand);
        const CommandLineResult result = parseCommandLine(arguments);
        QCOMPARE(result.options.has_value(), expand >= 0);
        if (!result.options) {
            QVERIFY(!result.error.isEmpty() && !result.error.contains('\n'));
            return;
        }
        QTEST(result.options->headless(), "headless");
        QCOMPARE(result.options->expandDepth, expand);
    }

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
        QCOMPARE(run.err.count('\n'), 1);
    }

    void help()
    {
        const Run help = runKvx({"--help"});
        QCOMPARE(help.status, 0);
        for (const char* option : {"--from", "--expand", "--add", "--list", "--save", "--pdf"})
            QVERIFY2(help.out.contains(QLatin1String(option)), option);
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
