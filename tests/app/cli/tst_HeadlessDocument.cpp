#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Run kvx(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(KVX_TEST_PROGRAM_DIR "/kvx"), arguments);
    const bool ended =
        process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    return {ended ? process.exitCode() : -1, process.readAllStandardOutput(),
            process.readAllStandardError()};
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class tst_HeadlessDocument : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void folderToDocumentAndBack();
    void failures();
};

void tst_HeadlessDocument::folderToDocumentAndBack()
{
    QTemporaryDir dir;
    const QString root = dir.filePath("disque");
    for (const char* sub : {"a|b/c", "line\nfeed", "été"})
        QVERIFY(QDir(root).mkpath(QString::fromUtf8(sub)));
    QFile file(root + "/a|b/c/50%.zip");
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QString doc = dir.filePath("arbre.kvx");
    const Run saved = kvx({"--from", root, "--expand", "9", "--add", "*", "--save", doc, "--list"});
    QCOMPARE(saved.status, 0);
    QVERIFY2(saved.err.isEmpty(), saved.err.constData());
    QVERIFY(readFile(doc).startsWith("[FileInfo]\r\nType=TVW FILE\r\nVersion=1.1\r\n"));
    QVERIFY(readFile(doc).contains("=50%25.zip|")); // a file node, "%" encoded

    const Run listed = kvx({doc, "--list"});
    QCOMPARE(listed.status, 0);
    QCOMPARE(listed.out, saved.out);
    QCOMPARE(kvx({doc, "--save", dir.filePath("encore.kvx")}).status, 0);
    QCOMPARE(readFile(dir.filePath("encore.kvx")), readFile(doc));
    QCOMPARE(kvx({doc, "--pdf", dir.filePath("jaquette.pdf")}).status, 0);
    QVERIFY(readFile(dir.filePath("jaquette.pdf")).startsWith("%PDF"));
}

// A missing file, a file of another kind, garbage and a target that cannot be
// written: exit status 2, one line on standard error, nothing written.
void tst_HeadlessDocument::failures()
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
        QVERIFY(content.isEmpty() || (file.open(QIODevice::WriteOnly) && file.write(content) > 0));
        file.close();
        const Run run = kvx(arguments);
        QCOMPARE(run.status, 2);
        QVERIFY(run.out.isEmpty());
        QCOMPARE(run.err.count('\n'), 1);
        QVERIFY2(run.err.startsWith(arguments.at(0) == doc ? "kvx: " : "kvx: cannot write "),
                 run.err.constData());
        QVERIFY(arguments.at(0) != doc || run.err.contains(doc.toUtf8()));
        QVERIFY(!QFile::exists(out));
    }
}

QTEST_GUILESS_MAIN(tst_HeadlessDocument)
#include "tst_HeadlessDocument.moc"
