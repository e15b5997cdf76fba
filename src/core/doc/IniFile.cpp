#include "doc/IniFile.h"

#include "doc/TextDecoding.h"

#include <QFile>
#include <QFileInfo>

namespace kvx {

namespace {

// Larger files are not initialisation files anyone wrote: refuse them rather
// than exhaust memory (a full tree document stays far below this).
constexpr qint64 kMaxFileSize = qint64(1) << 30;
constexpr size_t kLargeSection = 1024;

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f';
}

bool isLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r';
}

// Narrows [from, to) to its part without surrounding blanks.
void trim(const QString& text, qsizetype& from, qsizetype& to)
{
    while (from < to && isBlank(text.at(from)))
        ++from;
    while (to > from && isBlank(text.at(to - 1)))
        --to;
}

// Names are nearly always ASCII: fold those without the Unicode tables.
QString folded(QStringView name)
{
    QString out(name.size(), Qt::Uninitialized);
    QChar* to = out.data();
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        if (u >= 0x80)
            return name.toString().toCaseFolded();
        *to++ = QChar(u >= u'A' && u <= u'Z' ? char16_t(u + 32) : u);
    }
    return out;
}

} // namespace

QString IniFile::foldName(QStringView name)
{
    return folded(name);
}

std::optional<IniFile> IniFile::load(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || info.size() > kMaxFileSize)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(kMaxFileSize + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > kMaxFileSize)
        return std::nullopt;
    return parse(bytes);
}

IniFile IniFile::parse(const QByteArray& bytes)
{
    return parse(decodeUtf8OrWindows1252(bytes));
}

IniFile IniFile::parse(const QString& text)
{
    IniFile ini;
    ini.m_text = text;
    Section* current = nullptr;
    bool reserved = false; // room made once, for the first large section
    const qsizetype end = text.size();
    qsizetype lineStart = 0;
    while (lineStart < end) {
        qsizetype lineEnd = lineStart;
        while (lineEnd < end && !isLineEnd(text.at(lineEnd)))
            ++lineEnd;
        qsizetype from = lineStart;
        qsizetype to = lineEnd;
        lineStart = lineEnd + 1;
        trim(text, from, to);
        if (from == to || text.at(from) == u';')
            continue;

        if (text.at(from) == u'[') {
            const qsizetype close = text.indexOf(u']', from + 1);
            current = nullptr;
            if (close < 0 || close >= to)
                continue; // a broken header opens no section
            qsizetype nameFrom = from + 1;
            qsizetype nameTo = close;
            trim(text, nameFrom, nameTo);
            current =
                &ini.m_sections[folded(QStringView(text).sliced(nameFrom, nameTo - nameFrom))];
            continue;
        }

        if (!current)
            continue;
        const qsizetype equals = text.indexOf(u'=', from);
        if (equals < 0 || equals >= to)
            continue;
        qsizetype keyFrom = from;
        qsizetype keyTo = equals;
        trim(text, keyFrom, keyTo);
        qsizetype valueFrom = equals + 1;
        qsizetype valueTo = to;
        trim(text, valueFrom, valueTo);
        if (valueTo - valueFrom >= 2) {
            const QChar first = text.at(valueFrom);
            if ((first == u'"' || first == u'\'') && text.at(valueTo - 1) == first) {
                ++valueFrom;
                --valueTo;
            }
        }
        // A section this large is a tree's nodes: make room for all the lines
        // left rather than rehashing as it grows.
        if (!reserved && current->size() >= kLargeSection) {
            reserved = true;
            current->reserve(current->size() + 1 +
                             size_t(QStringView(text).sliced(qMin(lineStart, end)).count(u'\n')));
        }
        const QString key = folded(QStringView(text).sliced(keyFrom, keyTo - keyFrom));
        current->try_emplace(key, Span{valueFrom, valueTo - valueFrom}); // the first one wins
    }
    return ini;
}

std::optional<QString> IniFile::find(QStringView section, QStringView key) const
{
    const auto s = m_sections.find(folded(section.trimmed()));
    if (s == m_sections.end())
        return std::nullopt;
    const auto e = s->second.find(folded(key.trimmed()));
    if (e == s->second.end())
        return std::nullopt;
    return m_text.sliced(e->second.from, e->second.size);
}

QString IniFile::value(QStringView section, QStringView key, const QString& defaultValue) const
{
    return find(section, key).value_or(defaultValue);
}

bool IniFile::hasSection(QStringView section) const
{
    return m_sections.count(folded(section.trimmed())) > 0;
}

} // namespace kvx
