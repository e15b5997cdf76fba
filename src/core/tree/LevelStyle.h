#pragma once

namespace kvx {

class NodeTree;
class Node;

// Gives every node of the same kind as `model` (folder, file, or neither) at the same
// depth its bold, text colour and background colour, in collection order.
// Text, pictures, expansion and selection stay as they are. Returns the number
// of nodes visited that matched, the model included.
int ApplyStyleToLevel(NodeTree& tree, const Node& model);

} // namespace kvx
