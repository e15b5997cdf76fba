#pragma once

// Control characters (C0, DEL, C1) are written as "?" wherever the program
// prints a name, so that a name can neither drive the terminal nor split a
// line: withoutControls().
#include "util/ControlCharacters.h"

#include <QString>

class QTextStream;

namespace kvx {

// One line on standard error: "kvx: " and the message, or "kvx: warning: "
// and the message, its control characters as "?".
void sayError(QTextStream& err, const QString& message);
void sayWarning(QTextStream& err, const QString& message);

} // namespace kvx
