#include "export/HtmlExport.h"

#include "export/ExportRows.h"
#include "tree/ImageList.h"

#include <QBuffer>
#include <QImage>
#include <map>

namespace kvx {

namespace {

// Text and attribute values: markup characters as references, characters
// XML cannot hold (lone surrogates, U+FFFE, U+FFFF; the rows hold no control
// characters) as U+FFFD.
void appendEscaped(QString& out, const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        switch (c.unicode()) {
        case u'&':
            out += QLatin1StringView("&amp;");
            continue;
        case u'<':
            out += QLatin1StringView("&lt;");
            continue;
        case u'>':
            out += QLatin1StringView("&gt;");
            continue;
        case u'"':
            out += QLatin1StringView("&quot;");
            continue;
        case 0xFFFE:
        case 0xFFFF:
            out += QChar::ReplacementCharacter;
            continue;
        default:
            break;
        }
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out += c;
            out += text.at(++i);
        } else if (c.isSurrogate() || (c.unicode() < 0x20 && c != u'\t')) {
            out += QChar::ReplacementCharacter;
        } else {
            out += c;
        }
    }
}

QString pngDataUri(const QPixmap& picture)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.toImage().save(&buffer, "PNG");
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
}

// One CSS class per picture the rows show, by its position in the image list.
QString pictureClasses(const ExportRows& rows, const ImageList& pictures,
                       std::map<int, bool>& drawn)
{
    QString css;
    for (const ExportRow& row : rows.rows) {
        if (row.picture <= 0 || drawn.count(row.picture))
            continue;
        const QPixmap picture = pictures.picture(row.picture);
        drawn[row.picture] = !picture.isNull();
        if (!picture.isNull())
            css += QStringLiteral(".p%1 { background-image: url(%2); }\n")
                       .arg(row.picture)
                       .arg(pngDataUri(picture));
    }
    return css;
}

void appendRow(QString& out, const ExportRow& row, const std::map<int, bool>& drawn)
{
    out += QLatin1StringView("<li class=\"");
    out += kindName(row.kind);
    out += QLatin1StringView("\">");
    if (row.picture > 0 && drawn.at(row.picture))
        out += QStringLiteral("<span class=\"p p%1\"></span>").arg(row.picture);
    out += row.bold ? QLatin1StringView("<span class=\"t b\" title=\"")
                    : QLatin1StringView("<span class=\"t\" title=\"");
    appendEscaped(out, row.path);
    out += QLatin1StringView("\" style=\"color: ");
    out += colourName(row.color);
    out += QLatin1StringView("; background-color: ");
    out += colourName(row.background);
    out += QLatin1StringView("\">");
    appendEscaped(out, row.text);
    out += QLatin1StringView("</span>");
}

} // namespace

QByteArray htmlExport(const ExportRows& rows, const ImageList& pictures)
{
    std::map<int, bool> drawn;
    const QString css = pictureClasses(rows, pictures, drawn);

    QString out;
    out.reserve(qsizetype(rows.rows.size()) * 200 + css.size() + 1000);
    out += QLatin1StringView("<!DOCTYPE html>\n"
                             "<html xmlns=\"http://www.w3.org/1999/xhtml\">\n"
                             "<head>\n"
                             "<meta charset=\"UTF-8\" />\n"
                             "<title>");
    appendEscaped(out, rows.title);
    out += QLatin1StringView("</title>\n<style>\n");
    out += QStringLiteral("body { margin: 8px; background-color: %1; color: #000000;"
                          " font: 13px/18px sans-serif; }\n")
               .arg(colourName(rows.viewBackground));
    out += QLatin1StringView(
        "ul { list-style: none; margin: 0; padding: 0; }\n"
        "ul ul { padding-left: 19px; }\n"
        ".t { white-space: pre; padding: 0 2px; }\n"
        ".b { font-weight: bold; }\n"
        ".p { display: inline-block; width: 16px; height: 16px; margin-right: 3px;"
        " vertical-align: -3px; background-repeat: no-repeat; }\n");
    out += css;
    out += QLatin1StringView("</style>\n</head>\n<body>\n<ul>");

    // Levels deeper by more than one (never in display order) open one list
    // each, so the page stays well-formed whatever it is given.
    int level = -1;
    for (const ExportRow& row : rows.rows) {
        const int depth = qBound(0, row.depth, level + 1);
        if (level >= 0 && depth > level) {
            out += QLatin1StringView("\n<ul>");
        } else if (level >= 0) {
            out += QLatin1StringView("</li>");
            for (; level > depth; --level)
                out += QLatin1StringView("\n</ul></li>");
        }
        level = depth;
        out += u'\n';
        appendRow(out, row, drawn);
    }
    if (level >= 0)
        out += QLatin1StringView("</li>");
    for (; level > 0; --level)
        out += QLatin1StringView("\n</ul></li>");
    out += QLatin1StringView("\n</ul>\n</body>\n</html>\n");
    return out.toUtf8();
}

QByteArray exportBytes(ExportFormat format, const ExportRows& rows, const ImageList& pictures)
{
    if (auto text = textExport(format, rows))
        return *std::move(text);
    return htmlExport(rows, pictures);
}

} // namespace kvx
