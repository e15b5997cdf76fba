#include "doc/FieldEncoding.h"

namespace kvx {

namespace {

void appendEscape(QString& out, QChar c)
{
    out += u'%';
    out += QString::number(c.unicode(), 16).toUpper().rightJustified(2, u'0');
}

int hexValue(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    return -1;
}

} // namespace

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f';
}

QString encodeField(const QString& field)
{
    QString out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const QChar c = field.at(i);
        if (c == u'%' || c == u'|' || c == u'\r' || c == u'\n' || (i == 0 && isBlank(c)))
            appendEscape(out, c);
        else
            out += c;
    }
    return out;
}

QString decodeField(QStringView field)
{
    if (!field.contains(u'%'))
        return field.toString();
    QString out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field.at(i) == u'%' && i + 2 < field.size()) {
            const int high = hexValue(field.at(i + 1));
            const int low = hexValue(field.at(i + 2));
            if (high >= 0 && high < 8 && low >= 0) {
                out += QChar(char16_t(high * 16 + low));
                i += 2;
                continue;
            }
        }
        out += field.at(i);
    }
    return out;
}

} // namespace kvx
