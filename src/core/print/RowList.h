#pragma once

#include "tree/Node.h"

#include <vector>

namespace kvx {

class NodeTree;

// The rows of one print: the shown nodes in display order, row r being the
// r-th entry (from 1). Nodes are named by id, so the list stays safe to read
// after the event loop ran; it is only meaningful until the tree changes.
class RowList
{
public:
    // Rebuilds the list from the tree, walking the shown rows from the node at
    // position 1 exactly as the visible-row count does. The selection stays
    // the user's. An empty tree gives no row.
    void NumberVisibleNodes(const NodeTree& tree);

    [[nodiscard]] qint32 VisibleNodeCount() const { return qint32(m_rows.size()); }
    // The node of row r (1-based); 0 outside 1..VisibleNodeCount().
    [[nodiscard]] NodeId row(int r) const;
    [[nodiscard]] const std::vector<NodeId>& rows() const { return m_rows; }

private:
    std::vector<NodeId> m_rows;
};

} // namespace kvx
