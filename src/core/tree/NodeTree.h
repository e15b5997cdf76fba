#pragma once

#include "tree/Node.h"

#include <QHash>
#include <QObject>
#include <memory>
#include <optional>
#include <vector>

namespace kvx {

class ImageRegistry;
class TreeSnapshot;

enum class AddFailure {
    None,
    DuplicateKey,    // the key is already used by another node
    UnknownRelative, // the parent named does not exist
    UnknownImageKey, // Image or SelectedImage is a key the image list lacks
    TreeFull,        // the tree already holds MaxNodes nodes
    TooDeep,         // the node would lie deeper than MaxDepth
};

// The one in-memory tree of root, folder and file nodes. Nodes are kept in
// creation order (1-based positions) and as a forest of ordered children.
// Every change is announced by a signal so that a view can follow it.
//
// Node pointers stay valid until the node is removed or the tree cleared;
// code that yields to the event loop keeps a NodeId and calls find() again.
class NodeTree : public QObject
{
    Q_OBJECT

public:
    static constexpr int MaxNodes = 32767;
    // The deepest a node may lie (a root lies at 0). A path of at most 4,096
    // bytes holds at most 2,048 folders; deeper chains only come from hostile
    // documents, and would overflow the stack of recursive view code.
    static constexpr int MaxDepth = 2048;

    explicit NodeTree(QObject* parent = nullptr);
    ~NodeTree() override;

    // The image list that keyed images must exist in (not owned; may be null,
    // in which case no keyed image can be given).
    void setImageList(const ImageRegistry* images) { m_images = images; }
    [[nodiscard]] const ImageRegistry* imageList() const { return m_images; }

    // Adds a new root after the existing roots. Returns null and adds nothing
    // on failure; *why tells the reason when given.
    Node* addRoot(const QString& key, const QString& text, const ImageRef& image = {},
                  const ImageRef& selectedImage = {}, AddFailure* why = nullptr);
    // Adds a new last child (or, under a sorted parent, a child in text order).
    Node* addChild(const Node* relative, const QString& key, const QString& text,
                   const ImageRef& image = {}, const ImageRef& selectedImage = {},
                   AddFailure* why = nullptr);
    Node* addChild(const QString& relativeKey, const QString& key, const QString& text,
                   const ImageRef& image = {}, const ImageRef& selectedImage = {},
                   AddFailure* why = nullptr);

    // Room for this many more children of a node (roots for null), when known
    // in advance: a folder's listing gives them all at once.
    void reserveChildren(Node* parent, size_t more);

    // Removes the node at a 1-based position together with its subtree; later
    // positions move down. Out-of-range positions do nothing.
    bool remove(int index);
    bool remove(const Node* node);
    void clear();

    // The whole tree as it is now, and the tree given back as it was then:
    // nodes, positions, structure, members and selection. A restore replaces
    // every node at once, announced as aboutToBeRestored() and restored(); it
    // raises no expansion event.
    [[nodiscard]] TreeSnapshot snapshot() const;
    void restore(const TreeSnapshot& snapshot);

    [[nodiscard]] int count() const { return int(m_nodes.size() - m_gapLength); }
    [[nodiscard]] bool isEmpty() const { return count() == 0; }
    // The node at a 1-based position, null outside 1..count().
    [[nodiscard]] Node* nodeAt(int index) const;
    [[nodiscard]] Node* find(NodeId id) const { return m_byId.value(id, nullptr); }
    // Counts removals and clears. A node pointer taken while the count had its
    // present value still points to a living node, so a walk that yields need
    // only look its nodes up again by id once the count has moved.
    [[nodiscard]] quint64 removals() const { return m_removals; }
    // Counts the changes to the nodes: additions, removals, members, expansions,
    // orders, clears and restores (a selection is not one). Equal counts mean
    // the same tree, without a signal per change.
    [[nodiscard]] quint64 changes() const { return m_changes; }
    [[nodiscard]] Node* findByKey(const QString& key) const;
    [[nodiscard]] const std::vector<Node*>& roots() const { return m_roots; }
    // The next sibling (next root for a root), null after the last.
    [[nodiscard]] Node* nextSibling(const Node* node) const;
    [[nodiscard]] const std::vector<Node*>& siblingsOf(const Node* node) const;

    [[nodiscard]] Node* selectedItem() const { return m_selected; }
    void setSelectedItem(Node* node);

