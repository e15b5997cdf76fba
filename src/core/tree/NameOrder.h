#pragma once

#include "tree/FolderEntries.h"

#include <QLocale>
#include <QString>
#include <vector>

namespace kvx {

// The order in which folders and files are listed: as a reader of the
// interface's language expects it ("Édith" among the E's, letter case
// ignored, "Disc 2" before "Disc 10"). Names that the language calls equal
// ("Edith", "edith") follow in exact order, so that a listing never depends
// on the order the file system gave. The order is the program's, one for all
// listings: the window sets it from its interface language, the command line
// from the language the window was last used in.
//
// The interface starts in French, and so does the order.
inline constexpr const char* kStartLocale = "fr";
void setNameOrderLocale(const QLocale& locale);
[[nodiscard]] QLocale nameOrderLocale();

// True when `a` is listed before `b`.
[[nodiscard]] bool nameBefore(const QString& a, const QString& b);

// Puts the entries in name order. Large listings compare keys made once per
// name instead of collating each pair of names again.
void sortByName(std::vector<FolderEntry>& entries);

} // namespace kvx
