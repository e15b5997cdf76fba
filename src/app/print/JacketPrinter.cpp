#include "print/JacketPrinter.h"

#include "dialogs/DialogService.h"
#include "lang/MessageTexts.h"
#include "print/JacketPage.h"
#include "print/JacketPreview.h"
#include "print/PrinterChoice.h"

#include <QDir>
#include <QGuiApplication>
#include <QPrinterInfo>

namespace kvx {

namespace {

// The printer is busy for the lifetime of this object.
class Running
{
public:
    explicit Running(bool& flag) : m_flag(flag) { m_flag = true; }
    ~Running() { m_flag = false; }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;

private:
    bool& m_flag;
};

void warn(DialogService& dialogs, const QString& text)
{
    dialogs.MsgBox(text, QStringLiteral("KVX"), MessageIcon::Exclamation);
}

} // namespace

JacketPrinter::JacketPrinter()
{
    m_printer.setDocName(QString::fromLatin1(JacketPage::DocumentName));
}

PrintTarget JacketPrinter::target() const
{
    const bool userPdf = m_pdfChosenByUser && m_printer.outputFormat() == QPrinter::PdfFormat;
    return ChoosePrintTarget(QPrinterInfo::availablePrinterNames(),
                             QPrinterInfo::defaultPrinterName(), m_printer.printerName(),
                             userPdf ? m_printer.outputFileName() : QString());
}

bool JacketPrinter::useTarget(const PrintTarget& to)
{
    ApplyPrintTarget(m_printer, to);
    return to.kind != PrintTarget::Kind::AskPdf;
}

// Readies the printer: the user's PDF file, the chosen or default system
// printer, or a PDF file asked for now (then named in *pdfFile).
bool JacketPrinter::usePrinterOrAskFile(DialogService& dialogs, const MessageTexts& texts,
                                        QString* pdfFile)
{
    const PrintTarget to = target();
    if (to.kind == PrintTarget::Kind::UserPdf)
        *pdfFile = to.name;
    if (useTarget(to))
        return true;
    const QString file = dialogs.ShowSave(texts.text(Msg::PdfFilter) + QStringLiteral("|*.pdf"),
                                          texts.text(Msg::SaveJacketTitle), QDir::homePath());
    if (file.isEmpty())
        return false;
    m_printer.setOutputFileName(file);
    *pdfFile = file;
    return true;
}

PrintResult JacketPrinter::print(const JacketPage& page, bool colour, DialogService& dialogs,
                                 const MessageTexts& texts)
{
    if (m_printing)
        return PrintResult::Busy;
    const Running running(m_printing);

    if (page.rowCount() < 1) {
        warn(dialogs, texts.text(Msg::EmptyTree));
        return PrintResult::NothingToPrint;
    }
    QString pdfFile;
    if (!usePrinterOrAskFile(dialogs, texts, &pdfFile))
        return PrintResult::Cancelled;

    // The page is drawn in grey when the print is; a printer is told too, so
    // that it prints with black alone. A PDF file takes the page as drawn,
    // as the command line's does.
    const bool pdf = m_printer.outputFormat() == QPrinter::PdfFormat;
    m_printer.setColorMode(colour || pdf ? QPrinter::Color : QPrinter::GrayScale);
    // One page, one copy, turned as the template needs; the origin is the
    // printable area's top-left.
    m_printer.setCopyCount(1);
    QString paper;
    const auto turn = page.orientationOn(m_printer.pageLayout().pageSize(), &paper);
    if (!turn) {
        warn(dialogs,
             texts.text(Msg::CoverDoesNotFit).arg(QLatin1String(page.cover().cover->name), paper));
        return PrintResult::PrinterFailed;
    }
    m_printer.setPageOrientation(*turn);
    m_printer.setFullPage(false);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool printed = page.print(m_printer) && m_printer.printerState() != QPrinter::Error;
    QGuiApplication::restoreOverrideCursor();
    if (printed && !pdfFile.isEmpty())
        dialogs.MsgBox(texts.text(Msg::JacketSaved).arg(pdfFile), QStringLiteral("KVX"),
                       MessageIcon::Information);
    if (!printed)
        warn(dialogs, pdfFile.isEmpty()
                          ? texts.text(Msg::PrinterFailed).arg(m_printer.printerName())
                          : texts.text(Msg::PdfFailed).arg(pdfFile));
    if (!pdfFile.isEmpty() && !m_pdfChosenByUser) {
        // A file asked for at print time is for that print only.
        m_printer.setOutputFileName(QString());
    }
    return printed ? PrintResult::Printed : PrintResult::PrinterFailed;
}

bool JacketPrinter::preview(const JacketPage& page, const QString& printCaption,
                            DialogService& dialogs, const MessageTexts& texts, QWidget* owner)
{
    if (m_printing)
        return false;
    if (page.rowCount() < 1) {
        warn(dialogs, texts.text(Msg::EmptyTree));
        return false;
    }
    // The paper of the printer the page would go to.
    useTarget(target());
    QString paper;
    const auto turn = page.orientationOn(m_printer.pageLayout().pageSize(), &paper);
    if (!turn) {
        warn(dialogs,
             texts.text(Msg::CoverDoesNotFit).arg(QLatin1String(page.cover().cover->name), paper));
        return false;
    }
    m_printer.setPageOrientation(*turn);
    JacketPreview shown(page, m_printer.pageLayout(), printCaption, texts, owner);
    return shown.exec() == QDialog::Accepted;
}

void JacketPrinter::showProperties(DialogService& dialogs, const MessageTexts& texts,
                                   QWidget* owner)
{
    if (m_printing)
        return;
    const PrintTarget before = target();
    useTarget(before);
    const QPageLayout page = m_printer.pageLayout();
    PrinterChoice choice(m_printer, QPrinterInfo::availablePrinterNames(), before, dialogs, texts,
                         owner);
    if (choice.exec() == QDialog::Accepted) {
        const PrintTarget chosen = choice.chosen();
        useTarget(chosen);
        m_pdfChosenByUser = chosen.kind == PrintTarget::Kind::UserPdf;
        return;
    }
    useTarget(before);
    m_printer.setPageLayout(page);
}

} // namespace kvx
