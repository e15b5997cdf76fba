#include "doc/IniFile.h"

#include "doc/TextDecoding.h"
#include "util/FileReplacement.h"

#include <QFile>
#include <QHashFunctions>
#include <QScopeGuard>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace kvx {

namespace {

// An index slot holds the line's first byte plus one (0 is a free slot) and
// this bit for a line read as Windows-1252.
constexpr quint32 kLatinBit = 0x80000000u;

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

bool isLineEnd(char c)
{
    return c == '\n' || c == '\r';
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

// Bytes of a line in its encoding.
QString decoded(QByteArrayView bytes, bool latin)
{
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    return latin ? decodeWindows1252(bytes) : QString::fromUtf8(bytes);
}

// The bytes of a name in the line's encoding, case-folded into `out`.
void foldName(QByteArrayView bytes, bool latin, QString& out)
{
    if (isAscii(bytes)) {
        out.resize(bytes.size());
        QChar* to = out.data();
        for (const char c : bytes)
            *to++ = QChar(char16_t(c >= 'A' && c <= 'Z' ? c + 32 : c));
        return;
    }
    out = folded(decoded(bytes, latin));
}

// One line of the file: where it lies and what it holds without the blanks
// around it; an entry's key and value, a header's name.
struct Line
{
    qsizetype start = 0;
    qsizetype end = 0; // its line end, or the end of the file
    qsizetype from = 0;
    qsizetype to = 0;

    enum Kind { Other, Header, BrokenHeader, Entry } kind = Other;
    qsizetype nameFrom = 0; // the key, or the section's name
    qsizetype nameTo = 0;
    qsizetype equals = 0; // an entry's "="
};

void trim(const char* text, qsizetype& from, qsizetype& to)
{
    while (from < to && isBlank(text[from]))
        ++from;
    while (to > from && isBlank(text[to - 1]))
        --to;
}

// Reads the line that starts at `start`.
Line lineAt(QByteArrayView text, qsizetype start)
{
    const char* d = text.data();
    Line line;
    line.start = start;
    line.end = start;
    while (line.end < text.size() && !isLineEnd(d[line.end]))
        ++line.end;
    line.from = start;
    line.to = line.end;
    trim(d, line.from, line.to);
    if (line.from == line.to || d[line.from] == ';')
        return line;
    if (d[line.from] == '[') {
        const char* close = static_cast<const char*>(
            std::memchr(d + line.from + 1, ']', size_t(line.to - line.from - 1)));
        line.kind = close ? Line::Header : Line::BrokenHeader;
        if (close) {
            line.nameFrom = line.from + 1;
            line.nameTo = close - d;
            trim(d, line.nameFrom, line.nameTo);
        }
        return line;
    }
    const char* equals =
        static_cast<const char*>(std::memchr(d + line.from, '=', size_t(line.to - line.from)));
    if (!equals)
        return line;
    line.kind = Line::Entry;
    line.equals = equals - d;
    line.nameFrom = line.from;
    line.nameTo = line.equals;
    trim(d, line.nameFrom, line.nameTo);
    return line;
}

// The key of the entry whose line starts at `start`, case-folded into `out`;
// the rest of the line, however long, is not looked at.
void foldKeyAt(QByteArrayView text, qsizetype start, bool latin, QString& out)
{
    qsizetype from = start;
    qsizetype to = start;
    while (text[to] != '=') // an entry's line holds one before its end
        ++to;
    trim(text.data(), from, to);
    foldName(text.sliced(from, to - from), latin, out);
}

bool readsAsLatin(QByteArrayView line)
{
    return !isAscii(line) && !isValidUtf8(line);
}

// Calls visit(line, latin) for every entry of the section, in file order.
template <typename Visit>
void forEachEntryLine(QByteArrayView text, qsizetype start, QStringView section, Visit&& visit)
{
    bool inside = false;
    QString name;
    for (qsizetype at = start; at < text.size();) {
        const Line line = lineAt(text, at);
        at = line.end + 1;
        if (line.kind == Line::Header || line.kind == Line::BrokenHeader) {
            inside = false;
            if (line.kind == Line::Header) {
                const QByteArrayView bytes = text.sliced(line.start, line.end - line.start);
                foldName(text.sliced(line.nameFrom, line.nameTo - line.nameFrom),
                         readsAsLatin(bytes), name);
                inside = name == section;
            }
        } else if (inside && line.kind == Line::Entry) {
            visit(line, readsAsLatin(text.sliced(line.start, line.end - line.start)));
        }
    }
}

} // namespace

std::optional<IniFile> IniFile::load(const QString& path, QString* error)
{
    const auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (path.isEmpty())
        return fail(systemErrorText(ENOENT));
    // Not held up by a pipe that nobody writes to.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(systemErrorText(errno));
    const auto closed = qScopeGuard([fd] { ::close(fd); });
    struct stat info;
    if (::fstat(fd, &info) != 0)
        return fail(systemErrorText(errno));
    if (S_ISDIR(info.st_mode))
        return fail(systemErrorText(EISDIR));
    if (!S_ISREG(info.st_mode))
        return fail(QStringLiteral("not a regular file"));
    if (info.st_size > MaxSize)
        return fail(QStringLiteral("larger than %1 MiB").arg(MaxSize >> 20));
    try {
        QByteArray bytes(qsizetype(info.st_size), Qt::Uninitialized);
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + done, size_t(bytes.size() - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return fail(systemErrorText(errno));
            if (n == 0)
                break; // it became shorter
            done += n;
        }
        bytes.truncate(done);
        return parse(std::move(bytes));
    } catch (const std::bad_alloc&) {
        return fail(QStringLiteral("out of memory"));
    }
}

IniFile IniFile::parse(QByteArray bytes)
{
    if (bytes.size() > MaxSize)
        bytes.truncate(MaxSize);
    IniFile ini;
    ini.m_bytes = utf16AsUtf8(std::move(bytes));
    if (ini.m_bytes.startsWith("\xef\xbb\xbf"))
        ini.m_start = 3;
    bool utf8 = false;
    bool latin = false;
    const QByteArrayView text(ini.m_bytes);
    for (qsizetype at = ini.m_start; at < text.size() && !(utf8 && latin);) {
        qsizetype end = at;
        while (end < text.size() && !isLineEnd(text[end]))
            ++end;
        const QByteArrayView line = text.sliced(at, end - at);
        if (!isAscii(line))
            (isValidUtf8(line) ? utf8 : latin) = true;
        at = end + 1;
    }
    ini.m_mixed = utf8 && latin;
    return ini;
}

const IniFile::Index& IniFile::indexOf(QStringView section) const
{
    for (const Index& index : m_indexes) {
        if (index.section == section)
            return index;
    }
    const QByteArrayView text(m_bytes);
    qsizetype entries = 0;
    forEachEntryLine(text, m_start, section, [&entries](const Line&, bool) { ++entries; });
    Index index{section.toString(), {}};
    size_t size = 8;
    while (size < size_t(entries + entries / 2 + 1))
        size *= 2;
    index.slots.assign(size, 0);
    QString key;
    QString other;
    forEachEntryLine(text, m_start, section, [&](const Line& line, bool latin) {
        foldName(text.sliced(line.nameFrom, line.nameTo - line.nameFrom), latin, key);
        size_t at = qHash(QStringView(key), QHashSeed::globalSeed()) & (size - 1);
        for (; index.slots[at]; at = (at + 1) & (size - 1)) {
            foldKeyAt(text, (index.slots[at] & ~kLatinBit) - 1, index.slots[at] & kLatinBit, other);
            if (other == key)
                return; // the first one wins
        }
        index.slots[at] = quint32(line.start + 1) | (latin ? kLatinBit : 0);
    });
    m_indexes.push_back(std::move(index));
    return m_indexes.back();
}

std::optional<QString> IniFile::find(QStringView section, QStringView key) const
{
    const QString wanted = folded(key.trimmed());
    const Index& index = indexOf(folded(section.trimmed()));
    const QByteArrayView text(m_bytes);
    const size_t mask = index.slots.size() - 1;
    QString name;
    for (size_t at = qHash(QStringView(wanted), QHashSeed::globalSeed()) & mask; index.slots[at];
         at = (at + 1) & mask) {
        const Entry entry{(index.slots[at] & ~kLatinBit) - 1, (index.slots[at] & kLatinBit) != 0};
        foldKeyAt(text, entry.line, entry.latin, name);
        if (name == wanted)
            return valueOf(entry);
    }
    return std::nullopt;
}

QString IniFile::value(QStringView section, QStringView key, const QString& defaultValue) const
{
    return find(section, key).value_or(defaultValue);
}

void IniFile::forEachEntry(QStringView section,
                           const std::function<void(QStringView key, Entry entry)>& visit) const
{
    const QByteArrayView text(m_bytes);
    QString key;
    forEachEntryLine(text, m_start, folded(section.trimmed()), [&](const Line& line, bool latin) {
        foldName(text.sliced(line.nameFrom, line.nameTo - line.nameFrom), latin, key);
        visit(key, Entry{quint32(line.start), latin});
    });
}

QByteArrayView IniFile::rawValue(Entry entry) const
{
    const QByteArrayView text(m_bytes);
    const Line line = lineAt(text, entry.line);
    qsizetype from = line.equals + 1;
    qsizetype to = line.to;
    trim(text.data(), from, to);
    if (to - from >= 2) {
        const char first = text[from];
        if ((first == '"' || first == '\'') && text[to - 1] == first) {
            ++from;
            --to;
        }
    }
    return text.sliced(from, to - from);
}

QString IniFile::valueOf(Entry entry) const
{
    return decoded(rawValue(entry), entry.latin);
}

QStringList IniFile::valueFields(Entry entry, char separator, qsizetype wanted) const
{
    const QByteArrayView value = rawValue(entry);
    QStringList fields;
    qsizetype from = 0;
    while (fields.size() < wanted) {
        const qsizetype next = value.indexOf(separator, from);
        const qsizetype end = next < 0 ? value.size() : next;
        fields.append(decoded(value.sliced(from, end - from), entry.latin));
        if (next < 0)
            break;
        from = next + 1;
    }
    return fields;
}

} // namespace kvx
