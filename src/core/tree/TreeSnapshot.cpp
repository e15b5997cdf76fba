// Taking and restoring whole-tree snapshots: the part of NodeTree that the
// undo history uses.
#include "tree/TreeSnapshot.h"

#include "tree/NodeTree.h"

namespace kvx {

TreeSnapshot NodeTree::snapshot() const
{
    TreeSnapshot shot;
    shot.m_rootsSorted = m_rootsSorted;
    shot.m_nodes.reserve(size_t(count()));
    for (int i = 1; i <= count(); ++i) {
        const Node* node = nodeAt(i);
        TreeSnapshot::Record& r = shot.m_nodes.emplace_back();
        r.id = node->m_id;
        r.values = node->m_values;
        r.parent = node->m_parent ? node->m_parent->index() : 0;
        r.row = node->row();
        if (node == m_selected)
            shot.m_selected = i;
    }
    return shot;
}

void NodeTree::restore(const TreeSnapshot& shot)
{
    Q_EMIT aboutToBeRestored();
    emptyStore(); // every node pointer taken before is gone
    m_rootsSorted = shot.m_rootsSorted;
    m_byKey.reserve(MaxNodes);
    m_byId.reserve(MaxNodes);
    m_nodes.reserve(shot.m_nodes.size());

    // A parent always comes before its children in the collection.
    for (const TreeSnapshot::Record& r : shot.m_nodes) {
        auto node = std::make_unique<Node>();
        Node* raw = node.get();
        raw->m_id = r.id; // the same nodes again: walks that kept an id find them
        raw->m_values = r.values;
        raw->m_tree = this;
        raw->m_slot = m_nodes.size();
        raw->m_row = r.row;
        raw->m_parent = r.parent > 0 ? m_nodes.at(size_t(r.parent - 1)).get() : nullptr;
        raw->m_depth = raw->m_parent ? raw->m_parent->m_depth + 1 : 0;
        std::vector<Node*>& siblings = siblingList(raw->m_parent);
        if (siblings.size() <= size_t(r.row))
            siblings.resize(size_t(r.row) + 1, nullptr);
        siblings[size_t(r.row)] = raw;
        if (!r.values.key.isEmpty())
            m_byKey.insert(r.values.key, raw);
        m_byId.insert(r.id, raw);
        m_nodes.push_back(std::move(node));
    }
    if (shot.m_selected > 0)
        m_selected = m_nodes.at(size_t(shot.m_selected - 1)).get();
    // Children come after their parent: counted backwards, each node's
    // children already know the rows they show.
    for (auto it = m_nodes.rbegin(); it != m_nodes.rend(); ++it) {
        Node* node = it->get();
        node->m_shownRows = 1;
        if (node->m_values.expanded) {
            for (const Node* child : node->m_children)
                node->m_shownRows += child->m_shownRows;
        }
    }
    for (const Node* root : m_roots)
        m_shownRows += root->m_shownRows;
    Q_EMIT restored();
    Q_EMIT selectionChanged(m_selected);
}

} // namespace kvx
