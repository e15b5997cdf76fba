#include "print/JacketView.h"

#include "app/WindowFont.h"
#include "print/SlicePlan.h"

namespace kvx {

JacketView::JacketView(NodeTree& tree, const ImageList& images) : m_model(tree, images)
{
    m_view.setFont(WindowFont());
    m_view.resize(TwipsToPixels(ViewSideTwips), TwipsToPixels(ViewSideTwips));
    m_model.attachView(&m_view);
}

} // namespace kvx
