#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace kvx {

// Text files are written as UTF-8. Files made on the original platform are in
// its 8-bit code page, Windows-1252, and other tools may add such lines to
// ours: each line is read by itself, as UTF-8 when it is valid UTF-8 and in
// that code page otherwise, so one stray byte garbles nothing else.

[[nodiscard]] bool isAscii(QByteArrayView bytes);
// Whether the bytes are valid UTF-8 (shortest forms, no surrogates, nothing
// above U+10FFFF).
[[nodiscard]] bool isValidUtf8(QByteArrayView bytes);

// Every byte is a character of Windows-1252; the five bytes that code page
// leaves undefined become the control characters of the same number.
[[nodiscard]] QString decodeWindows1252(QByteArrayView bytes);

// A file in UTF-16 with its byte order mark, as UTF-8; other bytes unchanged.
[[nodiscard]] QByteArray utf16AsUtf8(QByteArray bytes);

} // namespace kvx
