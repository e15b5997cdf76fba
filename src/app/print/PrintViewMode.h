#pragma once

#include "tree/Node.h"

#include <QFrame>
#include <QPersistentModelIndex>
#include <QPointer>

class QTreeView;
class QWidget;

namespace kvx {

class NodeTree;

// The tree view as it prints, for as long as this object lives: no frame,
// scroll bars or header (they would take pixels from the slices), scrolled
// fully left, no selection (neither its highlight nor its picture belongs on
// the jacket), the column guide hidden. On every way out everything is put
// back as the window shows it: the view 6000 twips high, the guide shown,
// the user's selection restored while its node still exists, and the view
// scrolled as it was, so that printing leaves the screen as the user left it.
class PrintViewMode
{
public:
    PrintViewMode(NodeTree& tree, QTreeView& view, QWidget* guide);
    ~PrintViewMode();
    PrintViewMode(const PrintViewMode&) = delete;
    PrintViewMode& operator=(const PrintViewMode&) = delete;

private:
    NodeTree& m_tree;
    QPointer<QTreeView> m_view;
    QPointer<QWidget> m_guide;
    QFrame::Shape m_frame;
    Qt::ScrollBarPolicy m_horizontal;
    Qt::ScrollBarPolicy m_vertical;
    bool m_headerHidden;
    QPersistentModelIndex m_topRow;
    int m_horizontalScroll;
    NodeId m_selected = 0;
};

} // namespace kvx
