#pragma once

#include <QString>

namespace kvx {

class Node;
class NodeTree;

// Looks for the next node whose text contains `text`, letter case ignored,
// in the tree's order (each node before its children, whether they are shown
// or not) from the node after `from`, or backwards from the node before it;
// past the end it goes on from the other end, so `from` itself is looked at
// last. From no node it starts at the first node (the last, backwards). Only
// the nodes the tree holds are searched: no folder is read. Null when no
// node matches or `text` is empty.
[[nodiscard]] Node* findNode(const NodeTree& tree, const Node* from, const QString& text,
                             bool forward = true);

} // namespace kvx
