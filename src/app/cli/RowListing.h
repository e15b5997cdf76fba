#pragma once

#include <QString>
#include <functional>

class QTextStream;

namespace kvx {

class Node;
class NodeTree;

// Writes the shown rows top to bottom, one per line, two spaces of indent per
// depth. Control characters of names (C0, DEL, C1) are written as "?", so
// that a name can neither drive the terminal nor split a row. `suffix` gives
// what follows a node's name (a folder's totals).
void writeRows(const NodeTree& tree, QTextStream& out,
               const std::function<QString(const Node&)>& suffix = {});

} // namespace kvx
