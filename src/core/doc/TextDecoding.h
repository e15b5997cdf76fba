#pragma once

#include <QByteArray>
#include <QString>

namespace kvx {

// Text files are written as UTF-8. Files made on the original platform are in
// its 8-bit code page, Windows-1252: a file that is not valid UTF-8 is taken
// to be in that code page, so its accents survive. A leading UTF-8 byte order
// mark is dropped.
[[nodiscard]] QString decodeUtf8OrWindows1252(const QByteArray& bytes);

// Every byte is a character of Windows-1252; the five bytes that code page
// leaves undefined become the control characters of the same number.
[[nodiscard]] QString decodeWindows1252(const QByteArray& bytes);

} // namespace kvx
