#pragma once

#include <QDialog>
#include <QList>
#include <QPoint>

class QLabel;
class QTimer;

namespace kvx {

class ShellOpen;

// The About window: the program's title, version and file, links to its
// licence text and its documentation folder (each shown only where the
// program has it), and a looping 15-frame animation. It has no frame of its own: it
// draws its title band and close cross and moves by dragging its background.
// Holding the left button on the animation freezes it; a right click while it
// is frozen steps one frame.
class FRMabout : public QDialog
{
    Q_OBJECT

public:
    // `programDir` is the program's data folder, beside which the
    // documentation lies.
    FRMabout(ShellOpen& shell, const QString& programDir, QWidget* parent = nullptr);

    [[nodiscard]] int animationFrame() const { return m_animationFrame; }
    [[nodiscard]] QTimer* animationTimer() const { return m_timer; }

    // Shows the next frame and waits for its delay.
    void Timer1_Timer();

    // Opens the documentation folder, and the licence text.
    void LBLCieName_Click();
    void LBLcopyRight_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    void LBLexit_MouseMove();
    void LBLexit_MouseDown();
    void LBLexit_MouseUp();
    void Image1_MouseDown(Qt::MouseButton button);
    void Image1_MouseUp(Qt::MouseButton button);
    void setCrossEdges(bool visible);
    void setCrossPressed(bool pressed);

    ShellOpen& m_shell;
    QWidget* m_rows = nullptr;
    QLabel* m_appName = nullptr;
    QLabel* m_version = nullptr;
    QLabel* m_exe = nullptr;
    QLabel* m_copyRight = nullptr;
    QLabel* m_cieName = nullptr;
    QLabel* m_exit = nullptr;
    QLabel* m_top = nullptr;
    QLabel* m_down = nullptr;
    QLabel* m_image = nullptr;
    QTimer* m_timer = nullptr;
    QString m_documentation;
    QString m_licence;
    QPixmap m_band;
    QList<int> m_animationDelays;
    int m_animationFrame = 0;
    QPoint m_dragOrigin;
    bool m_exitPressed = false;
};

} // namespace kvx
