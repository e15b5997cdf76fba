#pragma once

#include "export/ExportFormat.h"

#include <QByteArray>
#include <optional>

namespace kvx {

class PdfPrinting;
class Workspace;

// The --export of a run: the workspace's shown rows in the format asked for,
// system colours as a standard desktop shows them (a run has no window to
// ask). HTML takes its pictures from `drawing`; none without it.
[[nodiscard]] std::optional<QByteArray> exportOfRun(const Workspace& workspace, ExportFormat format,
                                                    PdfPrinting* drawing);

} // namespace kvx
