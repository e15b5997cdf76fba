#include "tree/DisplayOrder.h"

#include "tree/NodeTree.h"
#include "tree/ScanHooks.h"

namespace kvx {

Node* NextNode(const NodeTree& tree, const Node* node)
{
    if (!node)
        return nullptr;
    if (node->expanded() && node->childCount() > 0)
        return node->firstChild();
    for (const Node* at = node; at; at = at->parent()) {
        if (Node* next = tree.nextSibling(at))
            return next;
    }
    return nullptr;
}

Node* FirstRow(const NodeTree& tree)
{
    return tree.roots().empty() ? nullptr : tree.roots().front();
}

qint32 CountVisibleNodes(const NodeTree& tree)
{
    // The rows from the node at position 1 on. That node is always a root, as
    // every node is created after its parent; it is the first one unless the
    // roots are sorted or an earlier root was removed.
    const Node* first = tree.nodeAt(1);
    if (!first)
        return 0;
    qint32 rows = tree.shownRows();
    for (const Node* root : tree.roots()) {
        if (root == first)
            break;
        rows -= root->shownRows();
    }
    return rows;
}

void RefreshElementCount(const NodeTree& tree, ElementCountDisplay& display)
{
    display.showElementCount(CountVisibleNodes(tree));
}

} // namespace kvx
