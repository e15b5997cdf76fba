#include "print/PdfJacket.h"

#include "print/FolderPictures.h"
#include "print/JacketLayout.h"
#include "print/JacketTreeView.h"
#include "print/PrintJacket.h"
#include "print/PrintTreeModel.h"
#include "util/ProcessEventsPump.h"

#include <QPrinter>
#include <QTreeView>

namespace kvx {

QString PrintJacketToPdf(NodeTree& tree, const QString& file, const PdfJacketOptions& options)
{
    if (options.blackAndWhiteFolders)
        SetFolderPictures(tree, true);

    PrintTreeModel model(tree);
    QTreeView view;
    SetUpJacketTreeView(view);
    view.setModel(&model);
    model.applyExpansion(view);

    JacketLayout layout;
    layout.chooseLines(options.lines);
    layout.chooseColumnOption(qint16(12 / options.columns), options.columns);

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setDocName(QStringLiteral("KVX"));

    ProcessEventsPump pump;
    JacketSource source{tree, view, pump, nullptr, layout, layout.capacity(), options.colour};
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
