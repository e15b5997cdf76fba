#include "tree/NodeTreeView.h"

#include "tree/TreeModel.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyleOption>
#include <QStyledItemDelegate>

namespace kvx {

namespace {

// The rows are the row painter's; the delegate only gives their size. Check
// boxes are the view's to toggle, where the painter draws them.
class RowSizeDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    bool editorEvent(QEvent*, QAbstractItemModel*, const QStyleOptionViewItem&,
                     const QModelIndex&) override
    {
        return false;
    }
};

} // namespace

NodeTreeView::NodeTreeView(QWidget* parent) : QTreeView(parent)
{
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setIconSize(QSize(16, 16));
    setIndentation(19);
    setRootIsDecorated(true);
    setItemDelegate(new RowSizeDelegate(this));
    header()->setStretchLastSection(true);
}

void NodeTreeView::setFullRowSelect(bool on)
{
    m_fullRowSelect = on;
    viewport()->update();
}

void NodeTreeView::setHideSelection(bool on)
{
    m_hideSelection = on;
    viewport()->update();
}

void NodeTreeView::setExpandButtons(bool on)
{
    m_expandButtons = on;
    setRootIsDecorated(on);
    viewport()->update();
}

void NodeTreeView::setRowSuffix(std::function<QString(const Node&)> suffix)
{
    m_suffix = std::move(suffix);
    viewport()->update();
}

void NodeTreeView::setTreeLines(bool on)
{
    m_lines = on;
    viewport()->update();
}

const TreeModel* NodeTreeView::treeModel() const
{
    return qobject_cast<const TreeModel*>(model());
}

RowAppearance NodeTreeView::rowAppearance() const
{
    RowAppearance look;
    look.font = RowFont(font());
    look.rowHeight = TreeModel::RowHeight;
    look.indentation = indentation();
    look.pictureSize = iconSize().width();
    look.expandButtons = m_expandButtons;
    look.lines = m_lines;
    look.checkboxes = treeModel() && treeModel()->checkboxes();
    look.suffix = m_suffix;
    look.palette = palette();
    // The marker where the style takes a click on it for one.
    QStyleOption cell;
    cell.initFrom(this);
    cell.rect = QRect(0, 0, indentation(), TreeModel::RowHeight);
    look.markerBox = style()->subElementRect(QStyle::SE_TreeViewDisclosureItem, &cell, this);
    return look;
}

QRect NodeTreeView::wholeRow(const QRect& item) const
{
    return {header()->sectionViewportPosition(0), item.top(), header()->sectionSize(0),
            item.height()};
}

const Node* NodeTreeView::nodeAt(const QModelIndex& index) const
{
    return treeModel() ? treeModel()->nodeOf(index) : nullptr;
}

void NodeTreeView::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const
{
    const Node* node = nodeAt(index);
    if (!node)
        return;
    const QRect row = wholeRow(option.rect);
    drawBranches(painter, row, index);
    RowState state;
    state.selected = selectionModel() && selectionModel()->isSelected(index) &&
                     !(m_hideSelection && !hasFocus());
    state.active = option.state & QStyle::State_Active;
    state.wholeRow = m_fullRowSelect;
    RowPainter(treeModel()->tree(), treeModel()->images(), rowAppearance())
        .paintItem(*painter, *node, row, state);
}

void NodeTreeView::drawBranches(QPainter* painter, const QRect& rect,
                                const QModelIndex& index) const
{
    if (const Node* node = nodeAt(index))
        RowPainter(treeModel()->tree(), treeModel()->images(), rowAppearance())
            .paintBranches(*painter, *node, rect);
}

void NodeTreeView::toggleCheckBox(const QModelIndex& index)
{
    const Node* node = nodeAt(index);
    if (node && treeModel()->checkboxes())
        model()->setData(index, node->checked() ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
}

void NodeTreeView::expandAll()
{
    Q_EMIT branchExpansionRequested({}, -1);
}

void NodeTreeView::expandRecursively(const QModelIndex& index, int depth)
{
    if (index.isValid() && depth >= -1)
        Q_EMIT branchExpansionRequested(index, depth);
}

void NodeTreeView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Select)
        toggleCheckBox(currentIndex());
    const bool menu = event->key() == Qt::Key_Menu ||
                      (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
    if (event->key() != Qt::Key_Asterisk && !menu) {
        QTreeView::keyPressEvent(event);
        return;
    }
    event->accept();
    if (menu)
        requestMenu();
    else if (currentIndex().isValid())
        expandRecursively(currentIndex());
}

void NodeTreeView::contextMenuEvent(QContextMenuEvent* event)
{
    // The mouse's menu opens on the right button's release.
    if (event->reason() == QContextMenuEvent::Keyboard)
        requestMenu();
    event->accept();
}

void NodeTreeView::requestMenu()
{
    QPoint at;
    if (const QModelIndex current = currentIndex(); current.isValid()) {
        scrollTo(current);
        at = visualRect(current).bottomLeft();
    }
    Q_EMIT menuRequested(viewport()->mapToGlobal(at));
}

void NodeTreeView::focusInEvent(QFocusEvent* event)
{
    // Given focus with no current row, the view makes its first row current;
    // that would select the root without a click. Put it back unseen.
    const bool hadCurrent = currentIndex().isValid();
    {
        const QSignalBlocker quiet(selectionModel());
        QTreeView::focusInEvent(event);
        if (!hadCurrent && selectionModel())
            selectionModel()->clearCurrentIndex();
    }
}

void NodeTreeView::mousePressEvent(QMouseEvent* event)
{
    // A right click leaves the selection where it was: the pop-up commands
    // act on the node selected before.
    if (event->button() != Qt::RightButton)
        QTreeView::mousePressEvent(event);
    else
        event->accept();
    Q_EMIT mouseDown(event->button(), event->modifiers(), event->position().toPoint());
}

void NodeTreeView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::RightButton)
        QTreeView::mouseReleaseEvent(event);
    else
        event->accept();
    const QModelIndex index = indexAt(event->position().toPoint());
    if (const Node* node = nodeAt(index); node && event->button() == Qt::LeftButton) {
        const RowPainter rows(treeModel()->tree(), treeModel()->images(), rowAppearance());
        if (rows.checkBoxRect(*node, wholeRow(visualRect(index)))
                .contains(event->position().toPoint()))
            toggleCheckBox(index);
    }
    Q_EMIT mouseUp(event->button(), event->modifiers(), event->position().toPoint());
}

} // namespace kvx
