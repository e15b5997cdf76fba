#include "print/PrintTreeModel.h"

#include "print/NodePictures.h"
#include "tree/NodeTree.h"
#include "util/Twips.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QTreeView>

namespace kvx {

namespace {

QColor toColor(Colour colour)
{
    if (isSystemColour(colour)) {
        const QPalette palette = QApplication::palette();
        switch (colour) {
        case kSysButtonFace:
            return palette.color(QPalette::Button);
        case kSysWindowText:
            return palette.color(QPalette::Text);
        default:
            return palette.color(QPalette::Base);
        }
    }
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

} // namespace

PrintTreeModel::PrintTreeModel(NodeTree& tree, QObject* parent)
    : QAbstractItemModel(parent), m_tree(tree)
{
    auto begin = [this] { beginResetModel(); };
    auto end = [this] { endResetModel(); };
    connect(&tree, &NodeTree::aboutToClear, this, begin);
    connect(&tree, &NodeTree::cleared, this, end);
    connect(&tree, &NodeTree::nodeAboutToBeAdded, this, begin);
    connect(&tree, &NodeTree::nodeAdded, this, end);
    connect(&tree, &NodeTree::nodeAboutToBeRemoved, this, begin);
    connect(&tree, &NodeTree::nodeRemoved, this, end);
    connect(&tree, &NodeTree::childrenAboutToBeReordered, this, begin);
    connect(&tree, &NodeTree::childrenReordered, this, end);
    connect(&tree, &NodeTree::nodeChanged, this, [this](const Node* node) {
        const QModelIndex at = indexOf(node);
        Q_EMIT dataChanged(at, at);
    });
}

Node* PrintTreeModel::nodeOf(const QModelIndex& index) const
{
    return index.isValid() ? static_cast<Node*>(index.internalPointer()) : nullptr;
}

QModelIndex PrintTreeModel::indexOf(const Node* node) const
{
    return node ? createIndex(node->row(), 0, const_cast<Node*>(node)) : QModelIndex();
}

QModelIndex PrintTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return {};
    const Node* above = nodeOf(parent);
    const std::vector<Node*>& rows = above ? above->children() : m_tree.roots();
    return size_t(row) < rows.size() ? indexOf(rows[size_t(row)]) : QModelIndex();
}

QModelIndex PrintTreeModel::parent(const QModelIndex& child) const
{
    const Node* node = nodeOf(child);
    return node ? indexOf(node->parent()) : QModelIndex();
}

int PrintTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0)
        return 0;
    const Node* node = nodeOf(parent);
    return node ? node->childCount() : int(m_tree.roots().size());
}

int PrintTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant PrintTreeModel::data(const QModelIndex& index, int role) const
{
    const Node* node = nodeOf(index);
    if (!node)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return node->text();
    case Qt::DecorationRole:
        return NodePicture(m_tree, *node);
    case Qt::FontRole:
        if (node->bold()) {
            QFont font;
            font.setBold(true);
            return font;
        }
        return {};
    case Qt::ForegroundRole:
        return toColor(node->foreColor());
    case Qt::BackgroundRole:
        return node->backColor() == kDefaultBackColor ? QVariant() : toColor(node->backColor());
    case Qt::SizeHintRole:
        return QSize(-1, TwipsToPixels(240));
    default:
        return {};
    }
}

void PrintTreeModel::applyExpansion(QTreeView& view) const
{
    for (int i = 1; i <= m_tree.count(); ++i) {
        const Node* node = m_tree.nodeAt(i);
        view.setExpanded(indexOf(node), node->expanded());
    }
}

} // namespace kvx
