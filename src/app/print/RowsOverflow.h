#pragma once

#include "tree/ScanHooks.h"

#include <QPointer>
#include <functional>

class QLabel;

namespace kvx {

class DialogService;
class MessageTexts;

// The colour of the element count while it exceeds the jacket's capacity:
// the rows past the capacity are not printed.
inline constexpr QRgb OverflowRgb = 0xC80000;

// Shows the count label in red while the count it shows exceeds `capacity`,
// in the window's text colour otherwise.
void MarkRowsOverflow(QLabel* countLabel, qint32 capacity);

// Before a print of more rows than the jacket holds: asks once whether to
// print the first rows, naming how many are left out. True to print (also
// when every row fits, without asking).
[[nodiscard]] bool ConfirmRowsLeftOut(qint32 rows, qint32 capacity, DialogService& dialogs,
                                      const MessageTexts& texts);

// The element count display of the window, marking the count whenever it
// is shown.
class OverflowCountDisplay : public ElementCountDisplay
{
public:
    OverflowCountDisplay(ElementCountDisplay& shown, QLabel* label,
                         std::function<qint32()> capacity);
    void showElementCount(qint32 count) override;

private:
    ElementCountDisplay& m_shown;
    QPointer<QLabel> m_label;
    std::function<qint32()> m_capacity;
};

} // namespace kvx
