#pragma once

#include <QString>

class QTextStream;

namespace kvx {

// Control characters (C0, DEL, C1): written as "?" wherever the program
// prints a name, so that a name can neither drive the terminal nor split a
// line.
[[nodiscard]] bool isControlCharacter(QChar c);
[[nodiscard]] QString withoutControls(QString text);

// One line on standard error: "kvx: " and the message, or "kvx: warning: "
// and the message, its control characters as "?".
void sayError(QTextStream& err, const QString& message);
void sayWarning(QTextStream& err, const QString& message);

} // namespace kvx
