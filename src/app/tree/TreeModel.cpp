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
    connect(&tree, &NodeTree::aboutToClear, this, [this] {
        if (!m_bulk)
            beginResetModel();
    });
    connect(&tree, &NodeTree::cleared, this, [this] {
        if (!m_bulk)
            endResetModel();
    });
    connect(&tree, &NodeTree::aboutToBeRestored, this, [this] {
        if (!m_bulk)
            beginResetModel();
    });
    connect(&tree, &NodeTree::restored, this, &TreeModel::onRestored);
    connect(&tree, &NodeTree::nodeChanged, this, &TreeModel::onChanged);
    connect(&tree, &NodeTree::childrenAboutToBeReordered, this, &TreeModel::onAboutToBeReordered);
    connect(&tree, &NodeTree::childrenReordered, this, &TreeModel::onReordered);
    connect(&tree, &NodeTree::expandedChanged, this, &TreeModel::onExpandedChanged);
    connect(&tree, &NodeTree::selectionChanged, this, &TreeModel::onSelectionChanged);
    connect(&tree, &NodeTree::bulkChangeAboutToBegin, this, &TreeModel::onBulkChangeAboutToBegin);
    connect(&tree, &NodeTree::bulkChangeEnded, this, &TreeModel::onBulkChangeEnded);
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
    showTreeState(); // nodes already in the tree show as they are
}

void TreeModel::showTreeState()
{
    if (!m_view)
        return;
    for (int i = 1; i <= m_tree.count(); ++i) {
        if (const Node* node = m_tree.nodeAt(i); node->expanded())
            showExpansion(node);
    }
    onSelectionChanged(m_tree.selectedItem());
}

void TreeModel::onBulkChangeAboutToBegin()
{
    m_bulk = true;
    const Node* top = m_view ? nodeOf(m_view->indexAt(QPoint(0, 0))) : nullptr;
    m_topBeforeBulk = top ? top->id() : 0;
}

void TreeModel::onBulkChangeEnded()
{
    m_bulk = false;
    beginResetModel();
    endResetModel();
    showTreeState();
    // The rows the user was looking at stay in place.
    if (const Node* top = m_tree.find(m_topBeforeBulk); top && m_view)
        m_view->scrollTo(indexOf(top), QAbstractItemView::PositionAtTop);
}

void TreeModel::onRestored()
{
    if (!m_bulk)
        endResetModel();
    showTreeState();
}

void TreeModel::setCheckboxes(bool on)
{
    if (m_checkboxes == on)
        return;
    beginResetModel(); // flags change on every row
    m_checkboxes = on;
    endResetModel();
    showTreeState();
}

QModelIndex TreeModel::indexOf(const Node* node) const
{
    return node ? createIndex(node->row(), 0, quintptr(node->id())) : QModelIndex();
}

Node* TreeModel::nodeOf(const QModelIndex& index) const
{
    static_assert(sizeof(quintptr) >= sizeof(NodeId));
    return index.isValid() && index.model() == this ? m_tree.find(NodeId(index.internalId()))
                                                    : nullptr;
}

QModelIndex TreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return {};
    if (const Node* p = nodeOf(parent))
        return row < p->childCount() ? indexOf(p->childAt(row)) : QModelIndex();
    if (parent.isValid())
        return {}; // a node that is gone
    const auto& roots = m_tree.roots();
    return size_t(row) < roots.size() ? indexOf(roots[size_t(row)]) : QModelIndex();
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
    case Qt::EditRole:
        return node->text();
    case Qt::DecorationRole: {
        const QIcon icon = m_images.icon(node->shownImage(node == m_tree.selectedItem()));
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
        return QBrush(toQColor(node->foreColor(), palette, QPalette::Text));
    }
    case Qt::BackgroundRole: {
        if (node->backColor() == kSysWindowBackground)
            return {}; // the view's own background
        const QPalette palette = m_view ? m_view->palette() : QApplication::palette();
        return QBrush(toQColor(node->backColor(), palette, QPalette::Base));
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
    if (node && role == Qt::EditRole) {
        // The tree's editor names the change: renaming is an edit of its own.
        const QString text = value.toString();
        if (text.trimmed().isEmpty())
            return false;
        Q_EMIT renameRequested(node->id(), text);
        return true;
    }
    if (!node || role != Qt::CheckStateRole || !m_checkboxes)
        return false;
    m_tree.setChecked(node, value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags TreeModel::flags(const QModelIndex& index) const
{
    if (!nodeOf(index))
        return Qt::NoItemFlags;
    // Editable when asked (F2, "Renommer"): the view opens no editor of its own.
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
    if (m_checkboxes)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

void TreeModel::onAboutToBeAdded(const Node* parent, int row)
{
    if (m_bulk)
        return;
    beginInsertRows(indexOf(parent), row, row);
}

void TreeModel::onAdded(const Node* node)
{
    if (m_bulk)
        return;
    endInsertRows();
    // A parent marked expanded before it had children opens with its first one.
    if (const Node* parent = node->parent(); parent && parent->expanded())
        showExpansion(parent);
}

void TreeModel::onAboutToBeRemoved(const Node* node)
{
    if (m_bulk)
        return;
    beginRemoveRows(indexOf(node->parent()), node->row(), node->row());
}

void TreeModel::onRemoved()
{
    if (m_bulk)
        return;
    endRemoveRows();
}

void TreeModel::onChanged(const Node* node)
{
    if (m_bulk)
        return;
    const QModelIndex at = indexOf(node);
    Q_EMIT dataChanged(at, at);
}

void TreeModel::onAboutToBeReordered(const Node* parent)
{
    if (m_bulk)
        return;
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
    if (m_bulk)
        return;
    for (const auto& [old, node] : m_reordering)
        changePersistentIndex(old, indexOf(node));
    m_reordering.clear();
    Q_EMIT layoutChanged({QPersistentModelIndex(indexOf(parent))},
                         QAbstractItemModel::VerticalSortHint);
}

void TreeModel::onExpandedChanged(const Node* node)
{
    if (m_bulk)
        return;
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
    if (m_bulk)
        return;
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
