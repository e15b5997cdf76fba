#include "cli/ExportStep.h"

#include "cli/PdfPrinting.h"
#include "export/ExportRows.h"

namespace kvx {

std::optional<QByteArray> exportOfRun(const Workspace& workspace, ExportFormat format,
                                      PdfPrinting* drawing)
{
    const ExportRows rows = collectExportRows(workspace, SystemColourTable::standard());
    if (auto text = textExport(format, rows))
        return text;
    if (!drawing)
        return std::nullopt;
    return drawing->htmlPage(rows);
}

} // namespace kvx
