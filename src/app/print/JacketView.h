#pragma once

#include "tree/NodeTreeView.h"
#include "tree/TreeModel.h"

namespace kvx {

class ImageList;
class NodeTree;
struct TreeViewSettings;

// The window's tree view without the window, for printing from the command
// line and in tests: the same view class, model, pictures, font and view
// settings as TV, 6000 twips square, never shown. Expansion follows the nodes.
class JacketView
{
public:
    JacketView(NodeTree& tree, const ImageList& images, const TreeViewSettings& settings);

    [[nodiscard]] NodeTreeView& view() { return m_view; }
    [[nodiscard]] TreeModel& model() { return m_model; }

private:
    TreeModel m_model; // outlives the view
    NodeTreeView m_view;
};

} // namespace kvx
