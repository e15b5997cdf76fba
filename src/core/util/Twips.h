#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace kvx {

// Screen positions and sizes are given in twips (1/1440 inch); the screen has
// 15 twips per device-independent pixel (96 dpi).
inline constexpr int kTwipsPerPixel = 15;

// Nearest whole pixel; a non-zero length never vanishes to 0 pixels.
[[nodiscard]] constexpr int twipsToPixels(int twips)
{
    const int pixels =
        (twips + (twips >= 0 ? kTwipsPerPixel / 2 : -(kTwipsPerPixel / 2))) / kTwipsPerPixel;
    if (pixels == 0 && twips != 0)
        return twips > 0 ? 1 : -1;
    return pixels;
}

[[nodiscard]] constexpr int pixelsToTwips(int pixels)
{
    return pixels * kTwipsPerPixel;
}

[[nodiscard]] constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

} // namespace kvx
