#pragma once

#include <QRect>
#include <cmath>

namespace kvx {

// Screen positions and sizes are kept in twips (1/1440 inch), as the layout
// tables give them. The screen is taken at 96 dpi: 15 twips per pixel.
inline constexpr int TwipsPerInch = 1440;
inline constexpr int TwipsPerPixel = 15;

// Whole pixels for a screen length in twips, rounded to the nearest (ties to even).
[[nodiscard]] inline int TwipsToPixels(double twips, int twipsPerPixel = TwipsPerPixel)
{
    return int(std::nearbyint(twips / twipsPerPixel));
}

// The same for a control's extent, where a non-zero length never vanishes
// (the 3-twip column guide stays one pixel wide).
[[nodiscard]] inline int TwipsToVisiblePixels(int twips)
{
    const int pixels = TwipsToPixels(twips);
    if (pixels == 0 && twips != 0)
        return twips > 0 ? 1 : -1;
    return pixels;
}

[[nodiscard]] constexpr int PixelsToTwips(int pixels, int twipsPerPixel = TwipsPerPixel)
{
    return pixels * twipsPerPixel;
}

// A control's geometry from its left, top, width and height in twips.
[[nodiscard]] inline QRect TwipsRect(int left, int top, int width, int height)
{
    return {TwipsToVisiblePixels(left), TwipsToVisiblePixels(top), TwipsToVisiblePixels(width),
            TwipsToVisiblePixels(height)};
}

// Device units of a device with `dotsPerInch` (a printer page, a picture).
[[nodiscard]] constexpr double TwipsToDevice(double twips, int dotsPerInch)
{
    return twips * dotsPerInch / TwipsPerInch;
}

} // namespace kvx
