#include <QDir>
#include <QFile>
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
    Run run;
    if (!process.waitForFinished(60000))
        return run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
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
    void unusableDocument_data();
    void unusableDocument();
    void unwritableTarget();
};

void tst_HeadlessDocument::folderToDocumentAndBack()
{
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("disque"));
    for (const char* sub : {"a|b/c", "line\nfeed", " blank/x", "été"})
        QVERIFY(QDir(root).mkpath(QString::fromUtf8(sub)));
    for (const char* file : {"a|b/c/photo.jpg", "été/notes.txt", " blank/x/50%.zip"}) {
        QFile f(QDir(root).filePath(QString::fromUtf8(file)));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    const QString doc = dir.filePath(QStringLiteral("arbre.kvx"));

    const Run saved = kvx({QStringLiteral("--from"), root, QStringLiteral("--expand"),
                           QStringLiteral("9"), QStringLiteral("--add"), QStringLiteral("*"),
                           QStringLiteral("--save"), doc, QStringLiteral("--list")});
    QCOMPARE(saved.status, 0);
    QVERIFY2(saved.err.isEmpty(), saved.err.constData());
    QVERIFY(readFile(doc).startsWith("[FileInfo]\r\nType=TVW FILE\r\nVersion=1.1\r\n"));
    QVERIFY(readFile(doc).contains("=50%25.zip|")); // a file node, "%" encoded

    const Run listed = kvx({doc, QStringLiteral("--list")});
    QCOMPARE(listed.status, 0);
    QCOMPARE(listed.out, saved.out);

    const QString again = dir.filePath(QStringLiteral("encore.kvx"));
    QCOMPARE(kvx({doc, QStringLiteral("--save"), again}).status, 0);
    QCOMPARE(readFile(again), readFile(doc));

    const QString pdf = dir.filePath(QStringLiteral("jaquette.pdf"));
    QCOMPARE(kvx({doc, QStringLiteral("--pdf"), pdf}).status, 0);
    QVERIFY(readFile(pdf).startsWith("%PDF"));
}

void tst_HeadlessDocument::unusableDocument_data()
{
    QTest::addColumn<QByteArray>("content"); // "<none>": no such file
    QTest::newRow("missing") << QByteArray("<none>");
    QTest::newRow("not a document") << QByteArray("[FileInfo]\nType=something else\n");
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
}

void tst_HeadlessDocument::unusableDocument()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString doc = dir.filePath(QStringLiteral("x.kvx"));
    if (content != "<none>") {
        QFile f(doc);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    const QString target = dir.filePath(QStringLiteral("out.kvx"));
    const Run run = kvx({doc, QStringLiteral("--save"), target, QStringLiteral("--list")});
    QCOMPARE(run.status, 2);
    QVERIFY(run.out.isEmpty());
    QCOMPARE(run.err.count('\n'), 1);
    QVERIFY(run.err.startsWith("kvx: "));
    QVERIFY(run.err.contains(doc.toUtf8()));
    QVERIFY(!QFile::exists(target));
}

void tst_HeadlessDocument::unwritableTarget()
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("no such folder/out.kvx"));
    const Run run = kvx({QStringLiteral("--from"), dir.path(), QStringLiteral("--save"), target});
    QCOMPARE(run.status, 2);
    QVERIFY(run.err.startsWith("kvx: cannot write "));
    QCOMPARE(run.err.count('\n'), 1);
}

QTEST_GUILESS_MAIN(tst_HeadlessDocument)
#include "tst_HeadlessDocument.moc"