    // Settable members; each announces nodeChanged when the value changes.
    // A new text moves the node to its place among sorted siblings; the key
    // stays, as keys never change once given.
    void setText(Node* node, const QString& text);
    void setTag(Node* node, const QString& tag);
    void setImage(Node* node, const ImageRef& image);
    void setSelectedImage(Node* node, const ImageRef& image);
    void setExpandedImage(Node* node, const ImageRef& image);
    void setBold(Node* node, bool bold);
    void setForeColor(Node* node, Colour colour);
    void setBackColor(Node* node, Colour colour);
    void setChecked(Node* node, bool checked);
    // Expanding a node that has children raises expand() once, exactly as a
    // user expansion does. The flag also sticks on a node without children;
    // the view shows it expanded once children arrive.
    void setExpanded(Node* node, bool expanded);
    // Keeps the node's children in order of their text.
    void setSorted(Node* node, bool sorted);
    // The tree-wide setting: roots kept in order of their text.
    void setRootsSorted(bool sorted);
    [[nodiscard]] bool rootsSorted() const { return m_rootsSorted; }

    // The rows a view shows: those of every root. Kept up to date on each
    // change, by the rows that the change adds or hides.
    [[nodiscard]] int shownRows() const { return m_shownRows; }
    // True when every ancestor of the node is expanded.
    [[nodiscard]] bool isShown(const Node* node) const;

    // Brackets a change of many nodes at once (a whole branch expanded, files
    // added or removed all over the tree). The node signals still come; a view
    // may skip them and show the end state once, at bulkChangeEnded. Brackets
    // nest: only the outermost pair is announced. See BulkChange.
    void beginBulkChange();
    void endBulkChange();
    [[nodiscard]] bool inBulkChange() const { return m_bulkDepth > 0; }

Q_SIGNALS:
    void nodeAboutToBeAdded(const kvx::Node* parent, int row);
    void nodeAdded(const kvx::Node* node);
    void nodeAboutToBeRemoved(const kvx::Node* node);
    void nodeRemoved();
    void aboutToClear();
    void cleared();
    void aboutToBeRestored();
    void restored();
    void nodeChanged(const kvx::Node* node);
    void childrenAboutToBeReordered(const kvx::Node* parent);
    void childrenReordered(const kvx::Node* parent);
    void expandedChanged(const kvx::Node* node);
    // shownRows() changed by an addition, a removal or an expansion. Not raised
    // inside a bulk change, whose end says it all; clears and restores say it
    // with their own signals.
    void shownRowsChanged();
    void selectionChanged(const kvx::Node* node);
    // The expansion event: a node with children became expanded.
    void expand(kvx::NodeId id);
    void bulkChangeAboutToBegin();
    void bulkChangeEnded();

private:
    Node* insert(Node* parent, const QString& key, const QString& text, const ImageRef& image,
                 const ImageRef& selectedImage, AddFailure* why);
    [[nodiscard]] bool imageKnown(const ImageRef& image) const;
    std::vector<Node*>& siblingList(Node* parent) { return parent ? parent->m_children : m_roots; }
    void reorder(Node* parent);
    // Siblings from `from` on have moved: their rows are numbered again when asked for.
    void rowsMoved(Node* parent, size_t from);
    void renumberRows(const std::vector<Node*>& siblings, size_t from) const;
    void forget(Node* node);
    // Drops every node, without a signal.
    void emptyStore();
    void removeLeaf(Node* node);
    void removeSubtree(Node* node);
    [[nodiscard]] int positionOfSlot(size_t slot) const;
    void moveGapTo(size_t start);
    void closeGap();
    void addShownRows(Node* parent, int rows);
    void announceShownRows(int before);
    void changed(Node* node)
    {
        ++m_changes;
        Q_EMIT nodeChanged(node);
    }

    friend class Node; // Node::index() reads its position from the store below

    const ImageRegistry* m_images = nullptr;
    // The nodes in creation order, with one run of empty slots (the gap) left
    // where leaves were removed. Removing leaves one after another, as a walk
    // by position does, then only moves the gap along instead of shifting and
    // renumbering every later node each time.
    std::vector<std::unique_ptr<Node>> m_nodes;
    size_t m_gapStart = 0;
    size_t m_gapLength = 0;
    std::vector<Node*> m_roots;
    mutable size_t m_firstStaleRoot = SIZE_MAX; // see Node::m_firstStaleChild
    QHash<QString, Node*> m_byKey;
    QHash<NodeId, Node*> m_byId;
    Node* m_selected = nullptr;
    NodeId m_lastId = 0;
    quint64 m_removals = 0;
    quint64 m_changes = 0;
    bool m_rootsSorted = false;
    int m_shownRows = 0;
    int m_bulkDepth = 0;
};

// Holds a bulk change of the tree open for its lifetime.
class BulkChange
{
public:
    explicit BulkChange(NodeTree& tree) : m_tree(tree) { m_tree.beginBulkChange(); }
    ~BulkChange() { m_tree.endBulkChange(); }
    BulkChange(const BulkChange&) = delete;
    BulkChange& operator=(const BulkChange&) = delete;

private:
    NodeTree& m_tree;
};

} // namespace kvx
