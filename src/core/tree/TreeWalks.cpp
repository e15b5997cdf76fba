#include "tree/TreeWalks.h"

#include "tree/DisplayOrder.h"
#include "tree/NodeTree.h"
#include "tree/ScanHooks.h"

namespace kvx {

namespace {

// Walks the shown rows from `from` (the top row when null) to the end of its
// branch (of the tree), opening each closed row with children that `opens`
// accepts; the rows an opening shows are walked next. The tree may change
// during an opening: the walk goes on from the node it stands on while that
// node exists. Yields after each row when given a pump.
template <class Opens>
void openWhileWalking(NodeTree& tree, const Node* from, EventPump* pump, Opens opens)
{
    const int floor = from ? from->depth() : -1;
    Node* node = from ? tree.find(from->id()) : FirstRow(tree);
    quint64 removals = tree.removals();
    // The node stands while nothing was removed; else it is looked up again.
    const auto stillThere = [&](NodeId id) {
        if (tree.removals() == removals)
            return node;
        removals = tree.removals();
        return tree.find(id);
    };
    while (node) {
        const NodeId at = node->id();
        if (!node->expanded() && node->childCount() > 0 && opens(*node, node->depth() - floor)) {
            tree.setExpanded(node, true); // scans, and may yield
            if (!(node = stillThere(at)))
                return;
        }
        Node* next = NextNode(tree, node);
        node = next && next->depth() > floor ? next : nullptr;
        if (pump && node) {
            const NodeId nextId = node->id();
            pump->yieldToEvents();
            node = stillThere(nextId);
        }
    }
}

} // namespace

void ExpandToDepth(NodeTree& tree, int depth)
{
    openWhileWalking(tree, nullptr, nullptr, [depth](const Node& node, int) {
        return node.isFolder() && node.depth() < depth;
    });
}

void ExpandBranch(NodeTree& tree, EventPump& pump, NodeId from, int levels)
{
    const Node* top = from ? tree.find(from) : nullptr;
    if (from && !top)
        return;
    BusyGuard busy(pump);
    BulkChange bulk(tree);
    // Below the whole tree's walk every root counts as level 0.
    const int offset = top ? 0 : 1;
    openWhileWalking(tree, top, &pump, [&](const Node&, int level) {
        return levels < 0 || level - offset <= levels;
    });
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
