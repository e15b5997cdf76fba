#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace kvx {

// One entry of a file dialog's filter list: what the user reads, and the
// patterns it stands for ("*.doc;*.txt").
struct FilterPair
{
    QString description;
    QString patterns;

    friend bool operator==(const FilterPair&, const FilterPair&) = default;
};

// The built-in filter offered when a caller gives none.
inline constexpr const char* kAllFilesFilter = "All Files (*.*)|*.*|";

// Splits a filter text of "|"-separated description and pattern pairs; a final
// "|" is allowed, and a description without its pattern is dropped.
[[nodiscard]] std::vector<FilterPair> parseFilter(const QString& filter);

// The filter an open dialog shows: the all-files filter for an empty text.
[[nodiscard]] QString openDialogFilter(const QString& filter);
// The filter a save dialog shows: the all-files filter for exactly "*.*".
[[nodiscard]] QString saveDialogFilter(const QString& filter);

// The extension of a filter pattern: its text after the first "." found from
// the second character on, or the whole pattern when there is none
// ("*.kvx" gives "kvx", ".kvx" gives ".kvx").
[[nodiscard]] QString patternExtension(const QString& pattern);

// The name a save dialog returns: the path, trimmed, with "." and the selected
// filter's extension appended unless the path already ends in that extension
// (letter case counts). `selectedFilter` counts from 1. Of several patterns
// ("*.doc;*.txt") the first counts; a wildcard extension ("*.*") appends
// nothing, so a name chosen under it is kept as typed. Without a pattern for
// that number the path is returned as is.
[[nodiscard]] QString applySaveExtension(const QString& path, const QString& filter,
                                         int selectedFilter);

// The folder a file dialog opens in: the one given, or the program's folder
// followed by "/".
[[nodiscard]] QString initialFolder(const QString& iniPath, const QString& programDir);

} // namespace kvx
