#pragma once

#include <QByteArray>

namespace kvx {

struct ExportRows;

// One JSON object, UTF-8: {"title", "columns", "lines", "rows": [ one object
// per row: depth, text, kind, path, bold, color, background ]}, a row a line.
[[nodiscard]] QByteArray jsonExport(const ExportRows& rows);

} // namespace kvx
