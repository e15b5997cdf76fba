#pragma once

#include "print/PrintTarget.h"

#include <QPrinter>

class QWidget;

namespace kvx {

class DialogService;
class JacketPage;
class MessageTexts;

enum class PrintResult {
    Printed,
    NothingToPrint, // the tree shows no row
    PrinterFailed,  // the printer could not start or finish the page
    Busy,           // another print is running
    Cancelled,      // the user chose no file
};

// The program's one printer for the session, and the print commands around
// it: the system's default printer when one is installed, otherwise a PDF
// file the user names; what the user chooses in "Propriétés" holds for later
// prints and previews. Questions and messages go through the window's dialog
// service, boxes titled "KVX".
class JacketPrinter
{
public:
    JacketPrinter();

    // Prints the page, in colour or grey whatever the printer's own setting,
    // and tells the user how it went. A second call while a print runs does
    // nothing and returns Busy.
    PrintResult print(const JacketPage& page, bool colour, DialogService& dialogs,
                      const MessageTexts& texts);
    // The preview of the page on the printer's paper, modal to `owner`,
    // saying how many rows are left out. True when the user asks to print
    // it from there. An empty tree is only said to be empty.
    [[nodiscard]] bool preview(const JacketPage& page, const QString& printCaption,
                               DialogService& dialogs, const MessageTexts& texts, QWidget* owner);
    // "Propriétés": the printer or PDF file to print to, and Qt's page
    // set-up for it, modal to `owner`. A cancel puts everything back.
    void showProperties(DialogService& dialogs, const MessageTexts& texts, QWidget* owner);

    [[nodiscard]] QPrinter& printer() { return m_printer; }
    [[nodiscard]] bool printing() const { return m_printing; }

private:
    // Where a print would go now, given the system's printers.
    [[nodiscard]] PrintTarget target() const;
    // Readies the printer for the target; false when a PDF file must be named.
    bool useTarget(const PrintTarget& to);
    [[nodiscard]] bool usePrinterOrAskFile(DialogService& dialogs, const MessageTexts& texts,
                                           QString* pdfFile);

    QPrinter m_printer{QPrinter::HighResolution};
    bool m_printing = false;
    bool m_pdfChosenByUser = false;
};

} // namespace kvx
