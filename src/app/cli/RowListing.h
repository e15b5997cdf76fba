#pragma once

#include <QString>

class QTextStream;

namespace kvx {

class NodeTree;

// Writes the shown rows top to bottom, one per line, two spaces of indent per
// depth. Control characters of names (C0, DEL, C1) are written as "?", so
// that a name can neither drive the terminal nor split a row.
void writeRows(const NodeTree& tree, QTextStream& out);

// The text with its control characters written as "?", as the rows are.
[[nodiscard]] QString printable(QString text);

} // namespace kvx
