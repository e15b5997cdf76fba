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

private:
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
    // Shows every expansion and the selection after a reset.
    void showTree();
    void onRestored();

    NodeTree& m_tree;
    const ImageList& m_images;
    QPointer<QTreeView> m_view;
    QFont m_font;
    bool m_checkboxes = false;
    NodeId m_shownSelected = 0;
    // Children of the parent being reordered, with the rows they had.
    std::vector<std::pair<QPersistentModelIndex, Node*>> m_reordering;
};

} // namespace kvx
