#include "window/VLine.h"

#include "util/Twips.h"

#include <QPainter>

namespace kvx {

VLine::VLine(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    UserControl_Resize();
}

void VLine::UserControl_Resize()
{
    const int x = qMax(0, qMin(TwipsToVisiblePixels(15), width() - 1));
    m_line1 = QLine(x, 0, x, height());
}

void VLine::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    UserControl_Resize();
}

void VLine::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(Qt::black);
    painter.drawLine(m_line1);
}

} // namespace kvx
