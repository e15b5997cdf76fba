#pragma once

#include "tree/Colour.h"
#include "tree/ImageRef.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace kvx {

// A stable name for a node: never reused within a run, so a walk that yields
// to the event loop can ask the tree afterwards whether its node still exists.
using NodeId = quint64;

class NodeTree;

// What a node shows and how it behaves: all of it but its identity and its
// place in the tree. A snapshot of the tree copies it whole.
struct NodeValues
{
    QString key;
    QString text;
    QString tag;
    ImageRef image;
    ImageRef selectedImage;
    ImageRef expandedImage;
    bool bold = false;
    Colour foreColor = kDefaultForeColor;
    Colour backColor = kDefaultBackColor;
    bool checked = false;
    bool expanded = false;
    bool sorted = false;
};

// One row of the tree: a root, folder or file node. Structure and identity are
// maintained by NodeTree; members that notify the view are set through it.
class Node
{
public:
    [[nodiscard]] NodeId id() const { return m_id; }
    [[nodiscard]] const QString& key() const { return m_values.key; }
    [[nodiscard]] const QString& text() const { return m_values.text; }
    // Folder depth, with "E" appended once expanded; a file's extension in capitals.
    [[nodiscard]] const QString& tag() const { return m_values.tag; }
    [[nodiscard]] const ImageRef& image() const { return m_values.image; }
    [[nodiscard]] const ImageRef& selectedImage() const { return m_values.selectedImage; }
    [[nodiscard]] const ImageRef& expandedImage() const { return m_values.expandedImage; }
    [[nodiscard]] bool bold() const { return m_values.bold; }
    [[nodiscard]] Colour foreColor() const { return m_values.foreColor; }
    [[nodiscard]] Colour backColor() const { return m_values.backColor; }
    [[nodiscard]] bool checked() const { return m_values.checked; }
    [[nodiscard]] bool expanded() const { return m_values.expanded; }
    [[nodiscard]] bool sorted() const { return m_values.sorted; }
    // The picture its row shows: the selected picture while selected, else the
    // expanded one while expanded, else its own, each where it has one.
    [[nodiscard]] const ImageRef& shownImage(bool selected) const
    {
        if (selected && !m_values.selectedImage.isNone())
            return m_values.selectedImage;
        if (m_values.expanded && !m_values.expandedImage.isNone())
            return m_values.expandedImage;
        return m_values.image;
    }

    // 1-based position in the tree's creation-ordered collection.
    [[nodiscard]] int index() const;
    [[nodiscard]] Node* parent() const { return m_parent; }
    [[nodiscard]] int childCount() const { return int(m_children.size()); }
    [[nodiscard]] Node* childAt(int row) const { return m_children.at(size_t(row)); }
    [[nodiscard]] Node* firstChild() const
    {
        return m_children.empty() ? nullptr : m_children.front();
    }
    [[nodiscard]] const std::vector<Node*>& children() const { return m_children; }
    // Position among its siblings (the roots, for a root).
    [[nodiscard]] int row() const;
    // Root 0, its children 1, and so on.
    [[nodiscard]] int depth() const { return m_depth; }
    // The rows the node and its subtree show while the node itself is shown:
    // 1, plus those of its children when it is expanded.
    [[nodiscard]] int shownRows() const { return m_shownRows; }

    // The kind test: a folder node shows one of the five folder pictures (a
    // number below 6), a file node a keyed picture or a number above 5. A node
    // without a picture is neither.
    [[nodiscard]] bool isFolder() const
    {
        return m_values.image.isNumber() && m_values.image.number() < 6;
    }
    [[nodiscard]] bool isFile() const
    {
        return m_values.image.isKey() || (m_values.image.isNumber() && m_values.image.number() > 5);
    }

private:
    friend class NodeTree;

    NodeId m_id = 0;
    NodeValues m_values;

    const NodeTree* m_tree = nullptr;
    size_t m_slot = 0; // place in the tree's creation-order store; index() derives from it
    // Rows are numbered again only when asked for: adding children one by
    // one in the middle of a long list would otherwise renumber the list
    // each time. Children from this one on may have moved since.
    mutable size_t m_firstStaleChild = SIZE_MAX;
    mutable int m_row = 0;
    int m_depth = 0;
    int m_shownRows = 1;
    Node* m_parent = nullptr;
    std::vector<Node*> m_children;
};

} // namespace kvx
