#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kvx {

// One item of the language menu: a language file and the caption that shows
// it. The caption is the file name, extension included, with every "&"
// doubled so that the menu shows it instead of taking it for a shortcut mark.
struct LanguageItem
{
    QString caption;
    QString path; // the file's full path

    friend bool operator==(const LanguageItem&, const LanguageItem&) = default;
};

// The "*.lng" plain files (any letter case, hidden ones left out) of the given
// folders, in the listers' name order. A file of a later folder replaces one
// of the same name in an earlier folder, so a user's own copy of a language
// wins over the program's. Missing folders list nothing.
[[nodiscard]] QList<LanguageItem> ListLanguages(const QStringList& folders);

} // namespace kvx
