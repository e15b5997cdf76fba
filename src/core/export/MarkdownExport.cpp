#include "export/MarkdownExport.h"

#include "export/ExportRows.h"

namespace kvx {

namespace {

// Markup anywhere in a line: emphasis, code, links, raw HTML, entities,
// strike-through, and the escape itself.
bool inlineMarkup(QChar c)
{
    switch (c.unicode()) {
    case u'\\':
    case u'`':
    case u'*':
    case u'_':
    case u'[':
    case u']':
    case u'<':
    case u'>':
    case u'&':
    case u'~':
        return true;
    default:
        return false;
    }
}

// Markup at the start of an item's text: a heading, a nested list, a rule.
bool blockMarkup(QChar c)
{
    return c == u'#' || c == u'+' || c == u'-' || c == u'=';
}

// The position of the "." or ")" that would make the text start an ordered
// list ("1. x", "12)"), or -1.
qsizetype orderedListMarker(const QString& text)
{
    qsizetype digits = 0;
    while (digits < text.size() && digits < 10 && text.at(digits).isDigit() &&
           text.at(digits).unicode() < 0x80)
        ++digits;
    if (digits == 0 || digits > 9 || digits == text.size())
        return -1;
    const QChar mark = text.at(digits);
    if (mark != u'.' && mark != u')')
        return -1;
    return digits + 1 == text.size() || text.at(digits + 1).isSpace() ? digits : -1;
}

void appendEscaped(QString& out, const QString& text)
{
    // Blanks at either end would be dropped, or turn the text into code or
    // stop the bold markers from taking effect: they go as numeric references.
    qsizetype begin = 0, end = text.size();
    while (begin < end && text.at(begin).isSpace())
        ++begin;
    while (end > begin && text.at(end - 1).isSpace())
        --end;
    const qsizetype marker = orderedListMarker(text);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (i < begin || i >= end) {
            out += QStringLiteral("&#%1;").arg(c.unicode());
            continue;
        }
        if (inlineMarkup(c) || (i == 0 && blockMarkup(c)) || i == marker)
            out += u'\\';
        out += c;
    }
}

} // namespace

QByteArray markdownExport(const ExportRows& rows)
{
    QString out;
    out.reserve(qsizetype(rows.rows.size()) * 40);
    for (const ExportRow& row : rows.rows) {
        out.resize(out.size() + 2 * row.depth, u' ');
        if (row.text.isEmpty()) {
            // A bare "-" under a row would turn that row into a heading.
            out += QLatin1StringView("- <!---->\n");
            continue;
        }
        const QLatin1StringView bold = row.bold ? QLatin1StringView("**") : QLatin1StringView();
        out += QLatin1StringView("- ");
        out += bold;
        appendEscaped(out, row.text);
        out += bold;
        out += u'\n';
    }
    return out.toUtf8();
}

} // namespace kvx
