#pragma once

#include <QPixmap>

namespace kvx {

// The six 16 x 16 pictures every image list starts with, by number: 1 closed
// and 2 open folder in colour, 3 open folder in green, 4 closed and 5 open
// folder as black-and-white outlines, 6 a blank page. Null outside 1..6.
[[nodiscard]] QPixmap builtInPicture(int number);

} // namespace kvx
