#pragma once

namespace kvx {

class NodeTreeView;
class TreeModel;
struct TreeViewSettings;

// Shows a document's view settings on the tree view: Checkboxes,
// Indentation, Style (pictures, expand buttons; Qt's styles draw no tree
// lines), ToolTipText, FullRowSelect and HideSelection. Sorted belongs to
// the node tree, which the document reader sets itself.
void applyTreeViewSettings(const TreeViewSettings& settings, NodeTreeView& view, TreeModel& model);

// Takes back into `settings` what the view shows now (a language file may
// have changed the tool tip), keeping the exact values where the view shows
// the same thing.
void readTreeViewSettings(const NodeTreeView& view, const TreeModel& model,
                          TreeViewSettings& settings);

} // namespace kvx
