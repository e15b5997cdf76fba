#pragma once

#include "tree/Node.h"

namespace kvx {

class NodeTree;
class ElementCountDisplay;

// The row after `node` in the order the tree view shows its rows (pre-order
// through expanded nodes), or null after the last row.
[[nodiscard]] Node* NextNode(const NodeTree& tree, const Node* node);

// The top row: the first root. Null on an empty tree.
[[nodiscard]] Node* FirstRow(const NodeTree& tree);

// The number of rows the tree view shows from the node at position 1 on (the
// first root, unless the roots are sorted). Kept by the tree: no walk.
[[nodiscard]] qint32 CountVisibleNodes(const NodeTree& tree);

// Writes CountVisibleNodes into the element-count display.
void RefreshElementCount(const NodeTree& tree, ElementCountDisplay& display);

} // namespace kvx
