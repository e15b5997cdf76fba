#pragma once

#include "tree/RowPainter.h"

namespace kvx {

class NodeTreeView;
class TreeModel;
struct TreeViewSettings;

// How rows look under a document's view settings: Checkboxes, Indentation
// and Style (pictures, expand buttons, lines), in the window's font and the
// application's colours. What a tree prints as without the window.
[[nodiscard]] RowAppearance RowAppearanceOf(const TreeViewSettings& settings);

// Shows a document's view settings on the tree view: those above, and
// ToolTipText, FullRowSelect and HideSelection. Sorted belongs to the node
// tree, which the document reader sets itself.
void applyTreeViewSettings(const TreeViewSettings& settings, NodeTreeView& view, TreeModel& model);

// Takes back into `settings` what the view shows now (a language file may
// have changed the tool tip), keeping the exact values where the view shows
// the same thing.
void readTreeViewSettings(const NodeTreeView& view, const TreeModel& model,
                          TreeViewSettings& settings);

} // namespace kvx
