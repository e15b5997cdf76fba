#include "print/PrintViewMode.h"

#include "print/JacketRenderer.h"
#include "tree/NodeTree.h"

#include <QScrollBar>
#include <QTreeView>

namespace kvx {

PrintViewMode::PrintViewMode(NodeTree& tree, QTreeView& view, QWidget* guide)
    : m_tree(tree), m_view(&view), m_guide(guide), m_frame(view.frameShape()),
      m_horizontal(view.horizontalScrollBarPolicy()), m_vertical(view.verticalScrollBarPolicy()),
      m_headerHidden(view.isHeaderHidden()), m_topRow(view.indexAt(QPoint(0, 0))),
      m_horizontalScroll(view.horizontalScrollBar()->value())
{
    if (const Node* selected = tree.selectedItem())
        m_selected = selected->id();
    tree.setSelectedItem(nullptr);
    view.setFrameShape(QFrame::NoFrame);
    view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.setHeaderHidden(true);
    view.horizontalScrollBar()->setValue(0);
    if (m_guide)
        m_guide->setVisible(false);
}

PrintViewMode::~PrintViewMode()
{
    if (m_guide)
        m_guide->setVisible(true);
    if (m_view) {
        m_view->setFrameShape(m_frame);
        m_view->setHorizontalScrollBarPolicy(m_horizontal);
        m_view->setVerticalScrollBarPolicy(m_vertical);
        m_view->setHeaderHidden(m_headerHidden);
        SetViewHeight(*m_view, ViewSideTwips);
    }
    // A node the user selected meanwhile stays selected.
    if (!m_tree.selectedItem())
        m_tree.setSelectedItem(m_tree.find(m_selected));
    if (m_view) {
        if (m_topRow.isValid())
            m_view->scrollTo(m_topRow, QAbstractItemView::PositionAtTop);
        m_view->horizontalScrollBar()->setValue(m_horizontalScroll);
    }
}

} // namespace kvx
