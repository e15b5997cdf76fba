#include "print/PdfJacket.h"

#include "doc/TreeViewAppearance.h"
#include "lang/MessageTexts.h"
#include "lang/TotalsText.h"
#include "export/HtmlExport.h"
#include "print/JacketPage.h"
#include "tree/CategoryIcons.h"
#include "tree/ImageList.h"
#include "util/FileReplacement.h"
#include "util/ProgramFolders.h"
#include "workspace/Workspace.h"

#include <QFile>
#include <QPdfWriter>

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
    RowAppearance look = RowAppearanceOf(workspace.settings);
    look.colour = workspace.appearance.colour;
    // In the program's own language, which a run without the window keeps.
    look.suffix = [&workspace, texts = MessageTexts()](const Node& node) {
        return totalSuffix(workspace.totals, node, texts);
    };
    const JacketPage page(workspace.tree(), *m_pictures, look, workspace.jacket,
                          workspace.jacket.capacity(),
                          CoverPrint::of(workspace.cover, workspace.tree()));
    if (page.rowCount() < 1) {
        result.error = QStringLiteral("the tree is empty: nothing to print");
        return result;
    }
    const Paper paper = workspace.appearance.paper;
    const std::optional<SheetPlacement> placed = PlaceOnPaper(*page.cover().cover, paper);
    if (!placed) {
        result.error = QStringLiteral("the template \"%1\" does not fit on %2 paper")
                           .arg(QLatin1String(page.cover().cover->name), PaperName(paper));
        return result;
    }
    // The page a printer without settings of its own gives the window's
    // print to a PDF file: margins of 10 points, 1200 dpi; turned as the
    // template needs.
    QPdfWriter writer(file.temporaryPath());
    writer.setPageLayout(QPageLayout(
        QPageSize(paper == Paper::Letter ? QPageSize::Letter : QPageSize::A4),
        placed->turn == SheetTurn::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
        QMarginsF(10, 10, 10, 10), QPageLayout::Point));
    writer.setResolution(1200);
    writer.setTitle(QString::fromLatin1(JacketPage::DocumentName));
    if (!page.print(writer)) {
        result.error =
            QStringLiteral("cannot write %1: the PDF could not be made").arg(file.target());
        return result;
    }
    if (!completePdf(file.temporaryPath())) {
        // One more write of our own meets the reason the writer met.
        result.error =
            QStringLiteral("cannot write %1: %2")
                .arg(file.target(), file.write("\n") ? QStringLiteral("the PDF came out incomplete")
                                                     : file.errorString());
        return result;
    }
    result.printed = page.printedRows();
    result.leftOut = page.rowCount() - result.printed;
    return result;
}

} // namespace kvx
