#pragma once

#include <QAbstractItemModel>

class QTreeView;

namespace kvx {

class Node;
class NodeTree;

// A read-only model of the node tree for the printed view of the command line
// and the printing tests: one column, rows of exactly 16 px, the node's
// picture, text, boldness and colours. Any change of the tree's structure
// resets it; the view's expansion follows the nodes' Expanded flags.
class PrintTreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    explicit PrintTreeModel(NodeTree& tree, QObject* parent = nullptr);

    [[nodiscard]] QModelIndex index(int row, int column,
                                    const QModelIndex& parent = {}) const override;
    [[nodiscard]] QModelIndex parent(const QModelIndex& child) const override;
    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;

    [[nodiscard]] QModelIndex indexOf(const Node* node) const;
    // Expands and collapses the view's rows as the nodes say.
    void applyExpansion(QTreeView& view) const;

private:
    [[nodiscard]] Node* nodeOf(const QModelIndex& index) const;

    NodeTree& m_tree;
};

} // namespace kvx
