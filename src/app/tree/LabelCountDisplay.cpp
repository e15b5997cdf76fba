#include "tree/LabelCountDisplay.h"

#include <QLabel>

namespace kvx {

void LabelCountDisplay::showElementCount(qint32 count)
{
    if (m_label)
        m_label->setText(QString::number(count));
}

} // namespace kvx
