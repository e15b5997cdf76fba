#pragma once

#include "tree/Node.h"

#include <QAbstractItemModel>
#include <QFont>
#include <QPointer>

class QTreeView;

namespace kvx {

class NodeTree;
class ImageList;

// Shows a NodeTree in a Qt item view: one column, one row per node. The tree
// stays the one source of truth; the model follows its signals and writes
// check marks, expansion and selection back to it.
//
// An index names its node by id, so an index the view still holds after its
// node is gone names no node. A bulk change of the tree reaches the view as
// one reset at its end; until then the view shows the rows as they were.
class TreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    static constexpr int RowHeight = 16; // printing relies on exact 16-pixel rows

    TreeModel(NodeTree& tree, const ImageList& images, QObject* parent = nullptr);

    // Binds a view: sets this model on it and keeps its expansion and current
    // row in step with the nodes' Expanded and the tree's SelectedItem, both ways.
    void attachView(QTreeView* view);

    // A check box before every node (the tree's Checkboxes setting).
    void setCheckboxes(bool on);
    [[nodiscard]] bool checkboxes() const { return m_checkboxes; }

    [[nodiscard]] const NodeTree& tree() const { return m_tree; }
    [[nodiscard]] const ImageList& images() const { return m_images; }

    [[nodiscard]] QModelIndex indexOf(const Node* node) const;
    [[nodiscard]] Node* nodeOf(const QModelIndex& index) const;

    [[nodiscard]] QModelIndex index(int row, int column,
                                    const QModelIndex& parent = {}) const override;
    [[nodiscard]] QModelIndex parent(const QModelIndex& child) const override;
    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;

Q_SIGNALS:
    // A row's text was edited in the view; the tree is left to whoever keeps
    // its history. An empty text is refused.
    void renameRequested(kvx::NodeId id, const QString& text);

private:
    void onBulkChangeAboutToBegin();
    void onBulkChangeEnded();
    // Shows every node's expansion and the selection in the view.
    void showTreeState();
    void onAboutToBeAdded(const Node* parent, int row);
    void onAdded(const Node* node);
    void onAboutToBeRemoved(const Node* node);
    void onRemoved();
    void onChanged(const Node* node);
    void onAboutToBeReordered(const Node* parent);
    void onReordered(const Node* parent);
    void onExpandedChanged(const Node* node);
    void onSelectionChanged(const Node* node);
    void onViewExpanded(const QModelIndex& index, bool expanded);
    void onViewCurrentChanged(const QModelIndex& current);
    void showExpansion(const Node* node);
    void onRestored();

    NodeTree& m_tree;
    const ImageList& m_images;
    QPointer<QTreeView> m_view;
    QFont m_font;
    bool m_checkboxes = false;
    NodeId m_shownSelected = 0;
    bool m_bulk = false;
    NodeId m_topBeforeBulk = 0; // the view's top row when a bulk change began
    // Children of the parent being reordered, with the rows they had.
    std::vector<std::pair<QPersistentModelIndex, Node*>> m_reordering;
};

} // namespace kvx
