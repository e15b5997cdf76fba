#pragma once

#include "print/JacketPrinter.h"

#include <QObject>

class QAbstractButton;
class QLabel;

namespace kvx {

class frMain;

// The jacket controls of the main window: the line options opLines(0..2), the
// column options opColum(3, 4, 6) with the capacity in lblImprimable and the
// column guide, chkImageNb (folder pictures), chkNb (colour), cmpProp (the
// print dialog) and cmdPrint. Holds the session's one printer. Lives as long
// as the window, found as its child "JacketCommands".
class JacketCommands : public QObject
{
    Q_OBJECT

public:
    explicit JacketCommands(frMain& window);

    // A line option was chosen (index 0, 1, 2: 30, 40, 50 lines).
    void opLines_Click(int index);
    // A column option was chosen; its index is the column width in centimetres.
    void opColum_Click(int index);
    void cmdPrint_Click();
    void chkImageNb_Click();
    void cmpProp_Click();

    [[nodiscard]] JacketPrinter& printer() { return m_printer; }

private:
    void showCapacity();

    frMain& m_window;
    QLabel* m_lblImprimable;
    QAbstractButton* m_chkNb;
    QAbstractButton* m_chkImageNb;
    JacketPrinter m_printer;
};

// Connects the jacket controls of the window: its one install call.
void connectJacketCommands(frMain& window);

} // namespace kvx
