#include "export/CsvExport.h"

#include "export/ExportRows.h"

namespace kvx {

namespace {

void appendField(QString& out, const QString& text)
{
    const bool quoted = text.contains(u',') || text.contains(u'"') || text.contains(u'\n') ||
                        text.contains(u'\r') || text.startsWith(u' ') || text.endsWith(u' ');
    if (!quoted) {
        out += text;
        return;
    }
    out += u'"';
    for (const QChar c : text) {
        if (c == u'"')
            out += u'"';
        out += c;
    }
    out += u'"';
}

} // namespace

QByteArray csvExport(const ExportRows& rows)
{
    QString out;
    out.reserve(qsizetype(rows.rows.size()) * 100 + 50);
    out += QLatin1StringView("depth,text,kind,path,bold,color,background\r\n");
    for (const ExportRow& row : rows.rows) {
        out += QString::number(row.depth);
        out += u',';
        appendField(out, row.text);
        out += u',';
        out += kindName(row.kind);
        out += u',';
        appendField(out, row.path);
        out += row.bold ? QLatin1StringView(",true,") : QLatin1StringView(",false,");
        out += colourName(row.color);
        out += u',';
        out += colourName(row.background);
        out += QLatin1StringView("\r\n");
    }
    return out.toUtf8();
}

} // namespace kvx
