#pragma once

#include <QString>

namespace kvx {

// The characters the reader of an initialisation file trims from the ends of
// a value.
[[nodiscard]] bool isBlank(QChar c);

// A field of a "|"-separated value that holds a name: "%", "|", CR, LF and a
// leading blank become "%HH", so that the name survives whatever it holds.
[[nodiscard]] QString encodeField(const QString& field);
// Turns every "%HH" naming an ASCII character back into it; anything else,
// a lone "%" included, stays as it is.
[[nodiscard]] QString decodeField(QStringView field);

} // namespace kvx
