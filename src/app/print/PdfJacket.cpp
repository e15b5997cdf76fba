#include "print/PdfJacket.h"

#include "app/CategoryIcons.h"
#include "print/FolderPictures.h"
#include "print/JacketLayout.h"
#include "print/JacketPrinter.h"
#include "print/JacketView.h"
#include "print/PrintJacket.h"
#include "tree/IconFolder.h"
#include "tree/ImageList.h"
#include "util/ProcessEventsPump.h"
#include "util/ProgramFolders.h"

#include <QPrinter>

namespace kvx {

QString PrintJacketToPdf(NodeTree& tree, const QString& file, const PdfJacketOptions& options)
{
    if (options.blackAndWhiteFolders)
        SetFolderPictures(tree, true);

    // The window's pictures: a broken icon folder leaves out what the window
    // would leave out too.
    ImageList pictures;
    (void)loadCategoryIcons(programIconFolder(), pictures);
    JacketView shown(tree, pictures);

    JacketLayout layout;
    layout.chooseLines(options.lines);
    layout.chooseColumnOption(qint16(12 / options.columns), options.columns);

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setDocName(QString::fromLatin1(JacketPrinter::DocumentName));

    ProcessEventsPump pump;
    JacketSource source{tree,   shown.view(),      pump,          nullptr,
                        layout, layout.capacity(), options.colour};
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
