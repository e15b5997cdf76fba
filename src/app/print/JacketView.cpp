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
    // Shown (never on a screen) so that its viewport is laid out as the
    // window's is: a view never shown keeps room for scroll bars it hides.
    m_view.setAttribute(Qt::WA_DontShowOnScreen);
    m_view.show();
}

} // namespace kvx
