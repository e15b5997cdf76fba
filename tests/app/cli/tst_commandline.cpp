#include "core/tree/ScanDoubles.h"

#include <QDir>
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
    static QByteArray readFile(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
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

    void folderToDocumentAndBack()
    {
        QTemporaryDir dir;
        const QString root = dir.filePath("disque");
        for (const char* sub : {"a|b/c", "line\nfeed", "été"})
            QVERIFY(QDir(root).mkpath(QString::fromUtf8(sub)));
        QFile file(root + "/a|b/c/50%.zip");
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QString doc = dir.filePath("arbre.kvx");
        const Run saved =
            runKvx({"--from", root, "--expand", "9", "--add", "*", "--save", doc, "--list"});
        QCOMPARE(saved.status, 0);
        QCOMPARE(saved.err, QString());
        QVERIFY(readFile(doc).startsWith("[FileInfo]\r\nType=TVW FILE\r\nVersion=1.1\r\n"));
        QVERIFY(readFile(doc).contains("=50%25.zip|")); // a file node, "%" encoded

        const Run listed = runKvx({doc, "--list"});
        QCOMPARE(listed.status, 0);
        QCOMPARE(listed.out, saved.out);
        QCOMPARE(runKvx({doc, "--save", dir.filePath("encore.kvx")}).status, 0);
        QCOMPARE(readFile(dir.filePath("encore.kvx")), readFile(doc));
        QCOMPARE(runKvx({doc, "--pdf", dir.filePath("jaquette.pdf")}).status, 0);
        QVERIFY(readFile(dir.filePath("jaquette.pdf")).startsWith("%PDF"));
    }

    // A missing file, a file of another kind, garbage and a target that cannot
    // be written: exit status 2, one line on standard error, nothing written.
    void documentFailures()
    {
        QTemporaryDir dir;
        const QString doc = dir.filePath("x.kvx");
        const QString out = dir.filePath("out.kvx");
        const QStringList fromDoc{doc, "--save", out, "--list"};
        for (const auto& [content, arguments] :
             std::initializer_list<std::pair<QByteArray, QStringList>>{
                 {{}, fromDoc},
                 {"[FileInfo]\nType=something else\n", fromDoc},
                 {QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), fromDoc},
                 {{}, {"--from", dir.path(), "--save", dir.filePath("no/out.kvx")}}}) {
            QFile::remove(doc);
            QFile file(doc);
            QVERIFY(content.isEmpty() ||
                    (file.open(QIODevice::WriteOnly) && file.write(content) > 0));
            file.close();
            const Run run = runKvx(arguments);
            QCOMPARE(run.status, 2);
            QVERIFY(run.out.isEmpty());
            QCOMPARE(run.err.count('\n'), 1);
            QVERIFY2(run.err.startsWith(arguments.at(0) == doc ? "kvx: " : "kvx: cannot write "),
                     qPrintable(run.err));
            QVERIFY(arguments.at(0) != doc || run.err.contains(doc));
            QVERIFY(!QFile::exists(out));
        }
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
