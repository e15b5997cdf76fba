#include "tree/LevelStyle.h"

#include "tree/NodeTree.h"

namespace kvx {

int ApplyStyleToLevel(NodeTree& tree, const Node& model)
{
    // The level is the depth in the tree, not the number at the start of the
    // tag: a file's tag is its extension, which would put most files on the
    // root's level.
    const int level = model.depth();
    // The kind: a folder, a file, or a node without a picture, which is neither.
    const bool folder = model.isFolder();
    const bool file = model.isFile();
    const bool bold = model.bold();
    const Colour fore = model.foreColor();
    const Colour back = model.backColor();

    int matched = 0;
    const int count = tree.count();
    for (int i = 1; i <= count; ++i) {
        Node* node = tree.nodeAt(i);
        if (!node || node->isFolder() != folder || node->isFile() != file || node->depth() != level)
            continue;
        tree.setBold(node, bold);
        tree.setForeColor(node, fore);
        tree.setBackColor(node, back);
        ++matched;
    }
    return matched;
}

} // namespace kvx
