#pragma once

#include <QRegularExpression>
#include <QString>

namespace kvx {

// A list of file-name wildcards separated by ";" ("*.zip;*.r??"), compiled
// once. "*" stands for any run of characters, "?" for any one character;
// letter case is ignored. Items are taken without surrounding blanks, and an
// empty item matches nothing, so a list without any item matches no name.
// The item "*.*" matches every name, those without a dot included, as the
// all-files category promises.
class WildcardList
{
public:
    explicit WildcardList(const QString& patterns);

    [[nodiscard]] bool matches(const QString& name) const;
    // True when the list holds no item at all: it matches nothing.
    [[nodiscard]] bool isEmpty() const { return m_regex.pattern().isEmpty(); }

private:
    QRegularExpression m_regex;
};

} // namespace kvx
