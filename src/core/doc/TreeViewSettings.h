#pragma once

#include <QString>

namespace kvx {

// The display settings of the tree view that a tree document carries, under
// the names of its [TreeView] entries. The defaults are those of the main
// window's view. The view honours Checkboxes, Indentation, Style, Sorted,
// ToolTipText, FullRowSelect and HideSelection; the others are only kept and
// written back.
struct TreeViewSettings
{
    int appearance = 1;  // 0 flat, 1 three-dimensional
    int borderStyle = 1; // 0 none, 1 fixed single line
    bool checkboxes = false;
    bool fullRowSelect = false;
    bool hideSelection = false; // the window shows the selection always
    // The attached image list's name; empty when the view has none.
    QString imageList = QStringLiteral("ImageList1");
    float indentationTwips = 285; // the 19 pixels per level of the window's view
    int labelEdit = 0;            // 0 automatic, 1 manual
    int lineStyle = 1;            // 0 tree lines only, 1 also lines to the top-level nodes
    QString pathSeparator = QStringLiteral("/");
    bool sorted = false; // top-level nodes in order of their text
    // Bit 0 images, bit 1 expand buttons, bit 2 lines; text always.
    int style = 7;
    QString toolTipText;

    [[nodiscard]] bool showsImages() const { return (style & 1) != 0; }
    [[nodiscard]] bool showsExpandButtons() const { return (style & 2) != 0; }
    [[nodiscard]] bool showsLines() const { return (style & 4) != 0; }

    // The ranges a view accepts; a value outside is refused and the setting
    // keeps its value.
    [[nodiscard]] static bool validAppearance(int v) { return v == 0 || v == 1; }
    [[nodiscard]] static bool validBorderStyle(int v) { return v == 0 || v == 1; }
    [[nodiscard]] static bool validLabelEdit(int v) { return v == 0 || v == 1; }
    [[nodiscard]] static bool validLineStyle(int v) { return v == 0 || v == 1; }
    [[nodiscard]] static bool validStyle(int v) { return v >= 0 && v <= 7; }
    // Up to ten inches per level.
    [[nodiscard]] static bool validIndentation(float twips) { return twips >= 0 && twips <= 14400; }

    friend bool operator==(const TreeViewSettings&, const TreeViewSettings&) = default;
};

} // namespace kvx
