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

Q_SIGNALS:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint position);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint position);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace kvx
