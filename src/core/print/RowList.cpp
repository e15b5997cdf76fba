#include "print/RowList.h"

#include "tree/DisplayOrder.h"
#include "tree/NodeTree.h"

namespace kvx {

void RowList::NumberVisibleNodes(const NodeTree& tree)
{
    m_rows.clear();
    const Node* first = tree.nodeAt(1);
    if (!first)
        return;
    // Bounded by the node count, as the visible-row count is.
    const size_t total = size_t(tree.count());
    for (const Node* at = first; at && m_rows.size() < total; at = NextNode(tree, at))
        m_rows.push_back(at->id());
}

NodeId RowList::row(int r) const
{
    return r >= 1 && size_t(r) <= m_rows.size() ? m_rows[size_t(r - 1)] : 0;
}

} // namespace kvx
