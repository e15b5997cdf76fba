#pragma once

#include "tree/Node.h"

#include <QFont>
#include <QHash>
#include <QPalette>
#include <QPixmap>
#include <QRect>
#include <functional>
#include <vector>

class QPainter;
class QRectF;
class QSizeF;

namespace kvx {

class ImageList;
class NodeTree;

// How the rows look: the tree view's settings, its font and colours, and
// whether a print is in colour. Lengths are in pixels of a 96 dpi screen,
// the rows' own units wherever they are drawn.
struct RowAppearance
{
    QFont font;                // the labels' font, sized in pixels; a node's bold is added
    int rowHeight = 16;        // 240 twips
    int rowWidth = 400;        // where labels end (elided), when rows are drawn off the view
    int indentation = 19;      // per level
    int pictureSize = 16;      // 0: no pictures
    bool expandButtons = true; // open/closed markers, and a column of them for the roots
    bool lines = true;         // dotted lines from each node to its parent and siblings
    bool checkboxes = false;
    bool colour = true; // false: every colour and picture in its grey
    QPalette palette;   // the system colours; Base is the background
    QRect markerBox;    // where a marker sits in its indentation column; empty: all of it
    // What a row shows after its node's text (a folder's totals); none when empty.
    std::function<QString(const Node&)> suffix;

    // The indentation columns before a node's picture.
    [[nodiscard]] int levelsBefore(const Node& node) const
    {
        return node.depth() + (expandButtons ? 1 : 0);
    }
};

// A font as the rows use it: the size a 96 dpi screen gives it, in pixels, so
// that it keeps its size against the rows whatever the device's resolution.
[[nodiscard]] QFont RowFont(const QFont& font);

// What a row shows beyond the tree: the view's selection.
struct RowState
{
    bool selected = false;
    bool active = true;    // the window is active (else the inactive highlight)
    bool wholeRow = false; // the highlight runs to the row's end, not the label's
};

// Draws rows of a node tree as the window's tree view shows them: lines,
// open/closed markers, check boxes, pictures, and labels with their bold,
// colours and elision. The view paints its rows with it, and so do the
// jacket's printer, preview and PDF: screen and paper cannot drift apart.
// QtGui only; draws onto any QPainter.
class RowPainter
{
public:
    RowPainter(const NodeTree& tree, const ImageList& images, RowAppearance appearance);

    [[nodiscard]] const RowAppearance& appearance() const { return m_look; }

    // One node's row into `row` (rowHeight high; labels end at its right).
    void paintRow(QPainter& painter, const Node& node, const QRect& row,
                  const RowState& state = {}) const;
    // Its parts: the indentation columns (lines and the marker), which end
    // where the item starts, and the item (check box, picture and label).
    void paintBranches(QPainter& painter, const Node& node, const QRect& row) const;
    void paintItem(QPainter& painter, const Node& node, const QRect& row,
                   const RowState& state = {}) const;

    // The rows `first` to `last` (1-based) of `rows`, display order, drawn
    // from the top of an area of `area` pixels (its width shows the left of
    // rows rowWidth wide, its height may hold more rows, left blank) on the
    // background, the area scaled into `target`. Nothing is drawn outside
    // `target`, nor outside the painter's clip. Rows whose node is gone stay
    // blank.
    void paintRows(QPainter& painter, const std::vector<NodeId>& rows, int first, int last,
                   const QRectF& target, const QSizeF& area) const;

    // Where an item's check box lies in its row, for clicks; empty without.
    [[nodiscard]] QRect checkBoxRect(const Node& node, const QRect& row) const;
    // Where its label lies, background included.
    [[nodiscard]] QRect labelRect(const Node& node, const QRect& row) const;

private:
    struct Label
    {
        QRect box; // the background's
        QString text;
        QFont font;
    };
    [[nodiscard]] Label label(const Node& node, const QRect& row) const;
    [[nodiscard]] QColor shade(const QColor& colour) const;
    [[nodiscard]] QPixmap picture(const Node& node, bool selected) const;
    [[nodiscard]] QFont labelFont(const Node& node) const;
    [[nodiscard]] int itemLeft(const Node& node, const QRect& row) const;
    [[nodiscard]] int labelLeft(const Node& node, const QRect& row) const;
    void paintLines(QPainter& painter, const Node& node, const QRect& row) const;
    void paintMarker(QPainter& painter, const QRect& cell, bool open) const;
    void paintCheckBox(QPainter& painter, const QRect& box, bool checked) const;

    const NodeTree& m_tree;
    const ImageList& m_images;
    RowAppearance m_look;
    mutable QHash<int, QPixmap> m_greyPictures; // by image list position
};

} // namespace kvx
