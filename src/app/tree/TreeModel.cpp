#include "tree/TreeModel.h"

#include "tree/ImageList.h"
#include "tree/NodeTree.h"
#include "tree/SystemColours.h"

#include <QApplication>
#include <QBrush>
#include <QSize>
#include <QTreeView>

namespace kvx {

TreeModel::TreeModel(NodeTree& tree, const ImageList& images, QObject* parent)
    : QAbstractItemModel(parent), m_tree(tree), m_images(images)
{
    connect(&tree, &NodeTree::nodeAboutToBeAdded, this, &TreeModel::onAboutToBeAdded);
    connect(&tree, &NodeTree::nodeAdded, this, &TreeModel::onAdded);
    connect(&tree, &NodeTree::nodeAboutToBeRemoved, this, &TreeModel::onAboutToBeRemoved);
    connect(&tree, &NodeTree::nodeRemoved, this, &TreeModel::onRemoved);
    connect(&tree, &NodeTree::aboutToClear, this, &TreeModel::beginResetModel);
    connect(&tree, &NodeTree::cleared, this, &TreeModel::endResetModel);
    connect(&tree, &NodeTree::aboutToBeRestored, this, &TreeModel::beginResetModel);
    connect(&tree, &NodeTree::restored, this, &TreeModel::onRestored);
    connect(&tree, &NodeTree::nodeChanged, this, &TreeModel::onChanged);
    connect(&tree, &NodeTree::childrenAboutToBeReordered, this, &TreeModel::onAboutToBeReordered);
    connect(&tree, &NodeTree::childrenReordered, this, &TreeModel::onReordered);
    connect(&tree, &NodeTree::expandedChanged, this, &TreeModel::onExpandedChanged);
    connect(&tree, &NodeTree::selectionChanged, this, &TreeModel::onSelectionChanged);
    if (const Node* selected = tree.selectedItem())
        m_shownSelected = selected->id();
}

void TreeModel::attachView(QTreeView* view)
{
    m_view = view;
    m_font = view->font();
    view->setModel(this);
    connect(view, &QTreeView::expanded, this,
            [this](const QModelIndex& index) { onViewExpanded(index, true); });
    connect(view, &QTreeView::collapsed, this,
            [this](const QModelIndex& index) { onViewExpanded(index, false); });
    connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TreeModel::onViewCurrentChanged);
    // Nodes already in the tree show as they are.
    showTree();
}

void TreeModel::showTree()
{
    for (int i = 1; i <= m_tree.count(); ++i) {
        if (const Node* node = m_tree.nodeAt(i); node->expanded())
            showExpansion(node);
    }
    onSelectionChanged(m_tree.selectedItem());
}

void TreeModel::onRestored()
{
    endResetModel();
    showTree();
}

void TreeModel::setCheckboxes(bool on)
{
    if (m_checkboxes == on)
        return;
    beginResetModel(); // flags change on every row
    m_checkboxes = on;
    endResetModel();
    if (m_view)
        showTree();
}

QModelIndex TreeModel::indexOf(const Node* node) const
{
    return node ? createIndex(node->row(), 0, const_cast<Node*>(node)) : QModelIndex();
}

Node* TreeModel::nodeOf(const QModelIndex& index) const
{
    return index.isValid() && index.model() == this ? static_cast<Node*>(index.internalPointer())
                                                    : nullptr;
}

QModelIndex TreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return {};
    if (const Node* p = nodeOf(parent))
        return row < p->childCount() ? createIndex(row, 0, p->childAt(row)) : QModelIndex();
    const auto& roots = m_tree.roots();
    return size_t(row) < roots.size() ? createIndex(row, 0, roots[size_t(row)]) : QModelIndex();
}

QModelIndex TreeModel::parent(const QModelIndex& child) const
{
    const Node* node = nodeOf(child);
    return node ? indexOf(node->parent()) : QModelIndex();
}

int TreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0)
        return 0;
    if (const Node* p = nodeOf(parent))
        return p->childCount();
    return parent.isValid() ? 0 : int(m_tree.roots().size());
}

int TreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant TreeModel::data(const QModelIndex& index, int role) const
{
    const Node* node = nodeOf(index);
    if (!node)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return node->text();
    case Qt::DecorationRole: {
        // The selected picture wins, then the expanded one, then the plain one.
        ImageRef ref = node->image();
        if (node->expanded() && !node->expandedImage().isNone())
            ref = node->expandedImage();
        if (node == m_tree.selectedItem() && !node->selectedImage().isNone())
            ref = node->selectedImage();
        const QIcon icon = m_images.icon(ref);
        return icon.isNull() ? QVariant() : QVariant(icon);
    }
    case Qt::FontRole:
        if (node->bold()) {
            QFont font = m_font;
            font.setBold(true);
            return font;
        }
        return {};
    case Qt::ForegroundRole: {
        const QPalette palette = m_view ? m_view->palette() : QApplication::palette();
        return QBrush(toQColor(node->foreColor(), palette));
    }
    case Qt::BackgroundRole: {
        if (node->backColor() == kSysWindowBackground)
            return {}; // the view's own background
        const QPalette palette = m_view ? m_view->palette() : QApplication::palette();
        return QBrush(toQColor(node->backColor(), palette));
    }
    case Qt::CheckStateRole:
        if (m_checkboxes)
            return node->checked() ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::SizeHintRole:
        return QSize(-1, RowHeight);
    default:
        return {};
    }
}

bool TreeModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    Node* node = nodeOf(index);
    if (!node || role != Qt::CheckStateRole || !m_checkboxes)
        return false;
    m_tree.setChecked(node, value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags TreeModel::flags(const QModelIndex& index) const
{
    if (!nodeOf(index))
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m_checkboxes)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

void TreeModel::onAboutToBeAdded(const Node* parent, int row)
{
    beginInsertRows(indexOf(parent), row, row);
}

void TreeModel::onAdded(const Node* node)
{
    endInsertRows();
    // A parent marked expanded before it had children opens with its first one.
    if (const Node* parent = node->parent(); parent && parent->expanded())
        showExpansion(parent);
}

void TreeModel::onAboutToBeRemoved(const Node* node)
{
    beginRemoveRows(indexOf(node->parent()), node->row(), node->row());
}

void TreeModel::onRemoved()
{
    endRemoveRows();
}

void TreeModel::onChanged(const Node* node)
{
    const QModelIndex at = indexOf(node);
    Q_EMIT dataChanged(at, at);
}

void TreeModel::onAboutToBeReordered(const Node* parent)
{
    const QModelIndex parentIndex = indexOf(parent);
    Q_EMIT layoutAboutToBeChanged({QPersistentModelIndex(parentIndex)},
                                  QAbstractItemModel::VerticalSortHint);
    m_reordering.clear();
    const QModelIndexList persistent = persistentIndexList();
    for (const QModelIndex& index : persistent) {
        if (index.parent() == parentIndex)
            m_reordering.emplace_back(index, nodeOf(index));
    }
}

void TreeModel::onReordered(const Node* parent)
{
    for (const auto& [old, node] : m_reordering)
        changePersistentIndex(old, indexOf(node));
    m_reordering.clear();
    Q_EMIT layoutChanged({QPersistentModelIndex(indexOf(parent))},
                         QAbstractItemModel::VerticalSortHint);
}

void TreeModel::onExpandedChanged(const Node* node)
{
    onChanged(node); // the expanded picture may apply now
    showExpansion(node);
}

void TreeModel::showExpansion(const Node* node)
{
    if (!m_view)
        return;
    const QModelIndex at = indexOf(node);
    if (node->expanded() && node->childCount() == 0)
        return; // opens when its first child arrives
    if (m_view->isExpanded(at) != node->expanded())
        m_view->setExpanded(at, node->expanded());
}

void TreeModel::onSelectionChanged(const Node* node)
{
    if (const Node* before = m_tree.find(m_shownSelected); before && before != node)
        onChanged(before);
    m_shownSelected = node ? node->id() : 0;
    if (node)
        onChanged(node);
    if (!m_view || !m_view->selectionModel())
        return;
    QItemSelectionModel* selection = m_view->selectionModel();
    const QModelIndex at = indexOf(node);
    if (selection->currentIndex() == at)
        return;
    if (at.isValid())
        selection->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect);
    else
        selection->clear();
}

void TreeModel::onViewExpanded(const QModelIndex& index, bool expanded)
{
    // The tree raises the expansion event; a change that came from the tree
    // finds the flag already set and does nothing here.
    if (Node* node = nodeOf(index); node && node->expanded() != expanded)
        m_tree.setExpanded(node, expanded);
}

void TreeModel::onViewCurrentChanged(const QModelIndex& current)
{
    Node* node = nodeOf(current);
    if (node != m_tree.selectedItem())
        m_tree.setSelectedItem(node);
}

} // namespace kvx
