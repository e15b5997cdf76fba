#pragma once

class QTextStream;

namespace kvx {

class NodeTree;

// Writes the shown rows top to bottom, one per line, two spaces of indent per
// depth. Control characters of names (C0, DEL, C1) are written as "?", so
// that a name can neither drive the terminal nor split a row.
void writeRows(const NodeTree& tree, QTextStream& out);

} // namespace kvx
