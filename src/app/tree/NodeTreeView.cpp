#include "tree/NodeTreeView.h"

#include "tree/TreeModel.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

namespace kvx {

namespace {

// Paints a node's background colour, and the selection, behind its label
// only, as a classic tree does, not across the whole row.
class LabelBackgroundDelegate : public QStyledItemDelegate
{
public:
    LabelBackgroundDelegate(const QPalette& selection, QObject* parent)
        : QStyledItemDelegate(parent), m_selection(selection)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        QBrush back = opt.backgroundBrush;
        bool selected = false;
        opt.backgroundBrush = Qt::NoBrush;
        const auto* view = qobject_cast<const NodeTreeView*>(opt.widget);
        if (view && view->hideSelection() && !view->hasFocus())
            opt.state &= ~QStyle::State_Selected;
        if (opt.state & QStyle::State_Selected) {
            const QPalette::ColorGroup group =
                opt.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
            back = m_selection.brush(group, QPalette::Highlight);
            selected = true;
            opt.palette.setBrush(QPalette::Text,
                                 m_selection.brush(group, QPalette::HighlightedText));
            opt.state &= ~QStyle::State_Selected;
        }
        const QWidget* widget = opt.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        if (back.style() != Qt::NoBrush) {
            QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
            const int width = opt.fontMetrics.horizontalAdvance(opt.text) + 6;
            const bool wholeRow = selected && view && view->fullRowSelect();
            if (!wholeRow)
                text.setWidth(qMin(text.width(), width));
            painter->fillRect(text, back);
        }
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    }

private:
    QPalette m_selection;
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
    // The view's own selection painting (whole row, branch area) is made
    // invisible; the delegate highlights the label with the real colours.
    setItemDelegate(new LabelBackgroundDelegate(palette(), this));
    QPalette clear = palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        clear.setColor(group, QPalette::Highlight, Qt::transparent);
    setPalette(clear);
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

void NodeTreeView::drawBranches(QPainter* painter, const QRect& rect,
                                const QModelIndex& index) const
{
    if (m_expandButtons)
        QTreeView::drawBranches(painter, rect, index);
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
    Q_EMIT mouseUp(event->button(), event->modifiers(), event->position().toPoint());
}

} // namespace kvx
