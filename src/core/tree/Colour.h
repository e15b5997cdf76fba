#pragma once

#include <QtGlobal>

namespace kvx {

// A colour as the document format and the node styles carry it: 0x00BBGGRR,
// red in the low byte. A value with the top bit set names a system colour.
using Colour = quint32;

inline constexpr Colour kSystemColourFlag = 0x80000000u;
inline constexpr Colour kSysWindowBackground = 0x80000005u;
inline constexpr Colour kSysWindowText = 0x80000008u;
inline constexpr Colour kSysButtonFace = 0x8000000Fu;

// What a new node takes from the tree.
inline constexpr Colour kDefaultForeColor = 0x00000000u;
inline constexpr Colour kDefaultBackColor = kSysWindowBackground;

[[nodiscard]] constexpr bool isSystemColour(Colour c)
{
    return (c & kSystemColourFlag) != 0;
}
[[nodiscard]] constexpr Colour rgbColour(int r, int g, int b)
{
    return Colour(r & 0xFF) | (Colour(g & 0xFF) << 8) | (Colour(b & 0xFF) << 16);
}

} // namespace kvx
