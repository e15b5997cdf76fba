#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

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
//
// Each line is UTF-8 when it is valid UTF-8 and Windows-1252 otherwise; a
// file in UTF-16 with its byte order mark is read too. The file is kept as it
// came and values are decoded when asked for: reading takes little more
// memory than the file, whatever its lines hold.
class IniFile
{
public:
    // Larger files are not initialisation files anyone wrote.
    static constexpr qsizetype MaxSize = qsizetype(256) << 20;

    // An empty file: every look-up gives its default.
    IniFile() = default;

    // Reads the file at `path`. Empty (nullopt) when it is missing, is not a
    // regular file, is larger than MaxSize or cannot be read (memory
    // included); *error then says why.
    [[nodiscard]] static std::optional<IniFile> load(const QString& path, QString* error = nullptr);
    // File contents; beyond MaxSize bytes nothing is read.
    [[nodiscard]] static IniFile parse(QByteArray bytes);

    // The value of `key` in `section`, or nothing when either is missing.
    [[nodiscard]] std::optional<QString> find(QStringView section, QStringView key) const;
    // The value, or `defaultValue` when the section or key is missing.
    [[nodiscard]] QString value(QStringView section, QStringView key,
                                const QString& defaultValue = QString()) const;

    // True when some lines are UTF-8 beyond ASCII and others, not being valid
    // UTF-8, were read as Windows-1252.
    [[nodiscard]] bool mixesEncodings() const { return m_mixed; }

    // Where an entry lies, for its value to be read when wanted.
    struct Entry
    {
        quint32 line = 0;   // its line's first byte
        bool latin = false; // its line is read as Windows-1252
    };
    // Calls visit(key, entry) for every entry of a section in file order,
    // duplicates included (find() gives the first); the key comes case-folded
    // and lives during the call.
    void forEachEntry(QStringView section,
                      const std::function<void(QStringView key, Entry entry)>& visit) const;
    [[nodiscard]] QString valueOf(Entry entry) const;
    // The first `wanted` fields of the value split at `separator` (an ASCII
    // character), each decoded by itself: the rest of a long value is never
    // made into text.
    [[nodiscard]] QStringList valueFields(Entry entry, char separator, qsizetype wanted) const;

private:
    // The entries of a section by key, made on its first look-up: a slot
    // holds an entry's line plus one (0 when free), its top bit telling a
    // line read as Windows-1252.
    struct Index
    {
        QString section; // case-folded
        std::vector<quint32> slots;
    };
    const Index& indexOf(QStringView foldedSection) const;
    [[nodiscard]] QByteArrayView rawValue(Entry entry) const;

    QByteArray m_bytes;
    qsizetype m_start = 0; // after a byte order mark
    bool m_mixed = false;
    mutable std::vector<Index> m_indexes;
};

} // namespace kvx
