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

namespace {

std::vector<ScriptedDialogs::Call> boxesOf(const ScriptedDialogs& dialogs)
{
    return dialogs.callsOf(QStringLiteral("MsgBox"));
}

} // namespace

class TestShellOpen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void reports_data();
    void reports();
    void rulesReachTheShell();
    void lateFailureIsReportedOnce();
    void xdgOpenOutcomes_data();
    void xdgOpenOutcomes();
    void missingLocalFilesAreNotHandedOver_data();
    void missingLocalFilesAreNotHandedOver();
    void openerThatCannotStart();
    void unknownVerb();
    void openerStillRunningCountsAsAccepted();

private:
    // An opener script that records its argument and working folder, then
    // sleeps and exits as told.
    QString writeOpener(const QString& body);

    QTemporaryDir m_dir;
};

void TestShellOpen::initTestCase()
{
    QCoreApplication::setApplicationName(QStringLiteral("KVX"));
    QVERIFY(m_dir.isValid());
}

QString TestShellOpen::writeOpener(const QString& body)
{
    static int count = 0;
    const QString path = m_dir.filePath(QStringLiteral("opener%1.sh").arg(++count));
    QFile script(path);
    if (!script.open(QIODevice::WriteOnly))
        return {};
    script.write(
        QStringLiteral("#!/bin/sh\nprintf '%s\\n%s\\n' \"$1\" \"$PWD\" > \"%1/seen\"\n%2\n")
            .arg(m_dir.path(), body)
            .toUtf8());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::remove(m_dir.filePath(QStringLiteral("seen")));
    return path;
}

void TestShellOpen::reports_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("text");

    const QString other = QStringLiteral(
        "An error occurred occurred whilst trying to open or print the selected file.");
    QTest::newRow("42 accepted") << 42 << true << "";
    QTest::newRow("negative accepted") << -5 << true << "";
    QTest::newRow("0 before the shell") << 0 << false << "Erreur 7\nOut of memory";
    QTest::newRow("2") << 2 << false << "Erreur 53\nFile not found";
    QTest::newRow("31") << 31 << false
                        << "Erreur -2147220425\nNo application is associated with this file "
                           "type.";
    QTest::newRow("1") << 1 << false << "Erreur -2147220455\n" + other;
    QTest::newRow("12") << 12 << false << "Erreur -2147220444\n" + other;
}

void TestShellOpen::reports()
{
    QFETCH(int, code);
    QFETCH(bool, accepted);
    QFETCH(QString, text);
    RecordingLauncher launcher(code);
    ScriptedDialogs boxes;
    ShellOpen shell(launcher, boxes);
    QWidget owner;
    QCOMPARE(shell.ShellOpenDocument(QStringLiteral("http://example.org/"), 10, {}, {},
                                     QStringLiteral("open"), &owner),
             accepted);
    QCOMPARE(int(boxesOf(boxes).size()), accepted ? 0 : 1);
    if (!accepted) {
        QCOMPARE(boxesOf(boxes)[0].args[0], text);
        QCOMPARE(boxesOf(boxes)[0].args[1], QStringLiteral("KVX"));
        QCOMPARE(boxesOf(boxes)[0].icon, MessageIcon::Critical);
        QVERIFY(!boxes.MehWnd()); // the owner parents the box only while it shows
    }
}

void TestShellOpen::rulesReachTheShell()
{
    RecordingLauncher launcher(42);
    ScriptedDialogs boxes;
    ShellOpen shell(launcher, boxes);
    QVERIFY(shell.ShellOpenDocument(QStringLiteral("mailto:someone@example.org"), 10, {}, {},
                                    QStringLiteral("open"), nullptr));
    QVERIFY(shell.ShellOpenDocument(QStringLiteral("/opt/x/SETUP.exe"), 10,
                                    QStringLiteral("/quiet"), {}, QStringLiteral("open"), nullptr));
    QCOMPARE(launcher.requests.size(), 2);
    QCOMPARE(launcher.requests[0].showCommand, 1);
    QCOMPARE(launcher.requests[0].file, QStringLiteral("mailto:someone@example.org"));
    QCOMPARE(launcher.requests[1].showCommand, 0);
    QCOMPARE(launcher.requests[1].parameters, QStringLiteral("/quiet"));
}

void TestShellOpen::lateFailureIsReportedOnce()
{
    RecordingLauncher launcher(42);
    ScriptedDialogs boxes;
    {
        ShellOpen shell(launcher, boxes);
        QVERIFY(shell.ShellOpenDocument(QStringLiteral("a.txt"), 1, {}, {}, QStringLiteral("open"),
                                        nullptr));
        QVERIFY(boxesOf(boxes).empty());
        launcher.late(4);
        QCOMPARE(int(boxesOf(boxes).size()), 1);
        QCOMPARE(boxesOf(boxes)[0].args[0],
                 QStringLiteral("Erreur -2147220452\nAn error occurred "
                                "occurred whilst trying to open or print "
                                "the selected file."));
    }
    // Once the service is gone a late answer has nobody to tell.
    launcher.late(2);
    QCOMPARE(int(boxesOf(boxes).size()), 1);
}

