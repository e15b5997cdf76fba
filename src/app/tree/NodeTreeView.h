#pragma once

#include <QTreeView>

namespace kvx {

// The tree view TV: 16-pixel rows, the label's background drawn behind the
// label only, and mouse presses and releases reported after the view has
// handled them. A right-button press does not move the selection.
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

Q_SIGNALS:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint position);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint position);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void drawBranches(QPainter* painter, const QRect& rect,
                      const QModelIndex& index) const override;

private:
    bool m_fullRowSelect = false;
    bool m_hideSelection = false;
    bool m_expandButtons = true;
};

} // namespace kvx
