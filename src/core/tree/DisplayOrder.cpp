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

namespace {

qint32 walkVisibleNodes(const NodeTree& tree)
{
    const Node* at = tree.nodeAt(1);
    if (!at)
        return 0;
    const qint32 total = tree.count();
    qint32 rows = 1;
    while ((at = NextNode(tree, at)) && rows < total)
        ++rows;
    return rows;
}

} // namespace

qint32 CountVisibleNodes(const NodeTree& tree)
{
    // A scan refreshes the count after every folder; most of those scans add
    // rows under collapsed branches, which cannot change what is shown.
    struct Cache
    {
        quint64 generation = 0;
        qint32 rows = 0;
    };
    static Cache cache;
    if (cache.generation != tree.rowsGeneration()) {
        cache.generation = tree.rowsGeneration();
        cache.rows = walkVisibleNodes(tree);
    }
    return cache.rows;
}

void RefreshElementCount(const NodeTree& tree, ElementCountDisplay& display)
{
    display.showElementCount(CountVisibleNodes(tree));
}

} // namespace kvx
