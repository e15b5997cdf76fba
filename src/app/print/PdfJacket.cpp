#include "print/PdfJacket.h"

#include "print/JacketPrinter.h"
#include "print/JacketView.h"
#include "print/PrintJacket.h"
#include "workspace/Workspace.h"

#include <QPrinter>

namespace kvx {

QString PrintJacketToPdf(Workspace& workspace, const ImageList& pictures, const QString& file)
{
    JacketView shown(workspace.tree(), pictures, workspace.settings);

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setDocName(QString::fromLatin1(JacketPrinter::DocumentName));

    JacketSource source{workspace.tree(),           shown.view(),
                        workspace.pump(),           nullptr,
                        workspace.jacket,           workspace.jacket.capacity(),
                        workspace.appearance.colour};
    switch (PrintJacket(printer, source)) {
    case PrintResult::Printed:
        return {};
    case PrintResult::NothingToPrint:
        return QStringLiteral("the tree is empty: nothing to print");
    default:
        return QStringLiteral("cannot write the PDF file: %1").arg(file);
    }
}

} // namespace kvx
