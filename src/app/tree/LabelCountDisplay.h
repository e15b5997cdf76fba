#pragma once

#include "tree/ScanHooks.h"

#include <QPointer>

class QLabel;

namespace kvx {

// Shows the element count as plain decimal digits in a label (lblNbElements).
class LabelCountDisplay : public ElementCountDisplay
{
public:
    explicit LabelCountDisplay(QLabel* label) : m_label(label) {}
    void showElementCount(qint32 count) override;

private:
    QPointer<QLabel> m_label;
};

} // namespace kvx
