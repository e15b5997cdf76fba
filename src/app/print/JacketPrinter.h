#pragma once

#include "print/PrintJacket.h"
#include "print/PrintTarget.h"

#include <QPrinter>

class QWidget;

namespace kvx {

class DialogService;
class MessageTexts;

// The program's one printer for the session, and the print command around it:
// the system's default printer when one is installed, otherwise a PDF file the
// user names; what the user sets in the print dialog holds for later prints.
// Questions and messages go through the window's dialog service, boxes
// titled "KVX".
class JacketPrinter
{
public:
    JacketPrinter();

    // Prints and tells the user how it went. A second call while a print runs
    // (from the event loop it yields to) does nothing and returns Busy.
    PrintResult print(JacketSource& source, DialogService& dialogs, const MessageTexts& texts);
    // Qt's print preview of the jacket on the printer, modal to `owner`: the
    // page as print() prints it, drawn by the same code. From there the user
    // prints it, or saves it as a PDF file. An empty tree is only said to be
    // empty; a call while a print runs does nothing.
    void preview(JacketSource& source, DialogService& dialogs, const MessageTexts& texts,
                 QWidget* owner);
    // Qt's print dialog on the printer, modal to `owner`; cancelling changes
    // nothing. With no usable printer nothing happens.
    void showProperties(QWidget* owner);

    [[nodiscard]] QPrinter& printer() { return m_printer; }
    [[nodiscard]] bool printing() const { return m_printing; }

    // The document name, which also names the file a PDF print queue writes.
    static constexpr const char* DocumentName = "KVX jaquette";

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
