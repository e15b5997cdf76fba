#pragma once

#include "tree/Node.h"

#include <vector>

namespace kvx {

// Every node record of a tree at one moment, as NodeTree::snapshot() took it:
// the members, the parent and the place among the siblings, the positions in
// the collection, the tree-wide sort setting and the selection. Texts are
// shared with the live nodes until either changes, so a snapshot costs little
// more than one small record per node. NodeTree::restore() gives the tree back
// in one go.
class TreeSnapshot
{
public:
    [[nodiscard]] int count() const { return int(m_nodes.size()); }

private:
    friend class NodeTree;

    struct Record
    {
        NodeId id = 0;
        NodeValues values;
        int parent = 0; // the parent's position in the collection, 0 for a root
        int row = 0;
    };

    std::vector<Record> m_nodes; // in collection order
    bool m_rootsSorted = false;
    int m_selected = 0; // position of the selected node, 0 for none
};

} // namespace kvx
