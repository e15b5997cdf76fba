#include "print/JacketPrinter.h"

#include "dialogs/DialogService.h"
#include "tree/DisplayOrder.h"

#include <QDir>
#include <QPrintDialog>
#include <QPrinterInfo>

namespace kvx {

namespace {
const char* const EmptyTreeMessage = "L'arbre est vide : il n'y a rien à imprimer.";

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

// Readies the printer: the user's PDF file, the chosen or default system
// printer, or a PDF file asked for now (then named in *pdfFile).
bool JacketPrinter::usePrinterOrAskFile(DialogService& dialogs, QString* pdfFile)
{
    const PrintTarget to = target();
    switch (to.kind) {
    case PrintTarget::Kind::UserPdf:
        *pdfFile = to.name;
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
    const QString file =
        dialogs.ShowSave(QStringLiteral("Document PDF (*.pdf)|*.pdf"),
                         QStringLiteral("Enregistrer la jaquette"), QDir::homePath());
    if (file.isEmpty())
        return false;
    m_printer.setOutputFormat(QPrinter::PdfFormat);
    m_printer.setOutputFileName(file);
    *pdfFile = file;
    return true;
}

PrintResult JacketPrinter::print(JacketSource& source, DialogService& dialogs)
{
    if (m_printing)
        return PrintResult::Busy;
    m_printing = true;
    struct Done
    {
        bool& flag;
        ~Done() { flag = false; }
    } done{m_printing};

    if (CountVisibleNodes(source.tree) < 1) {
        warn(dialogs, QString::fromUtf8(EmptyTreeMessage));
        return PrintResult::NothingToPrint;
    }
    QString pdfFile;
    if (!usePrinterOrAskFile(dialogs, &pdfFile))
        return PrintResult::Cancelled;

    const PrintResult result = PrintJacket(m_printer, source);
    switch (result) {
    case PrintResult::Printed:
        if (!pdfFile.isEmpty())
            dialogs.MsgBox(
                QStringLiteral("La jaquette a été enregistrée dans le fichier :\n%1").arg(pdfFile),
                QStringLiteral("KVX"), MessageIcon::Information);
        break;
    case PrintResult::NothingToPrint:
        warn(dialogs, QString::fromUtf8(EmptyTreeMessage));
        break;
    case PrintResult::PrinterFailed:
        warn(dialogs,
             pdfFile.isEmpty()
                 ? QStringLiteral("L'impression a échoué : l'imprimante « %1 » n'a pas pu "
                                  "imprimer la jaquette.")
                       .arg(m_printer.printerName())
                 : QStringLiteral("L'impression a échoué : impossible d'écrire le fichier\n%1")
                       .arg(pdfFile));
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
