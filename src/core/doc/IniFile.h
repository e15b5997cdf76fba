#pragma once

#include <QString>
#include <optional>
#include <string_view>
#include <unordered_map>

namespace kvx {

// An initialisation file (tree documents, language files), read whole once
// and then asked for any number of values:
//   [Section]
//   Key=Value
// Section and key names match without regard to letter case; blanks around
// names and values are dropped, and so is one pair of matching enclosing
// quotation marks (' or ") around a value. Lines that are neither a section
// header nor an entry are ignored, and so are entries before the first
// section. When a section or key appears twice, the first entry wins.
class IniFile
{
public:
    // An empty file: every look-up gives its default.
    IniFile() = default;

    // Reads the file at `path`. Empty (nullopt) when it is missing, is not a
    // regular file or cannot be read.
    [[nodiscard]] static std::optional<IniFile> load(const QString& path);
    // Parses file contents: UTF-8, or Windows-1252 when not valid UTF-8.
    [[nodiscard]] static IniFile parse(const QByteArray& bytes);
    [[nodiscard]] static IniFile parse(const QString& text);

    // The value of `key` in `section`, or nothing when either is missing.
    [[nodiscard]] std::optional<QString> find(QStringView section, QStringView key) const;
    // The value, or `defaultValue` when the section or key is missing.
    [[nodiscard]] QString value(QStringView section, QStringView key,
                                const QString& defaultValue = QString()) const;

    [[nodiscard]] bool hasSection(QStringView section) const;
    // Calls visit(name, value) for every entry of a section (the first of
    // duplicates), names case-folded, in no particular order. The views are
    // valid while this file lives.
    template <typename Visit> void forEachEntry(QStringView section, Visit&& visit) const
    {
        const auto s = m_sections.find(foldName(section.trimmed()));
        if (s == m_sections.end())
            return;
        for (const auto& [name, span] : s->second)
            visit(QStringView(name), QStringView(m_text).sliced(span.from, span.size));
    }

private:
    [[nodiscard]] static QString foldName(QStringView name);

    // A value's place in m_text, already trimmed and unquoted.
    struct Span
    {
        qsizetype from = 0;
        qsizetype size = 0;
    };
    // QHash keyed by QString is several times slower to fill here, and a
    // full document has about 100,000 entries.
    struct NameHash
    {
        size_t operator()(const QString& name) const noexcept
        {
            return std::hash<std::u16string_view>()(std::u16string_view(
                reinterpret_cast<const char16_t*>(name.utf16()), size_t(name.size())));
        }
    };
    using Section = std::unordered_map<QString, Span, NameHash>; // by case-folded key

    QString m_text;
    std::unordered_map<QString, Section, NameHash> m_sections; // by case-folded name
};

} // namespace kvx
