#include "JacketTestTree.h"
#include "PdfPages.h"
#include "app/ScriptedDialogs.h"
#include "app/frMain.h"
#include "print/JacketCommands.h"
#include "print/JacketPrinter.h"
#include "util/ProcessEventsPump.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QTreeView>
#include <csignal>
#include <unistd.h>

using namespace kvx;

namespace {

bool run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    return p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

bool schedulerRunning()
{
    QProcess p;
    p.start(QStringLiteral("lpstat"), {QStringLiteral("-r")});
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
        if (geteuid() != 0)
            QSKIP("starting a print server needs root");
        const QString cupsd = QStandardPaths::findExecutable(
            QStringLiteral("cupsd"), {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin")});
        const QString lpadmin = QStandardPaths::findExecutable(
            QStringLiteral("lpadmin"), {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin")});
        const QString ppd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");
        if (cupsd.isEmpty() || lpadmin.isEmpty() || !QFile::exists(ppd))
            QSKIP("cups or printer-driver-cups-pdf is not installed");
        if (schedulerRunning())
            QSKIP("a print server is already running here");

        QDir().mkpath(QStringLiteral("/run/cups"));
        QProcess::startDetached(cupsd, {QStringLiteral("-f")}, QString(), &m_cupsd);
        QVERIFY(m_cupsd > 0);
        QDeadlineTimer ready(15000);
        while (!schedulerRunning() && !ready.hasExpired())
            QThread::msleep(100);
        QVERIFY(!ready.hasExpired());
        QVERIFY(run(lpadmin, {QStringLiteral("-p"), QStringLiteral("CUPS-PDF"),
                              QStringLiteral("-E"), QStringLiteral("-v"),
                              QStringLiteral("cups-pdf:/"), QStringLiteral("-P"), ppd}));
        QVERIFY(run(lpadmin, {QStringLiteral("-d"), QStringLiteral("CUPS-PDF")}));
    }

    void cleanupTestCase()
    {
        if (m_cupsd <= 0)
            return;
        ::kill(pid_t(m_cupsd), SIGTERM);
        QDeadlineTimer gone(10000);
        while (::kill(pid_t(m_cupsd), 0) == 0 && !gone.hasExpired())
            QThread::msleep(100);
    }

    // "Propriétés" opens Qt's print dialog on the window's printer; a
    // cancelled dialog changes nothing.
    void cancelledPrintDialogChangesNothing()
    {
        test::ScriptedDialogs dialogs;
        frMain window;
        window.setProgramDir(QStringLiteral(KVX_TEST_PROGRAM_DIR));
        window.setDialogService(&dialogs);
        window.setLanguageFilesLister([] {});
        window.Form_Load();
        QPrinter& printer = window.findChild<JacketCommands*>(QStringLiteral("JacketCommands"))
                                ->printer()
                                .printer();
        const QString name = printer.printerName();
        const QPageLayout layout = printer.pageLayout();
        const auto colour = printer.colorMode();
        const auto format = printer.outputFormat();

        QPrintDialog* shown = nullptr;
        QTimer poll;
        connect(&poll, &QTimer::timeout, &window, [&shown] {
            if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
                shown = dialog;
                dialog->reject();
            }
        });
        poll.start(20);
        window.control<QAbstractButton>(QStringLiteral("cmpProp"))->click();
        poll.stop();
        QVERIFY(shown);
        QCOMPARE(printer.printerName(), name);
        QVERIFY(printer.pageLayout().isEquivalentTo(layout));
        QCOMPARE(printer.colorMode(), colour);
        QCOMPARE(printer.outputFormat(), format);
        QVERIFY(dialogs.calls.empty());
    }

    void printsOnTheDefaultPrinter()
    {
        QCOMPARE(QPrinterInfo::defaultPrinter().printerName(), QStringLiteral("CUPS-PDF"));

        test::ShownRows shown(60);
        QTreeView& view = shown.view;
        NodeTree& tree = shown.tree;
        ProcessEventsPump pump;
        JacketSource source{tree, view, pump, nullptr, JacketLayout{}, 150, true};

        const QDir out(QDir::home().filePath(QStringLiteral("PDF")));
        const QDateTime started = QDateTime::currentDateTime().addSecs(-1);
        test::ScriptedDialogs dialogs;
        JacketPrinter printer;
        QCOMPARE(printer.print(source, dialogs), PrintResult::Printed);
        QVERIFY(dialogs.calls.empty());
        QCOMPARE(printer.printer().printerName(), QStringLiteral("CUPS-PDF"));

        // CUPS-PDF names the file after the document, shortly after the job.
        QString found;
        QDeadlineTimer deadline(30000);
        while (found.isEmpty() && !deadline.hasExpired()) {
            const QFileInfoList pdfs =
                out.entryInfoList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Time);
            for (const QFileInfo& pdf : pdfs)
                if (pdf.lastModified() >= started && pdf.size() > 0 &&
                    pdf.fileName().contains(QStringLiteral("KVX")))
                    found = pdf.filePath();
            if (found.isEmpty())
                QThread::msleep(200);
        }
        QVERIFY2(!found.isEmpty(), "no PDF from the print queue");
        QThread::msleep(500); // let the writer finish
        // The queue's converter turns text into outlines: check the picture.
        const int dpi = 144;
        const QString copy = m_dir.filePath(QStringLiteral("p.pdf"));
        QVERIFY(QFile::copy(found, copy));
        const QImage page = test::pdfPage(copy, dpi);
        QVERIFY(!page.isNull());
        const QPointF origin =
            printer.printer().pageLayout().paintRect(QPageLayout::Inch).topLeft() * dpi;
        SliceInputs in;
        in.rowCount = 60;
        in.columnStepCm = 4;
        test::verifyRowsAtTheirPlaces(page, origin, dpi / 1440.0, PlanSlices(in),
                                      PrintScale(TwipsPerCm, 25));
        QFile::remove(found);
    }
};

QTEST_MAIN(tst_CupsPrint)
#include "tst_CupsPrint.moc"
