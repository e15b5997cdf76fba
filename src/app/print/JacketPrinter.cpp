#include "print/JacketPrinter.h"

#include "print/PrintPrompts.h"
#include "tree/DisplayOrder.h"

#include <QPrinterInfo>

namespace kvx {

namespace {
const char* const EmptyTreeMessage = "L'arbre est vide : il n'y a rien à imprimer.";
}

JacketPrinter::JacketPrinter(PrintPrompts& prompts) : m_prompts(prompts)
{
    m_printer.setDocName(QString::fromLatin1(DocumentName));
}

bool JacketPrinter::userChosePdf() const
{
    return m_pdfChosenByUser && m_printer.outputFormat() == QPrinter::PdfFormat &&
           !m_printer.outputFileName().isEmpty();
}

// Readies the printer: the user's PDF file, the chosen or default system
// printer, or a PDF file asked for now (then named in *pdfFile).
bool JacketPrinter::usePrinterOrAskFile(QString* pdfFile)
{
    if (userChosePdf()) {
        *pdfFile = m_printer.outputFileName();
        return true;
    }
    const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
    if (!printers.isEmpty()) {
        m_printer.setOutputFileName(QString());
        m_printer.setOutputFormat(QPrinter::NativeFormat);
        if (QPrinterInfo::printerInfo(m_printer.printerName()).isNull()) {
            const QPrinterInfo fallback = QPrinterInfo::defaultPrinter();
            m_printer.setPrinterName(fallback.isNull() ? printers.front().printerName()
                                                       : fallback.printerName());
        }
        return true;
    }
    const QString file = m_prompts.askPdfFileName();
    if (file.isEmpty())
        return false;
    m_printer.setOutputFormat(QPrinter::PdfFormat);
    m_printer.setOutputFileName(file);
    *pdfFile = file;
    return true;
}

PrintResult JacketPrinter::print(JacketSource& source)
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
        m_prompts.warn(QString::fromUtf8(EmptyTreeMessage));
        return PrintResult::NothingToPrint;
    }
    QString pdfFile;
    if (!usePrinterOrAskFile(&pdfFile))
        return PrintResult::Cancelled;

    const PrintResult result = PrintJacket(m_printer, source);
    switch (result) {
    case PrintResult::Printed:
        if (!pdfFile.isEmpty())
            m_prompts.inform(
                QStringLiteral("La jaquette a été enregistrée dans le fichier :\n%1").arg(pdfFile));
        break;
    case PrintResult::NothingToPrint:
        m_prompts.warn(QString::fromUtf8(EmptyTreeMessage));
        break;
    case PrintResult::PrinterFailed:
        m_prompts.warn(
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

void JacketPrinter::showProperties()
{
    if (m_printing)
        return;
    if (QPrinterInfo::availablePrinters().isEmpty() && !userChosePdf())
        return;
    if (m_prompts.editPrinter(m_printer))
        m_pdfChosenByUser = m_printer.outputFormat() == QPrinter::PdfFormat &&
                            !m_printer.outputFileName().isEmpty();
}

} // namespace kvx