void TestShellOpen::xdgOpenOutcomes_data()
{
    QTest::addColumn<int>("exitStatus");
    QTest::addColumn<int>("code");
    QTest::newRow("opened") << 0 << 42;
    QTest::newRow("syntax") << 1 << 1;
    QTest::newRow("file missing") << 2 << 2;
    QTest::newRow("no tool for the type") << 3 << 31;
    QTest::newRow("action failed") << 4 << 31;
    QTest::newRow("anything else") << 9 << 1;
}

void TestShellOpen::xdgOpenOutcomes()
{
    QFETCH(int, exitStatus);
    QFETCH(int, code);
    XdgOpenLauncher launcher(writeOpener(QStringLiteral("exit %1").arg(exitStatus)));
    const QString address = QStringLiteral("https://example.org/a b?x=1&y='2'");
    QCOMPARE(launcher.launch(prepareShellRequest(address, 10, {}, {}, QStringLiteral("open")), {}),
             code);
    QFile seen(m_dir.filePath(QStringLiteral("seen")));
    QVERIFY(seen.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(seen.readLine()).chopped(1), address);
}

void TestShellOpen::missingLocalFilesAreNotHandedOver_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("directory");
    QTest::addColumn<int>("code");
    QTest::newRow("missing file") << "no such file.txt"
                                  << "" << 2;
    QTest::newRow("missing folder") << "no such folder/a.txt"
                                    << "" << 3;
    QTest::newRow("file url") << "file:///no/such/folder/a.txt"
                              << "" << 3;
    QTest::newRow("relative to the directory") << "b.txt"
                                               << "/no/such/folder" << 3;
    QTest::newRow("empty name") << ""
                                << "" << 2;
}

void TestShellOpen::missingLocalFilesAreNotHandedOver()
{
    QFETCH(QString, file);
    QFETCH(QString, directory);
    QFETCH(int, code);
    XdgOpenLauncher launcher(writeOpener(QStringLiteral("exit 0")));
    const QString absolute = file.isEmpty() || file.startsWith(QLatin1String("file:"))
                                 ? file
                                 : (directory.isEmpty() ? m_dir.filePath(file) : file);
    QCOMPARE(launcher.launch(
                 prepareShellRequest(absolute, 1, {}, directory, QStringLiteral("open")), {}),
             code);
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("seen"))));
}

void TestShellOpen::openerThatCannotStart()
{
    XdgOpenLauncher launcher(m_dir.filePath(QStringLiteral("no-opener-here")));
    ScriptedDialogs boxes;
    ShellOpen shell(launcher, boxes);
    QVERIFY(!shell.ShellOpenDocument(QStringLiteral("https://example.org/"), 10, {}, {},
                                     QStringLiteral("open"), nullptr));
    QCOMPARE(int(boxesOf(boxes).size()), 1);
    QCOMPARE(boxesOf(boxes)[0].args[0],
             QStringLiteral(
                 "Erreur -2147220429\nThis file type does not have a valid file association."));
}

void TestShellOpen::unknownVerb()
{
    XdgOpenLauncher launcher(writeOpener(QStringLiteral("exit 0")));
    QCOMPARE(launcher.launch(prepareShellRequest(QStringLiteral("https://example.org/"), 1, {}, {},
                                                 QStringLiteral("print")),
                             {}),
             31);
    QCOMPARE(launcher.launch(prepareShellRequest(QStringLiteral("https://example.org/"), 1, {}, {},
                                                 QStringLiteral("OPEN")),
                             {}),
             42);
}

void TestShellOpen::openerStillRunningCountsAsAccepted()
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
    QVERIFY(boxesOf(boxes).empty());
    QTRY_COMPARE_WITH_TIMEOUT(int(boxesOf(boxes).size()), 1, 10000);
    QCOMPARE(boxesOf(boxes)[0].args[0], QStringLiteral("Erreur -2147220425\nNo application is "
                                                       "associated with this file type."));
    QFile seen(m_dir.filePath(QStringLiteral("seen")));
    QVERIFY(seen.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(seen.readLine()).chopped(1), document);
    QCOMPARE(QString::fromUtf8(seen.readLine()).chopped(1), m_dir.path());
}

QTEST_MAIN(TestShellOpen)
#include "tst_ShellOpen.moc"
