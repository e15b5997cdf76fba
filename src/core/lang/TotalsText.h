#pragma once

#include "walk/FolderTotals.h"

#include <QString>

namespace kvx {

class MessageTexts;

// How totals read after a folder's name, in the words and separators of the
// interface's language: "(1 254 fichiers, 8,3 Go)", "(1,254 files, 8.3 GB)",
// "(vide)" for a folder without files.
[[nodiscard]] QString totalText(const FolderTotal& total, const MessageTexts& texts);

// A size in decimal units (1 kB = 1000 bytes), with one decimal below 100.
[[nodiscard]] QString sizeText(qint64 bytes, const MessageTexts& texts);

// What rows show after a node's text: " " and its totals for a folder that
// has them, nothing otherwise.
[[nodiscard]] QString totalSuffix(const FolderTotals& totals, const Node& node,
                                  const MessageTexts& texts);

} // namespace kvx
