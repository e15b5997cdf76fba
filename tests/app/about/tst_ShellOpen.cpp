#include "about/ShellLauncher.h"
#include "about/ShellOpen.h"
#include "app/ScriptedDialogs.h"
#include "app/support/RecordingLauncher.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

using namespace kvx;
using kvx::test::ScriptedDialogs;

class TestShellOpen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("KVX")); }
    void oneBoxPerFailure_data();
    void oneBoxPerFailure();
    void lateAnswerAfterTheServiceIsGone();
    void xdgOpenOutcomes_data();
    void xdgOpenOutcomes();
    void openerStillRunningFailsLater();

private:
    // An opener script that writes its argument and working folder to "seen".
    QString writeOpener(const QString& body);
    QStringList seen() const;

    QTemporaryDir m_dir;
};

QString TestShellOpen::writeOpener(const QString& body)
{
    const QString path = m_dir.filePath(QStringLiteral("opener.sh"));
    QFile::remove(path);
    QFile::remove(m_dir.filePath(QStringLiteral("seen")));
    QFile script(path);
    if (script.open(QIODevice::WriteOnly))
        script.write(
            QStringLiteral("#!/bin/sh\nprintf '%s\\n%s\\n' \"$1\" \"$PWD\" > \"%1/seen\"\n%2\n")
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

void TestShellOpen::oneBoxPerFailure_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("accepted") << 42 << "";
    QTest::newRow("negative accepted") << -5 << "";
    QTest::newRow("0") << 0 << "Erreur 7\nOut of memory";
    QTest::newRow("31") << 31
                        << "Erreur -2147220425\nNo application is associated with this file type.";
}

void TestShellOpen::oneBoxPerFailure()
{
    QFETCH(int, code);
    QFETCH(QString, text);
    RecordingLauncher launcher(code);
    ScriptedDialogs boxes;
    ShellOpen shell(launcher, boxes);
    QWidget owner;
    QCOMPARE(shell.ShellOpenDocument(QStringLiteral("http://example.org/"), 10, {}, {},
                                     QStringLiteral("open"), &owner),
             text.isEmpty());
    QCOMPARE(launcher.requests.size(), 1);
    QCOMPARE(launcher.requests[0].showCommand, 1); // the caller's rules were applied
    const auto shown = boxes.callsOf(QStringLiteral("MsgBox"));
    QCOMPARE(int(shown.size()), text.isEmpty() ? 0 : 1);
    if (!text.isEmpty()) {
        QCOMPARE(shown[0].args, QStringList({text, QStringLiteral("KVX")}));
        QCOMPARE(shown[0].icon, MessageIcon::Critical);
        QVERIFY(!boxes.MehWnd()); // the owner parents the box only while it shows
    }
}

void TestShellOpen::lateAnswerAfterTheServiceIsGone()
{
    RecordingLauncher launcher(42);
    ScriptedDialogs boxes;
    {
        ShellOpen shell(launcher, boxes);
        QVERIFY(shell.ShellOpenDocument(QStringLiteral("a.txt"), 1, {}, {}, QStringLiteral("open"),
                                        nullptr));
        launcher.late(4);
        QCOMPARE(boxes.callsOf(QStringLiteral("MsgBox")).size(), 1u);
    }
    launcher.late(2); // nobody left to tell: no box, no crash
    QCOMPARE(boxes.callsOf(QStringLiteral("MsgBox")).size(), 1u);
}

// exit: the opener's exit status, -1 for an opener that cannot be started.
// "$D" stands for the temporary folder.
void TestShellOpen::xdgOpenOutcomes_data()
{
    QTest::addColumn<int>("exit");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("verb");
    QTest::addColumn<int>("code");
    const QString web = QStringLiteral("https://example.org/a b?x=1&y='2'");
    QTest::newRow("opened") << 0 << web << ""
                            << "open" << 42;
    QTest::newRow("verb in any case") << 0 << web << ""
                                      << "OPEN" << 42;
    QTest::newRow("syntax") << 1 << web << ""
                            << "open" << 1;
    QTest::newRow("file missing") << 2 << web << ""
                                  << "open" << 2;
    QTest::newRow("no tool for the type") << 3 << web << ""
                                          << "open" << 31;
    QTest::newRow("action failed") << 4 << web << ""
                                   << "open" << 31;
    QTest::newRow("anything else") << 9 << web << ""
                                   << "open" << 1;
    QTest::newRow("cannot start") << -1 << web << ""
                                  << "open" << 27;
    QTest::newRow("print verb") << 0 << web << ""
                                << "print" << 31;
    QTest::newRow("empty name") << 0 << ""
                                << ""
                                << "open" << 2;
    QTest::newRow("missing file") << 0 << "no such file.txt"
                                  << "$D"
                                  << "open" << 2;
    QTest::newRow("missing folder") << 0 << "$D/no such folder/a.txt"
                                    << ""
                                    << "open" << 3;
    QTest::newRow("file url") << 0 << "file:///no/such/folder/a.txt"
                              << ""
                              << "open" << 3;
    QTest::newRow("relative") << 0 << "b.txt"
                              << "/no/such/folder"
                              << "open" << 3;
}

void TestShellOpen::xdgOpenOutcomes()
{
    QFETCH(int, exit);
    QFETCH(QString, file);
    QFETCH(QString, directory);
    QFETCH(QString, verb);
    QFETCH(int, code);
    file.replace(QLatin1String("$D"), m_dir.path());
    directory.replace(QLatin1String("$D"), m_dir.path());
    const QString opener = writeOpener(QStringLiteral("exit %1").arg(exit));
    XdgOpenLauncher launcher(exit < 0 ? m_dir.filePath(QStringLiteral("none")) : opener);
    QCOMPARE(launcher.launch(prepareShellRequest(file, 1, {}, directory, verb), {}), code);
    // Only what might open reaches the opener, and verbatim.
    QCOMPARE(seen().value(0), exit > 0 || code == 42 ? file : QString());
}

void TestShellOpen::openerStillRunningFailsLater()
{
    const QString document = m_dir.filePath(QStringLiteral("notes été.txt"));
    QFile file(document);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    XdgOpenLauncher launcher(writeOpener(QStringLiteral("sleep 1; exit 4")), 50);
    ScriptedDialogs boxes;
    ShellOpen shell(launcher, boxes);
    QVERIFY(
        shell.ShellOpenDocument(document, 1, {}, m_dir.path(), QStringLiteral("open"), nullptr));
    QVERIFY(boxes.calls.empty());
    QTRY_COMPARE_WITH_TIMEOUT(boxes.callsOf(QStringLiteral("MsgBox")).size(), 1u, 10000);
    QCOMPARE(boxes.calls[0].args[0], QStringLiteral("Erreur -2147220425\nNo application is "
                                                    "associated with this file type."));
    QCOMPARE(seen().mid(0, 2), QStringList({document, m_dir.path()}));
}

QTEST_MAIN(TestShellOpen)
#include "tst_ShellOpen.moc"
