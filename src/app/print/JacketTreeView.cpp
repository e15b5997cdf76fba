#include "print/JacketTreeView.h"

#include "print/SlicePlan.h"

#include <QHeaderView>
#include <QTreeView>

namespace kvx {

void SetUpJacketTreeView(QTreeView& view)
{
    view.setHeaderHidden(true);
    view.setFrameShape(QFrame::NoFrame);
    view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.setRootIsDecorated(true);
    view.setItemsExpandable(true);
    view.setUniformRowHeights(true);
    view.setIconSize(QSize(16, 16));
    view.setIndentation(19);
    view.setSelectionMode(QAbstractItemView::SingleSelection);
    view.setFocusPolicy(Qt::StrongFocus);
    view.resize(TwipsToPixels(ViewSideTwips), TwipsToPixels(ViewSideTwips));
}

} // namespace kvx
