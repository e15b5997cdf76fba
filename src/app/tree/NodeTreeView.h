#pragma once

#include "tree/RowPainter.h"

#include <QTreeView>

namespace kvx {

class TreeModel;

// The tree view TV: 16-pixel rows drawn by the row painter (the label's
// background behind the label only), its check boxes toggled by a click or
// the space bar, and mouse presses and releases reported after the view has
// handled them. A right-button press does not move the selection, and
// neither does focus: only the user's own choice makes a row current.
//
// Opening a whole branch ("*", expandAll, expandRecursively) is left to the
// tree: the view asks for it with branchExpansionRequested, and the tree opens
// every node through its expansion event, which the view then follows.
class NodeTreeView : public QTreeView
{
    Q_OBJECT

public:
    explicit NodeTreeView(QWidget* parent = nullptr);

    // The selection covers the whole row rather than the label only.
    void setFullRowSelect(bool on);
    [[nodiscard]] bool fullRowSelect() const { return m_fullRowSelect; }
    // The selection is not shown while the view has no focus.
    void setHideSelection(bool on);
    [[nodiscard]] bool hideSelection() const { return m_hideSelection; }
    // Expand buttons before nodes that have children.
    void setExpandButtons(bool on);
    [[nodiscard]] bool expandButtons() const { return m_expandButtons; }
    // Dotted lines joining the nodes.
    void setTreeLines(bool on);
    [[nodiscard]] bool treeLines() const { return m_lines; }

    // What rows show after their node's text (a folder's totals).
    void setRowSuffix(std::function<QString(const Node&)> suffix);

    // How the view draws its rows (with a TreeModel), for drawing them elsewhere.
    [[nodiscard]] RowAppearance rowAppearance() const;

public Q_SLOTS:
    // These hide QTreeView's own, which open rows without telling the tree.
    void expandAll();
    void expandRecursively(const QModelIndex& index, int depth = -1);

Q_SIGNALS:
    // The branch under `index` (the whole tree when invalid) is to be opened,
    // `levels` levels deep below it (all when negative).
    void branchExpansionRequested(const QModelIndex& index, int levels);
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint position);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint position);
    // The keyboard asks for the node menu (the menu key, Shift+F10): it opens
    // at `globalPosition`, just below the current row.
    void menuRequested(QPoint globalPosition);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void drawBranches(QPainter* painter, const QRect& rect,
                      const QModelIndex& index) const override;

private:
    void requestMenu();
    [[nodiscard]] const TreeModel* treeModel() const;
    [[nodiscard]] const Node* nodeAt(const QModelIndex& index) const;
    // The whole row of an item's rectangle, indentation included.
    [[nodiscard]] QRect wholeRow(const QRect& item) const;
    void toggleCheckBox(const QModelIndex& index);

    bool m_fullRowSelect = false;
    bool m_hideSelection = false;
    bool m_expandButtons = true;
    bool m_lines = true;
    std::function<QString(const Node&)> m_suffix;
};

} // namespace kvx
