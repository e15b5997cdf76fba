#include "print/JacketView.h"

#include "doc/TreeViewAppearance.h"
#include "print/SlicePlan.h"
#include "tree/WindowFont.h"

namespace kvx {

JacketView::JacketView(NodeTree& tree, const ImageList& images, const TreeViewSettings& settings)
    : m_model(tree, images)
{
    m_view.setFont(WindowFont());
    m_view.resize(TwipsToPixels(ViewSideTwips), TwipsToPixels(ViewSideTwips));
    m_model.attachView(&m_view);
    applyTreeViewSettings(settings, m_view, m_model);
}

} // namespace kvx
