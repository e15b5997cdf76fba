#pragma once

namespace kvx {

class NodeTree;

// Gives every folder node (root included) the closed and open folder pictures
// of one pair: colour (1, 2) or black-and-white outline (4, 5). File nodes keep
// their pictures. Nodes added later get the pictures their scan gives them.
void SetFolderPictures(NodeTree& tree, bool blackAndWhite);

} // namespace kvx
