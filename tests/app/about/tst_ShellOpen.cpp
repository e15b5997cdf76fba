// Opening documents, addresses and mail links through an opener standing in
// for xdg-open: what reaches it, and the one box each failure shows.
#include "about/ShellLauncher.h"
#include "about/ShellOpen.h"
#include "app/ScriptedDialogs.h"
#include "app/support/RecordingLauncher.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

using namespace kvx;

class TestShellOpen : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    test::ScriptedDialogs m_boxes;

    // An opener that writes its argument and working folder to "seen", then runs `body`.
    QString opener(const QString& body)
    {
        const QString path = m_dir.filePath("opener.sh");
        QFile::remove(m_dir.filePath("seen"));
        QFile script(path);
        if (script.open(QIODevice::WriteOnly))
            script.write(QString("#!/bin/sh\nprintf '%s\\n%s' \"$1\" \"$PWD\" >'%1/seen'\n%2\n")
                             .arg(m_dir.path(), body)
                             .toUtf8());
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }
    QStringList seen() const
    {
        QFile file(m_dir.filePath("seen"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split('\n')
                                              : QStringList();
    }

private Q_SLOTS:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("KVX")); }
    void init() { m_boxes.calls.clear(); }

    // exit: the opener's exit status, -1 for an opener that cannot be started;
    // "$D" stands for the temporary folder; box: the failure's text, none
    // when the request was accepted.
    void outcomes_data()
    {
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("directory");
        QTest::addColumn<QString>("verb");
        QTest::addColumn<QString>("box");
        const auto row = [](const char* name, int exit, const QString& file, const char* directory,
                            const char* verb, const QString& box) {
            QTest::newRow(name) << exit << file << QString(directory) << QString(verb) << box;
        };
        const QString web = "https://example.org/a b?x=1&y='2'";
        const QString notFound = "Erreur 53\nFile not found", noPath = "Erreur 76\nPath not found",
                      noApp = "Erreur -2147220425\nNo application is associated with this file "
                              "type.";
        row("opened", 0, web, "", "open", "");
        row("verb in any case", 0, web, "", "OPEN", "");
        row("file missing", 2, web, "", "open", notFound);
        row("no tool for the type", 3, web, "", "open", noApp);
        row("action failed", 4, web, "", "open", noApp);
        row("anything else", 9, web, "", "open",
            "Erreur -2147220455\nAn error occurred occurred whilst trying to open or print the "
            "selected file.");
        row("cannot start", -1, web, "", "open",
            "Erreur -2147220429\nThis file type does not have a valid file association.");
        row("print verb", 0, web, "", "print", noApp);
        row("empty name", 0, "", "", "open", notFound);
        row("missing file", 0, "no such file.txt", "$D", "open", notFound);
        row("missing folder", 0, "$D/no such folder/a.txt", "", "open", noPath);
        row("file url", 0, "file:///no/such/folder/a.txt", "", "open", noPath);
        row("relative", 0, "b.txt", "/no/such/folder", "open", noPath);
    }
    void outcomes()
    {
        QFETCH(int, exit);
        QFETCH(QString, file);
        QFETCH(QString, directory);
        QFETCH(QString, verb);
        QFETCH(QString, box);
        file.replace("$D", m_dir.path());
        directory.replace("$D", m_dir.path());
        const QString program = opener(QStringLiteral("exit %1").arg(exit));
        XdgOpenLauncher launcher(exit < 0 ? m_dir.filePath("none") : program);
        ShellOpen shell(launcher, m_boxes);
        QWidget owner;
        QCOMPARE(shell.ShellOpenDocument(file, 10, {}, directory, verb, &owner), box.isEmpty());
        QCOMPARE(m_boxes.calls.size(), box.isEmpty() ? 0u : 1u); // one box per failure
        if (!box.isEmpty()) {
            QCOMPARE(m_boxes.calls[0].args, QStringList({box, "KVX"}));
            QCOMPARE(m_boxes.calls[0].icon, MessageIcon::Critical);
            QVERIFY(!m_boxes.MehWnd()); // the owner parents the box only while it shows
        }
        // Only what might open reaches the opener, and verbatim.
        QCOMPARE(seen().value(0), exit > 0 || box.isEmpty() ? file : QString());
    }

    // An opener still running after the wait counts as accepted; its failure
    // is reported when it ends, unless nobody is left to tell. A name holding
    // ".exe" asks for a hidden window, a request with neither parameters nor
    // folder for a normal one.
    void lateFailuresAndWindows()
    {
        const QString document = m_dir.filePath("notes été.txt");
        QFile file(document);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        XdgOpenLauncher launcher(opener("sleep 1; exit 4"), 50);
        ShellOpen shell(launcher, m_boxes);
        QVERIFY(shell.ShellOpenDocument(document, 1, {}, m_dir.path(), "open", nullptr));
        QVERIFY(m_boxes.calls.empty());
        QTRY_COMPARE_WITH_TIMEOUT(m_boxes.calls.size(), 1u, 10000);
        QVERIFY(m_boxes.calls[0].args[0].startsWith("Erreur -2147220425\n"));
        QCOMPARE(seen(), QStringList({document, m_dir.path()}));

        RecordingLauncher recording;
        std::optional<ShellOpen> gone(std::in_place, recording, m_boxes);
        for (const char* request :
             {"setup.exe||", "/opt/Setup.Exe|-q|", "/d/my.exe.d/a|x|/d", "notes.txt||/tmp"}) {
            const QStringList part = QString(request).split('|');
            QVERIFY(gone->ShellOpenDocument(part[0], 3, part[1], part[2], "open", nullptr));
        }
        gone.reset();
        recording.late(4);
        QCOMPARE(m_boxes.calls.size(), 1u);
        QList<int> shown;
        for (const ShellRequest& request : recording.requests)
            shown << request.showCommand;
        QCOMPARE(shown, QList<int>({1, 0, 0, 3}));
    }
};

QTEST_MAIN(TestShellOpen)
#include "tst_ShellOpen.moc"
