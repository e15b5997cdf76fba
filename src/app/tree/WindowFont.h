#pragma once

#include <QFont>

namespace kvx {

// The main window's font, which its controls and the tree view share: the
// closest sans-serif the system has to the classic 8.25 pt dialog font.
[[nodiscard]] QFont WindowFont();

} // namespace kvx
