#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace kvx {

struct ExportRows;

enum class ExportFormat { Json, Csv, Html, Markdown };

// The format's name on the command line, which is also its file extension:
// "json", "csv", "html", "md".
[[nodiscard]] QLatin1StringView exportFormatName(ExportFormat format);
// The format of a name given to --format; none for another name.
[[nodiscard]] std::optional<ExportFormat> exportFormatNamed(const QString& name);
// The format a file's extension names, in any letter case; none for another.
[[nodiscard]] std::optional<ExportFormat> exportFormatOfFile(const QString& path);

// The export in one of the formats written from the rows alone (JSON, CSV,
// Markdown); none for HTML, whose pictures are drawn.
[[nodiscard]] std::optional<QByteArray> textExport(ExportFormat format, const ExportRows& rows);

// The filter of the export dialog: one entry per format, in the order of
// ExportFormat ("JSON|*.json|CSV|*.csv|...").
[[nodiscard]] QString exportDialogFilter();

} // namespace kvx
