#pragma once

#include <QString>

namespace kvx {

// C0 controls, DEL and C1 controls: characters that could drive a terminal
// or split a line when a name is written out.
[[nodiscard]] constexpr bool isControlCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7f && u < 0xa0);
}

// The text as the row listing writes it: every control character as "?".
[[nodiscard]] QString withoutControls(QString text);

} // namespace kvx
