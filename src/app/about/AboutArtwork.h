#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>

namespace kvx {

// The About window's pictures, drawn by code.

// Sizes in pixels: the title band across the top of the window, and one frame
// of the animation; the strip holds the frames stacked from top to bottom.
inline constexpr int kTitleBandWidth = 387;
inline constexpr int kTitleBandHeight = 18;
inline constexpr int kAnimationFrameWidth = 160;
inline constexpr int kAnimationFrameHeight = 85;
inline constexpr int kAnimationFrameCount = 15;

// The title band is as wide as the window: 387 pixels, or more when the
// texts of the window's language need it.
[[nodiscard]] QPixmap titleBand(const QString& title, int width = kTitleBandWidth);
[[nodiscard]] QPixmap animationStrip();

// The close cross, and one half of the button frame drawn around it: the
// top and left edges, or the bottom and right ones.
inline constexpr int kCrossSize = 11;
inline constexpr int kButtonEdgeSize = 16;
enum class ButtonEdge { TopLeft, BottomRight };
[[nodiscard]] QPixmap closeCross();
[[nodiscard]] QPixmap buttonEdge(ButtonEdge edge, const QColor& colour);

} // namespace kvx
