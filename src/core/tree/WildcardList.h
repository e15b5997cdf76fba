#pragma once

#include <QString>
#include <string>
#include <vector>

namespace kvx {

// A list of file-name wildcards separated by ";" ("*.zip;*.r??"), compiled
// once. "*" stands for any run of characters, "?" for any one character;
// letter case is ignored. Items are taken without surrounding blanks, and an
// empty item matches nothing, so a list without any item matches no name.
// The item "*.*" matches every name, those without a dot included, as the
// all-files category promises.
//
// Matching takes time in proportion to the name and the item at most, however
// many stars the item holds.
class WildcardList
{
public:
    explicit WildcardList(const QString& patterns);

    [[nodiscard]] bool matches(const QString& name) const;
    // True when the list holds no item at all: it matches nothing.
    [[nodiscard]] bool isEmpty() const { return m_items.empty() && !m_everyName; }

private:
    // Characters as case-folded code points; a star and a question mark as
    // values no character has.
    std::vector<std::u32string> m_items;
    bool m_everyName = false;
};

} // namespace kvx
