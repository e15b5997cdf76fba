#pragma once

#include <QString>

namespace kvx {

class FolderTotals;
class IniFile;

// Folder totals in a tree document: a section of their own after the nodes,
// written only when there are totals, so that other documents stay as they
// were. docs/kvx-format.md describes it.
[[nodiscard]] QString FolderTotalsSection(const FolderTotals& totals);

// The totals a document holds, for the tree whose start folder's key is
// `rootKey`; empty when it holds none. Entries that do not read are skipped.
[[nodiscard]] FolderTotals ReadFolderTotals(const IniFile& document, const QString& rootKey);

} // namespace kvx
