#pragma once

#include <QByteArray>

namespace kvx {

struct ExportRows;

// RFC 4180, UTF-8: the header line "depth,text,kind,path,bold,color,background",
// then one line per row, lines ended by CR LF; a field holding a comma, a
// quotation mark or a line break, or with a blank at either end, is quoted.
[[nodiscard]] QByteArray csvExport(const ExportRows& rows);

} // namespace kvx
