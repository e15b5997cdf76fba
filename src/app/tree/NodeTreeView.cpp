#include "tree/NodeTreeView.h"

#include "tree/TreeModel.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace kvx {

namespace {

// Paints a node's background colour behind its label only, as a label
// highlight, not across the whole row.
class LabelBackgroundDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QBrush back = opt.backgroundBrush;
        opt.backgroundBrush = Qt::NoBrush;
        const QWidget* widget = opt.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        if (back.style() != Qt::NoBrush) {
            QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
            const int width = opt.fontMetrics.horizontalAdvance(opt.text) + 4;
            text.setWidth(qMin(text.width(), width));
            painter->fillRect(text, back);
        }
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    }
};

} // namespace

NodeTreeView::NodeTreeView(QWidget* parent) : QTreeView(parent)
{
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setIconSize(QSize(16, 16));
    setIndentation(19);
    setRootIsDecorated(true);
    setItemDelegate(new LabelBackgroundDelegate(this));
    header()->setStretchLastSection(true);
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
