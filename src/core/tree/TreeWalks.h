#pragma once

#include <QStringList>

namespace kvx {

class NodeTree;

// Opens every shown folder of depth below `depth`, top to bottom, as a user
// clicking each expand marker would (the root has depth 0). Folders without
// children are left alone. Safe against the tree changing during the scans.
void ExpandToDepth(NodeTree& tree, int depth);

// The shown rows top to bottom: two spaces per depth, then the node's text.
[[nodiscard]] QStringList RowTexts(const NodeTree& tree);

} // namespace kvx
