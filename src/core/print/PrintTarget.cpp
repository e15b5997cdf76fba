#include "print/PrintTarget.h"

namespace kvx {

PrintTarget ChoosePrintTarget(const QStringList& printers, const QString& defaultPrinter,
                              const QString& currentPrinter, const QString& userPdfFile)
{
    using Kind = PrintTarget::Kind;
    if (!userPdfFile.isEmpty())
        return {Kind::UserPdf, userPdfFile};
    if (printers.isEmpty())
        return {Kind::AskPdf, {}};
    for (const QString& name : {currentPrinter, defaultPrinter})
        if (!name.isEmpty() && printers.contains(name))
            return {Kind::Printer, name};
    return {Kind::Printer, printers.front()};
}

} // namespace kvx
