#pragma once

#include "export/ExportRows.h"
#include "tree/Colour.h"

#include <QColor>
#include <QPalette>

namespace kvx {

// A node colour as the screen shows it: 0x00BBGGRR as is, a system colour
// (top bit set) as the matching colour of the palette. A system colour number
// that names no colour is the `unknown` role: the normal text colour for text,
// the window background for a background.
[[nodiscard]] QColor toQColor(Colour colour, const QPalette& palette, QPalette::ColorRole unknown);

// The palette role a system colour number stands for (0x80000005 the window
// background is QPalette::Base, 0x8000000F the button face QPalette::Button),
// `unknown` for a number that names none.
[[nodiscard]] QPalette::ColorRole systemColourRole(Colour colour, QPalette::ColorRole unknown);

// What the system colour numbers look like in the palette, for the exports.
[[nodiscard]] SystemColourTable systemColourTable(const QPalette& palette);

// A screen colour as a node colour, 0x00BBGGRR.
[[nodiscard]] Colour fromQColor(const QColor& colour);

} // namespace kvx
