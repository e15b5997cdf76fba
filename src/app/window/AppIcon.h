#pragma once

#include <QIcon>

namespace kvx {

// The program's icon (packaging/org.example.kvx.svg: a disc half out of its
// jacket, a folder tree on the jacket), drawn at each size a desktop asks a
// window for, from 16 to 256 pixels.
[[nodiscard]] QIcon programIcon();

} // namespace kvx
