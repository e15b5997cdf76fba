#include "tree/NodeTree.h"

#include "tree/ImageRegistry.h"

#include <algorithm>
#include <unordered_set>

namespace kvx {

namespace {

bool textBefore(const Node* a, const Node* b)
{
    return QString::compare(a->text(), b->text(), Qt::CaseInsensitive) < 0;
}

} // namespace

int Node::index() const
{
    return m_tree->positionOfSlot(m_slot);
}

int Node::row() const
{
    // A row below the first sibling that moved is still right.
    size_t& stale = m_parent ? m_parent->m_firstStaleChild : m_tree->m_firstStaleRoot;
    if (size_t(m_row) >= stale) {
        m_tree->renumberRows(m_tree->siblingsOf(this), stale);
        stale = SIZE_MAX;
    }
    return m_row;
}

NodeTree::NodeTree(QObject* parent) : QObject(parent) {}

void NodeTree::addShownRows(Node* parent, int rows)
{
    // Climb while the rows counted below reach the ancestor's own count: a
    // collapsed ancestor shows one row whatever lies under it.
    for (Node* at = parent; at; at = at->m_parent) {
        if (!at->m_values.expanded)
            return;
        at->m_shownRows += rows;
    }
    m_shownRows += rows;
}

void NodeTree::announceShownRows(int before)
{
    if (m_shownRows != before && !inBulkChange())
        Q_EMIT shownRowsChanged();
}

NodeTree::~NodeTree() = default;

bool NodeTree::imageKnown(const ImageRef& image) const
{
    return !image.isKey() || (m_images && m_images->hasKey(image.key()));
}

Node* NodeTree::addRoot(const QString& key, const QString& text, const ImageRef& image,
                        const ImageRef& selectedImage, AddFailure* why)
{
    return insert(nullptr, key, text, image, selectedImage, why);
}

Node* NodeTree::addChild(const Node* relative, const QString& key, const QString& text,
                         const ImageRef& image, const ImageRef& selectedImage, AddFailure* why)
{
    // The relative must be one of ours and still alive.
    Node* parent = relative ? find(relative->id()) : nullptr;
    if (!parent || parent != relative) {
        if (why)
            *why = AddFailure::UnknownRelative;
        return nullptr;
    }
    return insert(parent, key, text, image, selectedImage, why);
}

Node* NodeTree::addChild(const QString& relativeKey, const QString& key, const QString& text,
                         const ImageRef& image, const ImageRef& selectedImage, AddFailure* why)
{
    Node* parent = findByKey(relativeKey);
    if (!parent) {
        if (why)
            *why = AddFailure::UnknownRelative;
        return nullptr;
    }
    return insert(parent, key, text, image, selectedImage, why);
}

Node* NodeTree::insert(Node* parent, const QString& key, const QString& text, const ImageRef& image,
                       const ImageRef& selectedImage, AddFailure* why)
{
    // Room for a full tree from the start: growing rehashes every node.
    if (m_byId.capacity() < MaxNodes) {
        m_byId.reserve(MaxNodes);
        m_byKey.reserve(MaxNodes);
    }

    AddFailure failure = AddFailure::None;
    if (!key.isEmpty() && m_byKey.contains(key))
        failure = AddFailure::DuplicateKey;
    else if (!imageKnown(image) || !imageKnown(selectedImage))
        failure = AddFailure::UnknownImageKey;
    else if (count() >= MaxNodes)
        failure = AddFailure::TreeFull;
    else if (parent && parent->m_depth >= MaxDepth)
        failure = AddFailure::TooDeep;
    if (why)
        *why = failure;
    if (failure != AddFailure::None)
        return nullptr;

    auto node = std::make_unique<Node>();
    Node* raw = node.get();
    node->m_id = ++m_lastId;
    node->m_values.key = key;
    node->m_values.text = text;
    node->m_values.image = image;
    node->m_values.selectedImage = selectedImage;
    node->m_parent = parent;
    node->m_depth = parent ? parent->m_depth + 1 : 0;
    node->m_tree = this;
    node->m_slot = m_nodes.size(); // after the gap, if any: still position count() + 1
    if (!key.isEmpty())
        m_byKey.insert(key, raw);
    m_byId.insert(raw->m_id, raw);

    std::vector<Node*>& siblings = siblingList(parent);
    const bool keepSorted = parent ? parent->m_values.sorted : m_rootsSorted;
    auto at = keepSorted ? std::upper_bound(siblings.begin(), siblings.end(), raw, textBefore)
                         : siblings.end();
    const int row = int(at - siblings.begin());

    Q_EMIT nodeAboutToBeAdded(parent, row);
    ++m_changes;
    const bool last = at == siblings.end();
    siblings.insert(at, raw);
    raw->m_row = row;
    if (!last)
        rowsMoved(parent, size_t(row));
    m_nodes.push_back(std::move(node));
    const int rowsBefore = m_shownRows;
    addShownRows(parent, 1);
    Q_EMIT nodeAdded(raw);
    announceShownRows(rowsBefore);
    return raw;
}

void NodeTree::reserveChildren(Node* parent, size_t more)
{
    std::vector<Node*>& siblings = siblingList(parent);
    siblings.reserve(siblings.size() + more);
}

void NodeTree::rowsMoved(Node* parent, size_t from)
{
    size_t& stale = parent ? parent->m_firstStaleChild : m_firstStaleRoot;
    stale = std::min(stale, from);
}

void NodeTree::renumberRows(const std::vector<Node*>& siblings, size_t from) const
{
    for (size_t i = from; i < siblings.size(); ++i)
        siblings[i]->m_row = int(i);
}

bool NodeTree::remove(int index)
{
    Node* node = nodeAt(index);
    return node && remove(node);
}

bool NodeTree::remove(const Node* target)
{
    Node* node = target ? find(target->id()) : nullptr;
    if (!node || node != target)
        return false;

    Q_EMIT nodeAboutToBeRemoved(node);
    ++m_removals;
    ++m_changes;

    const int rowsBefore = m_shownRows;
    addShownRows(node->m_parent, -node->m_shownRows);
    std::vector<Node*>& siblings = siblingList(node->m_parent);
    const size_t row = size_t(node->row());
    siblings.erase(siblings.begin() + std::ptrdiff_t(row));
    rowsMoved(node->m_parent, row);

    if (node->m_children.empty())
        removeLeaf(node);
    else
        removeSubtree(node);

    Q_EMIT nodeRemoved();
    announceShownRows(rowsBefore);
    return true;
}

void NodeTree::forget(Node* node)
{
    if (!node->m_values.key.isEmpty())
        m_byKey.remove(node->m_values.key);
    m_byId.remove(node->m_id);
    if (m_selected == node)
        m_selected = nullptr;
}

void NodeTree::removeLeaf(Node* node)
{
    forget(node);
    // Bring the gap to the node's position; the node then sits just after the
    // gap, and its slot joins it.
    moveGapTo(size_t(node->index() - 1));
    m_nodes[m_gapStart + m_gapLength].reset();
    ++m_gapLength;
    if (m_gapStart + m_gapLength == m_nodes.size())
        closeGap();
}

void NodeTree::removeSubtree(Node* node)
{
    std::unordered_set<const Node*> doomed;
    std::vector<Node*> stack{node};
    while (!stack.empty()) {
        Node* n = stack.back();
        stack.pop_back();
        doomed.insert(n);
        forget(n);
        stack.insert(stack.end(), n->m_children.begin(), n->m_children.end());
    }
    closeGap();
    std::erase_if(m_nodes,
                  [&](const std::unique_ptr<Node>& n) { return doomed.count(n.get()) > 0; });
    for (size_t i = 0; i < m_nodes.size(); ++i)
        m_nodes[i]->m_slot = i;
}

int NodeTree::positionOfSlot(size_t slot) const
{
    return int(slot < m_gapStart ? slot : slot - m_gapLength) + 1;
}

void NodeTree::moveGapTo(size_t start)
{
    if (m_gapLength == 0) {
        m_gapStart = start;
        return;
    }
    // Nodes between the old and the new place cross the gap.
    while (m_gapStart > start) {
        --m_gapStart;
        const size_t to = m_gapStart + m_gapLength;
        m_nodes[to] = std::move(m_nodes[m_gapStart]);
        m_nodes[to]->m_slot = to;
    }
    while (m_gapStart < start) {
        const size_t from = m_gapStart + m_gapLength;
        m_nodes[m_gapStart] = std::move(m_nodes[from]);
        m_nodes[m_gapStart]->m_slot = m_gapStart;
        ++m_gapStart;
    }
}

void NodeTree::closeGap()
{
    moveGapTo(size_t(count()));
    m_nodes.resize(m_gapStart);
    m_gapLength = 0;
}

void NodeTree::emptyStore()
{
    ++m_removals;
    ++m_changes;
    m_selected = nullptr;
    m_roots.clear();
    m_firstStaleRoot = SIZE_MAX;
    m_byKey.clear();
    m_byId.clear();
    m_nodes.clear();
    m_gapStart = 0;
    m_gapLength = 0;
    m_shownRows = 0;
}

void NodeTree::clear()
{
    Q_EMIT aboutToClear();
    emptyStore();
    Q_EMIT cleared();
}

Node* NodeTree::nodeAt(int index) const
{
    if (index < 1 || index > count())
        return nullptr;
    const size_t position = size_t(index - 1);
    return m_nodes[position < m_gapStart ? position : position + m_gapLength].get();
}

Node* NodeTree::findByKey(const QString& key) const
{
    return key.isEmpty() ? nullptr : m_byKey.value(key, nullptr);
}

const std::vector<Node*>& NodeTree::siblingsOf(const Node* node) const
{
    return node->m_parent ? node->m_parent->m_children : m_roots;
}

Node* NodeTree::nextSibling(const Node* node) const
{
    const std::vector<Node*>& siblings = siblingsOf(node);
    const size_t next = size_t(node->row()) + 1;
    return next < siblings.size() ? siblings[next] : nullptr;
}

bool NodeTree::isShown(const Node* node) const
{
    for (const Node* p = node->m_parent; p; p = p->m_parent) {
        if (!p->m_values.expanded)
            return false;
    }
    return true;
}

void NodeTree::beginBulkChange()
{
    if (m_bulkDepth++ == 0)
        Q_EMIT bulkChangeAboutToBegin();
}

void NodeTree::endBulkChange()
{
    if (m_bulkDepth > 0 && --m_bulkDepth == 0)
        Q_EMIT bulkChangeEnded();
}

void NodeTree::setSelectedItem(Node* node)
{
    if (node && find(node->id()) != node)
        return;
    if (m_selected == node)
        return;
    m_selected = node;
    Q_EMIT selectionChanged(node);
}

void NodeTree::setText(Node* node, const QString& text)
{
    if (node->m_values.text == text)
        return;
    node->m_values.text = text;
    changed(node);
    if (node->m_parent ? node->m_parent->m_values.sorted : m_rootsSorted)
        reorder(node->m_parent);
}

void NodeTree::setTag(Node* node, const QString& tag)
{
    if (node->m_values.tag == tag)
        return;
    node->m_values.tag = tag;
    changed(node);
}

void NodeTree::setImage(Node* node, const ImageRef& image)
{
    if (node->m_values.image == image)
        return;
    node->m_values.image = image;
    changed(node);
}

void NodeTree::setSelectedImage(Node* node, const ImageRef& image)
{
    if (node->m_values.selectedImage == image)
        return;
    node->m_values.selectedImage = image;
    changed(node);
}

void NodeTree::setExpandedImage(Node* node, const ImageRef& image)
{
    if (node->m_values.expandedImage == image)
        return;
    node->m_values.expandedImage = image;
    changed(node);
}

void NodeTree::setBold(Node* node, bool bold)
{
    if (node->m_values.bold == bold)
        return;
    node->m_values.bold = bold;
    changed(node);
}

void NodeTree::setForeColor(Node* node, Colour colour)
{
    if (node->m_values.foreColor == colour)
        return;
    node->m_values.foreColor = colour;
    changed(node);
}

void NodeTree::setBackColor(Node* node, Colour colour)
{
    if (node->m_values.backColor == colour)
        return;
    node->m_values.backColor = colour;
    changed(node);
}

void NodeTree::setChecked(Node* node, bool checked)
{
    if (node->m_values.checked == checked)
        return;
    node->m_values.checked = checked;
    changed(node);
}

void NodeTree::setExpanded(Node* node, bool expanded)
{
    if (node->m_values.expanded == expanded)
        return;
    int below = 0;
    for (const Node* child : node->m_children)
        below += child->m_shownRows;
    node->m_values.expanded = expanded;
    ++m_changes;
    node->m_shownRows = expanded ? 1 + below : 1;
    const int rowsBefore = m_shownRows;
    addShownRows(node->m_parent, expanded ? below : -below);
    Q_EMIT expandedChanged(node);
    announceShownRows(rowsBefore);
    if (expanded && !node->m_children.empty())
        Q_EMIT expand(node->m_id);
}

void NodeTree::setSorted(Node* node, bool sorted)
{
    if (node->m_values.sorted == sorted)
        return;
    node->m_values.sorted = sorted;
    changed(node);
    if (sorted)
        reorder(node);
}

void NodeTree::setRootsSorted(bool sorted)
{
    if (m_rootsSorted == sorted)
        return;
    m_rootsSorted = sorted;
    if (sorted)
        reorder(nullptr);
}

void NodeTree::reorder(Node* parent)
{
    std::vector<Node*>& siblings = siblingList(parent);
    if (std::is_sorted(siblings.begin(), siblings.end(), textBefore))
        return;
    Q_EMIT childrenAboutToBeReordered(parent);
    ++m_changes;
    std::stable_sort(siblings.begin(), siblings.end(), textBefore);
    renumberRows(siblings, 0);
    (parent ? parent->m_firstStaleChild : m_firstStaleRoot) = SIZE_MAX;
    Q_EMIT childrenReordered(parent);
}

} // namespace kvx
