#include "print/JacketPrinter.h"

#include "dialogs/DialogService.h"
#include "lang/MessageTexts.h"
#include "tree/DisplayOrder.h"

#include <QDir>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinterInfo>
#include <QScreen>

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
    m_printer.setDocName(QString::fromLatin1(DocumentName));
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
    switch (to.kind) {
    case PrintTarget::Kind::UserPdf:
        return true;
    case PrintTarget::Kind::Printer:
        m_printer.setOutputFileName(QString());
        m_printer.setOutputFormat(QPrinter::NativeFormat);
        if (m_printer.printerName() != to.name)
            m_printer.setPrinterName(to.name);
        return true;
    case PrintTarget::Kind::AskPdf:
        break;
    }
    return false;
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
    const QString file =
        dialogs.ShowSave(texts.text(Msg::PdfFilter) + QStringLiteral("|*.pdf"),
                         texts.text(Msg::SaveJacketTitle), QDir::homePath());
    if (file.isEmpty())
        return false;
    m_printer.setOutputFormat(QPrinter::PdfFormat);
    m_printer.setOutputFileName(file);
    *pdfFile = file;
    return true;
}

PrintResult JacketPrinter::print(JacketSource& source, DialogService& dialogs,
                                 const MessageTexts& texts)
{
    if (m_printing)
        return PrintResult::Busy;
    const Running running(m_printing);

    if (CountVisibleNodes(source.tree) < 1) {
        warn(dialogs, texts.text(Msg::EmptyTree));
        return PrintResult::NothingToPrint;
    }
    QString pdfFile;
    if (!usePrinterOrAskFile(dialogs, texts, &pdfFile))
        return PrintResult::Cancelled;

    const PrintResult result = PrintJacket(m_printer, source);
    switch (result) {
    case PrintResult::Printed:
        if (!pdfFile.isEmpty())
            dialogs.MsgBox(texts.text(Msg::JacketSaved).arg(pdfFile), QStringLiteral("KVX"),
                           MessageIcon::Information);
        break;
    case PrintResult::NothingToPrint:
        warn(dialogs, texts.text(Msg::EmptyTree));
        break;
    case PrintResult::PrinterFailed:
        warn(dialogs, pdfFile.isEmpty()
                          ? texts.text(Msg::PrinterFailed).arg(m_printer.printerName())
                          : texts.text(Msg::PdfFailed).arg(pdfFile));
        break;
    default:
        break;
    }
    if (!pdfFile.isEmpty() && !m_pdfChosenByUser) {
        // A file asked for at print time is for that print only.
        m_printer.setOutputFileName(QString());
    }
    return result;
}

void JacketPrinter::preview(JacketSource& source, DialogService& dialogs, const MessageTexts& texts,
                            QWidget* owner)
{
    if (m_printing)
        return;
    if (CountVisibleNodes(source.tree) < 1) {
        warn(dialogs, texts.text(Msg::EmptyTree));
        return;
    }
    const Running running(m_printing);
    // Without a system printer the preview prints to a PDF file it asks for.
    if (!useTarget(target())) {
        m_printer.setOutputFormat(QPrinter::PdfFormat);
        m_printer.setOutputFileName(QString());
    }
    QPrintPreviewDialog dialog(&m_printer, owner);
    dialog.setAccessibleName(dialog.windowTitle());
    // Tall enough to read the jacket's rows on the whole page.
    if (const QScreen* screen = owner ? owner->screen() : nullptr) {
        const QRect room = screen->availableGeometry();
        dialog.resize(qMin(room.width() * 9 / 10, room.height() * 3 / 4), room.height() * 9 / 10);
    }
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&source](QPrinter* printer) { (void)PrintJacket(*printer, source); });
    dialog.exec();
}

void JacketPrinter::showProperties(QWidget* owner)
{
    if (m_printing)
        return;
    if (target().kind == PrintTarget::Kind::AskPdf)
        return;
    QPrintDialog dialog(&m_printer, owner);
    // One page, one copy: only the printer and its own settings are the user's.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() == QDialog::Accepted)
        m_pdfChosenByUser = m_printer.outputFormat() == QPrinter::PdfFormat &&
                            !m_printer.outputFileName().isEmpty();
}

} // namespace kvx
