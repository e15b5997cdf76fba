#pragma once

#include <QByteArray>

namespace kvx {

struct ExportRows;

// A nested list, UTF-8: "- " and the row's text, two blanks of indent per
// depth, bold as **...**. The text reads back as it is, whatever it holds:
// characters Markdown would take for markup are escaped; an empty text is an
// empty comment.
[[nodiscard]] QByteArray markdownExport(const ExportRows& rows);

} // namespace kvx
