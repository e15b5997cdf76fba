#include "doc/TreeViewAppearance.h"

#include "doc/TreeViewSettings.h"
#include "tree/NodeTreeView.h"
#include "tree/TreeModel.h"
#include "tree/WindowFont.h"
#include "util/Twips.h"

#include <QGuiApplication>
#include <cmath>

namespace kvx {

namespace {

constexpr int kPictureSize = 16;

int indentationPixels(float twips)
{
    return int(std::lround(twips / TwipsPerPixel));
}

} // namespace

RowAppearance RowAppearanceOf(const TreeViewSettings& settings)
{
    RowAppearance look;
    look.font = RowFont(WindowFont());
    look.indentation = indentationPixels(settings.indentationTwips);
    // Without pictures the decoration takes no room at all.
    look.pictureSize = settings.showsImages() ? kPictureSize : 0;
    look.expandButtons = settings.showsExpandButtons();
    look.lines = settings.showsLines();
    look.checkboxes = settings.checkboxes;
    look.palette = QGuiApplication::palette();
    return look;
}

void applyTreeViewSettings(const TreeViewSettings& settings, NodeTreeView& view, TreeModel& model)
{
    const RowAppearance look = RowAppearanceOf(settings);
    model.setCheckboxes(look.checkboxes);
    view.setIndentation(look.indentation);
    view.setIconSize(QSize(look.pictureSize, look.pictureSize));
    view.setExpandButtons(look.expandButtons);
    view.setTreeLines(look.lines);
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
    settings.style = (view.treeLines() ? 4 : 0) | (view.expandButtons() ? 2 : 0) |
                     (view.iconSize().width() > 0 ? 1 : 0);
    settings.toolTipText = view.toolTip();
    settings.fullRowSelect = view.fullRowSelect();
    settings.hideSelection = view.hideSelection();
}

} // namespace kvx
