#pragma once

#include <QString>
#include <QStringList>

namespace kvx {

// Where the next print goes.
struct PrintTarget
{
    enum class Kind {
        Printer, // the system printer `name`
        UserPdf, // the PDF file `name` the user chose in the print dialog
        AskPdf,  // no printer: ask the user for a PDF file, for this print only
    };
    Kind kind = Kind::AskPdf;
    QString name;

    friend bool operator==(const PrintTarget&, const PrintTarget&) = default;
};

// Chooses the target of a print. A PDF file the user chose in the print dialog
// (`userPdfFile`, empty when none) wins; otherwise, when the system has
// printers, the printer currently set if it is still installed, else the
// default printer, else the first one; with no printer, a file is asked for.
[[nodiscard]] PrintTarget ChoosePrintTarget(const QStringList& printers,
                                            const QString& defaultPrinter,
                                            const QString& currentPrinter,
                                            const QString& userPdfFile);

} // namespace kvx
