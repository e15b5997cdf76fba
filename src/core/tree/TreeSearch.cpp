#include "tree/TreeSearch.h"

#include "tree/NodeTree.h"

namespace kvx {

namespace {

Node* lastDescendant(Node* node)
{
    while (node->childCount() > 0)
        node = node->childAt(node->childCount() - 1);
    return node;
}

// The node after `node` in the tree's order, wrapping to the first root.
Node* after(const NodeTree& tree, const Node* node)
{
    if (node->childCount() > 0)
        return node->firstChild();
    for (; node; node = node->parent()) {
        if (Node* next = tree.nextSibling(node))
            return next;
    }
    return tree.roots().front();
}

// The node before `node`, wrapping to the last node of the last root.
Node* before(const NodeTree& tree, const Node* node)
{
    if (node->row() > 0)
        return lastDescendant(tree.siblingsOf(node).at(size_t(node->row() - 1)));
    return node->parent() ? node->parent() : lastDescendant(tree.roots().back());
}

} // namespace

Node* findNode(const NodeTree& tree, const Node* from, const QString& text, bool forward)
{
    if (text.isEmpty() || tree.isEmpty())
        return nullptr;
    const Node* node = from;
    if (!node)
        node = forward ? lastDescendant(tree.roots().back()) : tree.roots().front();
    for (int step = 0; step < tree.count(); ++step) {
        Node* next = forward ? after(tree, node) : before(tree, node);
        if (next->text().contains(text, Qt::CaseInsensitive))
            return next;
        node = next;
    }
    return nullptr;
}

} // namespace kvx
