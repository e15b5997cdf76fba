#pragma once

#include <QWidget>

namespace kvx {

// The column guide drawn over the tree panel: a white strip holding one
// vertical line, 15 twips from its left edge (on the strip's last pixel when
// the strip is narrower). It lets every mouse event through to the tree.
class VLine : public QWidget
{
    Q_OBJECT

public:
    explicit VLine(QWidget* parent = nullptr);

    // Where Line1 runs, in the control's own pixels (updated on resize).
    [[nodiscard]] QLine line1() const { return m_line1; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void UserControl_Resize();

    QLine m_line1;
};

} // namespace kvx
