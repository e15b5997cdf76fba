#include "tree/TreeWalks.h"

#include "tree/DisplayOrder.h"
#include "tree/NodeTree.h"

namespace kvx {

void ExpandToDepth(NodeTree& tree, int depth)
{
    const Node* first = FirstRow(tree);
    NodeId at = first ? first->id() : 0;
    while (at != 0) {
        Node* node = tree.find(at);
        if (!node)
            return;
        if (node->isFolder() && !node->expanded() && node->childCount() > 0 &&
            node->depth() < depth) {
            tree.setExpanded(node, true); // scans, and may yield
            node = tree.find(at);
            if (!node)
                return;
        }
        const Node* next = NextNode(tree, node);
        at = next ? next->id() : 0;
    }
}

QStringList RowTexts(const NodeTree& tree)
{
    QStringList rows;
    for (const Node* node = FirstRow(tree); node; node = NextNode(tree, node))
        rows.append(QString(2 * node->depth(), QLatin1Char(' ')) + node->text());
    return rows;
}

} // namespace kvx
