#include "export/JsonExport.h"

#include "export/ExportRows.h"

#include <algorithm>

namespace kvx {

namespace {

void appendString(QByteArray& out, const QString& text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    out += u'"';
    const auto plain = [](QChar c) {
        const char16_t u = c.unicode();
        return u >= 0x20 && u != u'"' && u != u'\\' && u != 0x2028 && u != 0x2029;
    };
    if (std::all_of(text.cbegin(), text.cend(), plain)) {
        out += text.toUtf8();
        out += u'"';
        return;
    }
    QString escaped;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'"' || u == u'\\') {
            escaped += u'\\';
            escaped += c;
        } else if (u < 0x20 || u == 0x2028 || u == 0x2029) {
            // Line and paragraph separators too, which end a line in a script.
            escaped += QLatin1StringView("\\u");
            for (int shift = 12; shift >= 0; shift -= 4)
                escaped += QLatin1Char(kHex[(u >> shift) & 0xF]);
        } else {
            escaped += c;
        }
    }
    out += escaped.toUtf8();
    out += u'"';
}

} // namespace

QByteArray jsonExport(const ExportRows& rows)
{
    QByteArray out;
    out.reserve(qsizetype(rows.rows.size()) * 200 + 100);
    out += "{\n  \"title\": ";
    appendString(out, rows.title);
    out += QStringLiteral(",\n  \"columns\": %1,\n  \"lines\": %2,\n  \"rows\": [")
               .arg(rows.columns)
               .arg(rows.lines)
               .toUtf8();
    bool first = true;
    for (const ExportRow& row : rows.rows) {
        out += first ? QByteArrayView("\n    {\"depth\": ") : QByteArrayView(",\n    {\"depth\": ");
        first = false;
        out += QByteArray::number(row.depth);
        out += QByteArrayView(", \"text\": ");
        appendString(out, row.text);
        out += QByteArrayView(", \"kind\": \"");
        out += kindName(row.kind).latin1();
        out += QByteArrayView("\", \"path\": ");
        appendString(out, row.path);
        out += row.bold ? QByteArrayView(", \"bold\": true") : QByteArrayView(", \"bold\": false");
        out += QByteArrayView(", \"color\": \"");
        out += colourName(row.color).toLatin1();
        out += QByteArrayView("\", \"background\": \"");
        out += colourName(row.background).toLatin1();
        out += '"';
        if (row.total) {
            out += ", \"files\": " + QByteArray::number(row.total->files);
            out += ", \"bytes\": " + QByteArray::number(row.total->bytes);
        }
        out += '}';
    }
    out += rows.rows.empty() ? QByteArrayView("]\n}\n") : QByteArrayView("\n  ]\n}\n");
    return out;
}

} // namespace kvx
