#include "print/FolderPictures.h"

#include "tree/NodeTree.h"

namespace kvx {

void SetFolderPictures(NodeTree& tree, bool blackAndWhite)
{
    const int closed = blackAndWhite ? image::ClosedFolderBw : image::ClosedFolder;
    const int open = blackAndWhite ? image::OpenFolderBw : image::OpenFolder;
    const int count = tree.count();
    for (int i = 1; i <= count; ++i) {
        Node* node = tree.nodeAt(i);
        if (!node || !node->isFolder())
            continue;
        tree.setImage(node, closed);
        tree.setExpandedImage(node, open);
    }
}

} // namespace kvx
