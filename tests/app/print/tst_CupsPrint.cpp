#include "JacketTestTree.h"

#include <QApplication>
#include <QComboBox>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

using namespace kvx;

namespace {

// The folder of this test's own print server: its configuration, spool, logs
// and socket. The machine's print set-up is never read nor changed.
QTemporaryDir& serverDir()
{
    static QTemporaryDir dir;
    return dir;
}

} // namespace

// Prints through a real print system: a scheduler of the test's own with a
// PostScript printer as its default, which keeps every job's document.
class tst_CupsPrint : public QObject
{
    Q_OBJECT

    QProcess m_cupsd;

public:
    // Before the application starts: every CUPS client of this process, Qt's
    // print support included, talks to the test's own server only.
    static void initMain()
    {
        qputenv("CUPS_SERVER", serverDir().filePath("cups.sock").toLocal8Bit());
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (geteuid() != 0)
            QSKIP("cupsd runs only as root: run this test as root to print through CUPS");
        const QString ppd = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";
        QVERIFY2(QFile::exists("/usr/sbin/cupsd") && QFile::exists(ppd),
                 "cups and printer-driver-cups-pdf are missing: run scripts/deps.sh");
        const QString t = serverDir().path();
        for (const char* sub : {"spool", "cache", "state", "log", "tmp"})
            QVERIFY(QDir(t).mkpath(sub));
        for (const auto& [name, text] :
             {std::pair("cups-files.conf",
                        "ServerRoot %1\nRequestRoot %1/spool\nCacheDir %1/cache\nStateDir "
                        "%1/state\nTempDir %1/tmp\nErrorLog %1/log/error_log\nAccessLog "
                        "%1/log/access_log\nPageLog %1/log/page_log\nPrintcap %1/printcap\n"
                        "User lp\nGroup lp\n"),
              {"cupsd.conf", "Listen %1/cups.sock\nPreserveJobFiles Yes\n<Location />\n"
                             "Order allow,deny\nAllow all\n</Location>\n"}}) {
            QFile file(serverDir().filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QString(text).arg(t).toUtf8()));
        }
        QCOMPARE(QProcess::execute("chgrp", {"-R", "lp", t}), 0);
        QCOMPARE(QProcess::execute("chmod", {"-R", "g+rwX", t}), 0);
        // The server ends with the test, even when the test does not end well.
        m_cupsd.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        m_cupsd.start("/usr/sbin/cupsd",
                      {"-f", "-c", t + "/cupsd.conf", "-s", t + "/cups-files.conf"});
        QVERIFY(m_cupsd.waitForStarted());
        QTRY_VERIFY2_WITH_TIMEOUT(test::output("lpstat", {"-r"}).contains("is running"),
                                  "the test's cupsd did not start:\n" +
                                      test::output("cat", {t + "/log/error_log"}).toUtf8(),
                                  20000);
        // Its printer discards the printed output; the job's document stays.
        QCOMPARE(QProcess::execute("lpadmin",
                                   {"-p", "KvxTest", "-E", "-v", "file:///dev/null", "-P", ppd}),
                 0);
        QCOMPARE(QProcess::execute("lpadmin", {"-d", "KvxTest"}), 0);
    }

    void cleanupTestCase()
    {
        if (m_cupsd.state() == QProcess::NotRunning)
            return;
        m_cupsd.terminate(); // SIGTERM to its pid
        QVERIFY(m_cupsd.waitForFinished(20000));
    }

    // "Propriétés" offers the default printer, chosen, and a PDF file;
    // cancelling it changes nothing. The print then goes to that printer
    // without a question; the document it received is the jacket, found by
    // the job's id.
    void printsOnTheDefaultPrinter()
    {
        test::PrintWindow w;
        test::buildRows(w.window.tree(), 60);
        const QPageLayout layout = w.printer().pageLayout();
        QString offered;
        QTimer::singleShot(0, &w.window, [&offered] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            auto* where = dialog->findChild<QComboBox*>("printer");
            offered = where->currentText() + ' ' + QString::number(where->count());
            where->setCurrentIndex(where->count() - 1); // a PDF file, then cancelled
            dialog->reject();
        });
        w.click("cmpProp");
        QCOMPARE(offered, QStringLiteral("KvxTest 2"));
        QCOMPARE(w.printer().printerName(), QStringLiteral("KvxTest"));
        QCOMPARE(w.printer().outputFormat(), QPrinter::NativeFormat);
        QVERIFY(w.printer().pageLayout().isEquivalentTo(layout));
        w.click("cmdPrint");
        QVERIFY(w.dialogs.calls.empty());

        const QRegularExpression job(R"(^KvxTest-(\d+)\s)", QRegularExpression::MultilineOption);
        QString done;
        QTRY_VERIFY_WITH_TIMEOUT(
            (done = test::output("lpstat", {"-W", "completed", "-o", "KvxTest"})).contains(job),
            60000);
        QCOMPARE(done.count(job), 1);
        const int id = job.match(done).captured(1).toInt();
        const QString document =
            serverDir().filePath(QString("spool/d%1-001").arg(id, 5, 10, QLatin1Char('0')));
        QVERIFY(test::output("pdftotext", {document, "-"}).contains(test::rowText(60)));
        test::verifyJacket(test::pdfPage(document), w.printer().pageLayout(), 50, 3, 60);
    }
};

QTEST_MAIN(tst_CupsPrint)
#include "tst_CupsPrint.moc"
