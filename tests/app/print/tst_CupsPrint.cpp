#include "JacketTestTree.h"

#include <QApplication>
#include <QPrintDialog>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <csignal>
#include <unistd.h>

using namespace kvx;

namespace {

bool schedulerRunning()
{
    QProcess p;
    p.start("lpstat", {"-r"});
    p.waitForFinished(5000);
    return p.readAllStandardOutput().contains("scheduler is running");
}

} // namespace

// Prints through a real print system: a CUPS server of our own with a PDF
// printer as the default, then finds the jacket in the PDF it wrote.
class tst_CupsPrint : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    qint64 m_cupsd = 0;

private Q_SLOTS:
    void initTestCase()
    {
        const QString ppd = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";
        if (geteuid() != 0)
            QSKIP("starting a print server needs root");
        if (!QFile::exists("/usr/sbin/cupsd") || !QFile::exists(ppd))
            QSKIP("cups or printer-driver-cups-pdf is not installed");
        if (schedulerRunning())
            QSKIP("a print server is already running here");
        QDir().mkpath("/run/cups");
        QProcess::startDetached("/usr/sbin/cupsd", {"-f"}, {}, &m_cupsd);
        QVERIFY(m_cupsd > 0);
        for (QDeadlineTimer ready(15000); !schedulerRunning() && !ready.hasExpired();)
            QThread::msleep(100);
        const QString lpadmin = "/usr/sbin/lpadmin";
        QCOMPARE(
            QProcess::execute(lpadmin, {"-p", "CUPS-PDF", "-E", "-v", "cups-pdf:/", "-P", ppd}), 0);
        QCOMPARE(QProcess::execute(lpadmin, {"-d", "CUPS-PDF"}), 0);
    }

    void cleanupTestCase()
    {
        if (m_cupsd <= 0)
            return;
        ::kill(pid_t(m_cupsd), SIGTERM);
        for (QDeadlineTimer gone(10000); ::kill(pid_t(m_cupsd), 0) == 0 && !gone.hasExpired();)
            QThread::msleep(100);
    }

    // "Propriétés" opens Qt's print dialog on the window's printer;
    // cancelling it changes nothing.
    void cancelledPrintDialogChangesNothing()
    {
        test::PrintWindow w;
        const QString name = w.printer().printerName();
        const QPageLayout layout = w.printer().pageLayout();
        QPrintDialog* shown = nullptr;
        QTimer poll;
        connect(&poll, &QTimer::timeout, &w.window, [&shown] {
            if ((shown = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())))
                shown->reject();
        });
        poll.start(20);
        w.click("cmpProp");
        QVERIFY(shown && w.dialogs.calls.empty());
        QCOMPARE(w.printer().printerName(), name);
        QVERIFY(w.printer().pageLayout().isEquivalentTo(layout));
    }

    void printsOnTheDefaultPrinter()
    {
        test::PrintWindow w;
        QCOMPARE(w.printer().printerName(), QStringLiteral("CUPS-PDF"));
        test::buildRows(w.window.tree(), 60);
        const QDateTime started = QDateTime::currentDateTime().addSecs(-1);
        w.click("cmdPrint");
        QVERIFY(w.dialogs.calls.empty());

        // CUPS-PDF names the file after the document, shortly after the job.
        const QDir out(QDir::home().filePath("PDF"));
        QString found;
        for (QDeadlineTimer deadline(30000); found.isEmpty() && !deadline.hasExpired();
             QThread::msleep(200))
            for (const QFileInfo& pdf : out.entryInfoList({"*KVX*.pdf"}))
                if (pdf.lastModified() >= started && pdf.size() > 0)
                    found = pdf.filePath();
        QVERIFY2(!found.isEmpty(), "no PDF from the print queue");
        QThread::msleep(500); // let the writer finish
        const QString copy = m_dir.filePath("p.pdf");
        QVERIFY(QFile::rename(found, copy));
        // The queue's converter turns text into outlines: check the picture.
        test::verifyJacket(copy, w.printer(), 50, 3, 60);
    }
};

QTEST_MAIN(tst_CupsPrint)
#include "tst_CupsPrint.moc"
