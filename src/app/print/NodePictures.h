#pragma once

#include <QPixmap>

namespace kvx {

class Node;
class NodeTree;

// One of the six built-in 16 x 16 pictures by number (1 closed folder,
// 2 open folder, 3 open folder in green, 4 and 5 their black-and-white
// outlines, 6 a blank page); a null pixmap for any other number.
[[nodiscard]] QPixmap BuiltInPicture(int number);

// The picture a node shows: its expanded picture when expanded and it has
// one, else its picture. Keyed pictures come from the icon folder beside the
// program (key.ico); a picture that cannot be found shows none.
[[nodiscard]] QPixmap NodePicture(const NodeTree& tree, const Node& node);

} // namespace kvx
