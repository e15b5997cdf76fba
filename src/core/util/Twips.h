#pragma once

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

[[nodiscard]] constexpr int PixelsToTwips(int pixels, int twipsPerPixel = TwipsPerPixel)
{
    return pixels * twipsPerPixel;
}

// Device units of a device with `dotsPerInch` (a printer page, a picture).
[[nodiscard]] constexpr double TwipsToDevice(double twips, int dotsPerInch)
{
    return twips * dotsPerInch / TwipsPerInch;
}

} // namespace kvx
