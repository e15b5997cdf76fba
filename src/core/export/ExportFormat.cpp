#include "export/ExportFormat.h"

#include "export/CsvExport.h"
#include "export/JsonExport.h"
#include "export/MarkdownExport.h"

#include <QFileInfo>
#include <array>

namespace kvx {

namespace {

struct FormatEntry
{
    ExportFormat format;
    const char* name;        // on the command line, and the extension
    const char* description; // in the file dialog
};

constexpr std::array<FormatEntry, 4> kFormats{{
    {ExportFormat::Json, "json", "JSON"},
    {ExportFormat::Csv, "csv", "CSV"},
    {ExportFormat::Html, "html", "HTML"},
    {ExportFormat::Markdown, "md", "Markdown"},
}};

} // namespace

QLatin1StringView exportFormatName(ExportFormat format)
{
    return QLatin1StringView(kFormats.at(size_t(format)).name);
}

std::optional<ExportFormat> exportFormatNamed(const QString& name)
{
    for (const FormatEntry& entry : kFormats) {
        if (name == QLatin1StringView(entry.name))
            return entry.format;
    }
    return std::nullopt;
}

std::optional<ExportFormat> exportFormatOfFile(const QString& path)
{
    return exportFormatNamed(QFileInfo(path).suffix().toLower());
}

std::optional<QByteArray> textExport(ExportFormat format, const ExportRows& rows)
{
    switch (format) {
    case ExportFormat::Json:
        return jsonExport(rows);
    case ExportFormat::Csv:
        return csvExport(rows);
    case ExportFormat::Markdown:
        return markdownExport(rows);
    case ExportFormat::Html:
        break;
    }
    return std::nullopt;
}

QString exportDialogFilter()
{
    QString filter;
    for (const FormatEntry& entry : kFormats)
        filter += QStringLiteral("%1|*.%2|")
                      .arg(QLatin1StringView(entry.description), QLatin1StringView(entry.name));
    filter.chop(1);
    return filter;
}

} // namespace kvx
