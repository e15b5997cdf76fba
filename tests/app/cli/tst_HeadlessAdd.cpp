#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// `kvx --add PATTERNS` adds the matching files under every folder node, after
// the expansion, as the window's "add these files" button does.
class TestHeadlessAdd : public QObject
{
    Q_OBJECT

private:
    static QString run(const QStringList& arguments, int* status)
    {
        QProcess kvx;
        kvx.start(QStringLiteral(KVX_TEST_PROGRAM_DIR "/kvx"), arguments);
        if (!kvx.waitForFinished(60000))
            return QStringLiteral("(no answer)");
        *status = kvx.exitCode();
        return QString::fromUtf8(kvx.readAllStandardOutput());
    }

private Q_SLOTS:
    void addsUnderEveryFolder_data()
    {
        QTest::addColumn<QString>("patterns");
        QTest::addColumn<QString>("expected"); // rows below the root
        QTest::newRow("archives and a plain name")
            << ";*.ZIP;readme"
            << "  Sub\n    Deeper\n    c.zip\n  a.zip\n  readme\n";
        QTest::newRow("all files")
            << "*.*"
            << "  Sub\n    Deeper\n    c.zip\n  a.zip\n  b (1).txt\n  readme\n";
        QTest::newRow("no item") << ";"
                                 << "  Sub\n    Deeper\n";
    }

    void addsUnderEveryFolder()
    {
        QFETCH(QString, patterns);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Sub/Deeper")));
        for (const char* name :
             {"a.zip", "readme", "b (1).txt", ".hidden.zip", "Sub/c.zip", "Sub/Deeper/d.zip"}) {
            QFile file(QDir(dir.path()).filePath(QString::fromUtf8(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }

        int status = -1;
        const QString rows =
            run({QStringLiteral("--from"), dir.path(), QStringLiteral("--expand"),
                 QStringLiteral("2"), QStringLiteral("--add"), patterns, QStringLiteral("--list")},
                &status);
        QCOMPARE(status, 0);
        // Deeper was never opened: its file is there but not shown.
        QCOMPARE(rows, dir.path() + QStringLiteral("/\n") + expected);
    }
};

QTEST_GUILESS_MAIN(TestHeadlessAdd)
#include "tst_HeadlessAdd.moc"
