#include "print/PdfJacket.h"

#include "export/HtmlExport.h"
#include "print/JacketPrinter.h"
#include "print/JacketView.h"
#include "print/PrintJacket.h"
#include "tree/CategoryIcons.h"
#include "tree/DisplayOrder.h"
#include "tree/ImageList.h"
#include "util/FileReplacement.h"
#include "util/ProgramFolders.h"
#include "workspace/Workspace.h"

#include <QFile>
#include <QPrinter>

namespace kvx {

namespace {

// The printer ignores failed writes (a full disc): a complete PDF ends with
// its end-of-file marker.
bool completePdf(const QString& path)
{
    constexpr qint64 kTail = 16;
    QFile pdf(path);
    if (!pdf.open(QIODevice::ReadOnly) || pdf.size() < kTail || !pdf.seek(pdf.size() - kTail))
        return false;
    return pdf.read(kTail).trimmed().endsWith("%%EOF");
}

} // namespace

PdfJacket::PdfJacket() = default;
PdfJacket::~PdfJacket() = default;

QString PdfJacket::loadPictures(Workspace& workspace)
{
    m_pictures = std::make_unique<ImageList>(workspace.images());
    const auto error = loadCategoryIcons(programIconFolder(), *m_pictures);
    return error ? error->description : QString();
}

QByteArray PdfJacket::htmlPage(const ExportRows& rows)
{
    return htmlExport(rows, *m_pictures);
}

PdfJacketResult PdfJacket::print(Workspace& workspace, FileReplacement& file)
{
    PdfJacketResult result;
    if (!file.createTemporary()) {
        result.error = QStringLiteral("cannot write %1: %2").arg(file.target(), file.errorString());
        return result;
    }
    JacketView shown(workspace.tree(), *m_pictures, workspace.settings);

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file.temporaryPath());
    printer.setDocName(QString::fromLatin1(JacketPrinter::DocumentName));

    const qint32 capacity = workspace.jacket.capacity();
    JacketSource source{workspace.tree(), shown.view(), workspace.pump(),           nullptr,
                        workspace.jacket, capacity,     workspace.appearance.colour};
    switch (PrintJacket(printer, source)) {
    case PrintResult::Printed: {
        if (!completePdf(file.temporaryPath())) {
            // One more write of our own meets the reason the printer's met.
            result.error = QStringLiteral("cannot write %1: %2")
                               .arg(file.target(),
                                    file.write("\n") ? QStringLiteral("the PDF came out incomplete")
                                                     : file.errorString());
            break;
        }
        const int rows = CountVisibleNodes(workspace.tree());
        result.printed = qMin(rows, capacity);
        result.leftOut = rows - result.printed;
        break;
    }
    case PrintResult::NothingToPrint:
        result.error = QStringLiteral("the tree is empty: nothing to print");
        break;
    default:
        result.error =
            QStringLiteral("cannot write %1: the PDF could not be made").arg(file.target());
        break;
    }
    return result;
}

} // namespace kvx
