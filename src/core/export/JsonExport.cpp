#include "export/JsonExport.h"

#include "export/ExportRows.h"

namespace kvx {

namespace {

void appendString(QString& out, const QString& text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    out += u'"';
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'"' || u == u'\\') {
            out += u'\\';
            out += c;
        } else if (u < 0x20 || u == 0x2028 || u == 0x2029) {
            // Line and paragraph separators too, which end a line in a script.
            out += QLatin1StringView("\\u");
            for (int shift = 12; shift >= 0; shift -= 4)
                out += QLatin1Char(kHex[(u >> shift) & 0xF]);
        } else {
            out += c;
        }
    }
    out += u'"';
}

} // namespace

QByteArray jsonExport(const ExportRows& rows)
{
    QString out;
    out.reserve(qsizetype(rows.rows.size()) * 160 + 100);
    out += QLatin1StringView("{\n  \"title\": ");
    appendString(out, rows.title);
    out += QStringLiteral(",\n  \"columns\": %1,\n  \"lines\": %2,\n  \"rows\": [")
               .arg(rows.columns)
               .arg(rows.lines);
    bool first = true;
    for (const ExportRow& row : rows.rows) {
        out += first ? QLatin1StringView("\n    {\"depth\": ")
                     : QLatin1StringView(",\n    {\"depth\": ");
        first = false;
        out += QString::number(row.depth);
        out += QLatin1StringView(", \"text\": ");
        appendString(out, row.text);
        out += QLatin1StringView(", \"kind\": \"");
        out += kindName(row.kind);
        out += QLatin1StringView("\", \"path\": ");
        appendString(out, row.path);
        out += row.bold ? QLatin1StringView(", \"bold\": true")
                        : QLatin1StringView(", \"bold\": false");
        out += QLatin1StringView(", \"color\": \"");
        out += colourName(row.color);
        out += QLatin1StringView("\", \"background\": \"");
        out += colourName(row.background);
        out += QLatin1StringView("\"}");
    }
    out += rows.rows.empty() ? QLatin1StringView("]\n}\n") : QLatin1StringView("\n  ]\n}\n");
    return out.toUtf8();
}

} // namespace kvx
