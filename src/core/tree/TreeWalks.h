#pragma once

#include "tree/Node.h"

#include <QStringList>

namespace kvx {

class EventPump;
class NodeTree;

// Opens every shown folder of depth below `depth`, top to bottom, as a user
// clicking each expand marker would (the root has depth 0). Folders without
// children are left alone. Safe against the tree changing during the scans.
void ExpandToDepth(NodeTree& tree, int depth);

// Opens the whole branch under the node `from` (the whole tree when 0), itself
// included, down to `levels` levels below it (all when negative): every node
// with children, top to bottom, each through the tree's expansion event as if
// the user had opened it, so the scans stay one level ahead. A bulk change of
// the tree, under the busy pointer, yielding after each node opened.
void ExpandBranch(NodeTree& tree, EventPump& pump, NodeId from, int levels = -1);

// The shown rows top to bottom: two spaces per depth, then the node's text.
[[nodiscard]] QStringList RowTexts(const NodeTree& tree);

} // namespace kvx
