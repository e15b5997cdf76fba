#include "doc/TreeViewAppearance.h"

#include "doc/TreeViewSettings.h"
#include "tree/NodeTreeView.h"
#include "tree/TreeModel.h"
#include "util/Twips.h"

#include <cmath>

namespace kvx {

namespace {

constexpr int kPictureSize = 16;

int indentationPixels(float twips)
{
    return int(std::lround(twips / TwipsPerPixel));
}

} // namespace

void applyTreeViewSettings(const TreeViewSettings& settings, NodeTreeView& view, TreeModel& model)
{
    model.setCheckboxes(settings.checkboxes);
    view.setIndentation(indentationPixels(settings.indentationTwips));
    // Without pictures the decoration takes no room at all.
    const int picture = settings.showsImages() ? kPictureSize : 0;
    view.setIconSize(QSize(picture, picture));
    view.setExpandButtons(settings.showsExpandButtons());
    view.setToolTip(settings.toolTipText);
    view.setFullRowSelect(settings.fullRowSelect);
    view.setHideSelection(settings.hideSelection);
}

void readTreeViewSettings(const NodeTreeView& view, const TreeModel& model,
                          TreeViewSettings& settings)
{
    settings.checkboxes = model.checkboxes();
    if (indentationPixels(settings.indentationTwips) != view.indentation())
        settings.indentationTwips = float(PixelsToTwips(view.indentation()));
    settings.style = (settings.style & 4) | (view.expandButtons() ? 2 : 0) |
                     (view.iconSize().width() > 0 ? 1 : 0);
    settings.toolTipText = view.toolTip();
    settings.fullRowSelect = view.fullRowSelect();
    settings.hideSelection = view.hideSelection();
}

} // namespace kvx
