#include "about/ShellLauncher.h"
#include "about/ShellOpen.h"
#include "app/ScriptedDialogs.h"
#include "app/support/RecordingLauncher.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kvx;
using kvx::test::ScriptedDialogs;

class TestShellOpen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("KVX")); }
    void xdgOpenOutcomes_data();
    void xdgOpenOutcomes();
    void lateFailures();

private:
    // An opener that writes its argument and working folder to "seen", then runs `body`.
    QString opener(const QString& body);
    QStringList seen() const;

    QTemporaryDir m_dir;
};

QString TestShellOpen::opener(const QString& body)
{
    const QString path = m_dir.filePath(QStringLiteral("opener.sh"));
    QFile::remove(m_dir.filePath(QStringLiteral("seen")));
    QFile script(path);
    if (script.open(QIODevice::WriteOnly))
        script.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n%s' \"$1\" \"$PWD\" >'%1/seen'\n%2\n")
                         .arg(m_dir.path(), body)
                         .toUtf8());
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

QStringList TestShellOpen::seen() const
{
    QFile file(m_dir.filePath(QStringLiteral("seen")));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split('\n')
                                          : QStringList();
}

// exit: the opener's exit status, -1 for an opener that cannot be started;
// "$D" stands for the temporary folder.
void TestShellOpen::xdgOpenOutcomes_data()
{
    QTest::addColumn<int>("exit");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("verb");
    QTest::addColumn<int>("code");
    const auto row = [](const char* name, int exit, const QString& file, const char* directory,
                        const char* verb, int code) {
        QTest::newRow(name) << exit << file << QString(directory) << QString(verb) << code;
    };
    const QString web = QStringLiteral("https://example.org/a b?x=1&y='2'");
    row("opened", 0, web, "", "open", 42);
    row("verb in any case", 0, web, "", "OPEN", 42);
    row("syntax", 1, web, "", "open", 1);
    row("file missing", 2, web, "", "open", 2);
    row("no tool for the type", 3, web, "", "open", 31);
    row("action failed", 4, web, "", "open", 31);
    row("anything else", 9, web, "", "open", 1);
    row("cannot start", -1, web, "", "open", 27);
    row("print verb", 0, web, "", "print", 31);
    row("empty name", 0, "", "", "open", 2);
    row("missing file", 0, "no such file.txt", "$D", "open", 2);
    row("missing folder", 0, "$D/no such folder/a.txt", "", "open", 3);
    row("file url", 0, "file:///no/such/folder/a.txt", "", "open", 3);
    row("relative", 0, "b.txt", "/no/such/folder", "open", 3);
}

void TestShellOpen::xdgOpenOutcomes()
{
    QFETCH(int, exit);
    QFETCH(QString, file);
    QFETCH(QString, directory);
    QFETCH(QString, verb);
    QFETCH(int, code);
    file.replace("$D", m_dir.path());
    directory.replace("$D", m_dir.path());
    const QString program = opener(QStringLiteral("exit %1").arg(exit));
    XdgOpenLauncher launcher(exit < 0 ? m_dir.filePath(QStringLiteral("none")) : program);
    ScriptedDialogs boxes;
    ShellOpen shell(launcher, boxes);
    QWidget owner;
    QCOMPARE(shell.ShellOpenDocument(file, 10, {}, directory, verb, &owner), code == 42);
    const auto failure = shellFailureFor(code);
    QCOMPARE(boxes.calls.size(), failure ? 1u : 0u); // one box per failure
    if (failure) {
        QCOMPARE(boxes.calls[0].args, QStringList({shellFailureText(*failure), "KVX"}));
        QCOMPARE(boxes.calls[0].icon, MessageIcon::Critical);
        QVERIFY(!boxes.MehWnd()); // the owner parents the box only while it shows
    }
    // Only what might open reaches the opener, and verbatim.
    QCOMPARE(seen().value(0), exit > 0 || code == 42 ? file : QString());
}

// An opener still running after the wait counts as accepted; its failure is
// reported when it ends, unless nobody is left to tell.
void TestShellOpen::lateFailures()
{
    const QString document = m_dir.filePath(QStringLiteral("notes été.txt"));
    QFile file(document);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    XdgOpenLauncher launcher(opener(QStringLiteral("sleep 1; exit 4")), 50);
    ScriptedDialogs boxes;
    ShellOpen shell(launcher, boxes);
    QVERIFY(shell.ShellOpenDocument(document, 1, {}, m_dir.path(), "open", nullptr));
    QVERIFY(boxes.calls.empty());
    QTRY_COMPARE_WITH_TIMEOUT(boxes.calls.size(), 1u, 10000);
    QCOMPARE(boxes.calls[0].args[0], shellFailureText(*shellFailureFor(31)));
    QCOMPARE(seen(), QStringList({document, m_dir.path()}));

    RecordingLauncher recording;
    std::optional<ShellOpen> gone(std::in_place, recording, boxes);
    QVERIFY(gone->ShellOpenDocument(document, 1, {}, {}, "open", nullptr));
    gone.reset();
    recording.late(4);
    QCOMPARE(boxes.calls.size(), 1u);
}

QTEST_MAIN(TestShellOpen)
#include "tst_ShellOpen.moc"
