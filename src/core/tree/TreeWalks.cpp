#include "tree/TreeWalks.h"

#include "tree/DisplayOrder.h"
#include "tree/NodeTree.h"

namespace kvx {

void ExpandToDepth(NodeTree& tree, int depth)
{
    for (Node* node = FirstRow(tree); node; node = NextNode(tree, node)) {
        if (node->isFolder() && !node->expanded() && node->childCount() > 0 &&
            node->depth() < depth) {
            const NodeId id = node->id();
            const quint64 removals = tree.removals();
            tree.setExpanded(node, true); // scans, and may yield
            if (tree.removals() != removals && !(node = tree.find(id)))
                return;
        }
    }
}

QStringList RowTexts(const NodeTree& tree)
{
    QStringList rows;
    rows.reserve(CountVisibleNodes(tree));
    for (const Node* node = FirstRow(tree); node; node = NextNode(tree, node)) {
        QString row;
        row.reserve(2 * node->depth() + node->text().size());
        row.fill(QLatin1Char(' '), 2 * node->depth());
        rows.append(row + node->text());
    }
    return rows;
}

} // namespace kvx
