#pragma once

#include "export/ExportRows.h"
#include "tree/Colour.h"

#include <QColor>
#include <QPalette>

namespace kvx {

// A node colour as the screen shows it: 0x00BBGGRR as is, a system colour
// (top bit set) as the matching colour of the palette.
[[nodiscard]] QColor toQColor(Colour colour, const QPalette& palette);

// The palette role a system colour number stands for (0x80000005 the window
// background is QPalette::Base, 0x8000000F the button face QPalette::Button).
[[nodiscard]] QPalette::ColorRole systemColourRole(Colour colour);

// What the system colour numbers look like in the palette, for the exports.
[[nodiscard]] SystemColourTable systemColourTable(const QPalette& palette);

// A screen colour as a node colour, 0x00BBGGRR.
[[nodiscard]] Colour fromQColor(const QColor& colour);

} // namespace kvx
