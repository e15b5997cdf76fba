#include "export/CsvExport.h"

#include "export/ExportRows.h"

namespace kvx {

namespace {

void appendField(QByteArray& out, const QString& text)
{
    const bool quoted = text.contains(u',') || text.contains(u'"') || text.contains(u'\n') ||
                        text.contains(u'\r') || text.startsWith(u' ') || text.endsWith(u' ');
    if (!quoted) {
        out += text.toUtf8();
        return;
    }
    out += '"';
    out += text.toUtf8().replace('"', "\"\"");
    out += '"';
}

} // namespace

QByteArray csvExport(const ExportRows& rows)
{
    QByteArray out;
    out.reserve(qsizetype(rows.rows.size()) * 120 + 50);
    // The totals' columns only where there are totals: other exports stay as they were.
    out += rows.totals ? "depth,text,kind,path,bold,color,background,files,bytes\r\n"
                       : "depth,text,kind,path,bold,color,background\r\n";
    for (const ExportRow& row : rows.rows) {
        out += QByteArray::number(row.depth);
        out += ',';
        appendField(out, row.text);
        out += ',';
        out += kindName(row.kind).latin1();
        out += ',';
        appendField(out, row.path);
        out += row.bold ? ",true," : ",false,";
        out += colourName(row.color).toLatin1();
        out += ',';
        out += colourName(row.background).toLatin1();
        if (row.total)
            out += ',' + QByteArray::number(row.total->files) + ',' +
                   QByteArray::number(row.total->bytes);
        else if (rows.totals)
            out += ",,";
        out += "\r\n";
    }
    return out;
}

} // namespace kvx
