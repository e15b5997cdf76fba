#pragma once

#include "print/JacketPrinter.h"

#include <QObject>
#include <array>
#include <functional>

class QAbstractButton;
class QLabel;
class QTreeView;
class QWidget;

namespace kvx {

class DialogService;
class MessageTexts;
class Workspace;

// The window's controls that the jacket commands serve.
struct JacketControls
{
    std::array<QAbstractButton*, 3> opLines{}; // 30, 40, 50 lines
    std::array<QAbstractButton*, 3> opColum{}; // option indexes 3, 4, 6
    QLabel* lblImprimable = nullptr;
    QLabel* lblNbElements = nullptr;       // the element count, red while past the capacity
    QAbstractButton* chkNb = nullptr;      // print in colour
    QAbstractButton* chkImageNb = nullptr; // black-and-white folder pictures
    QAbstractButton* cmpProp = nullptr;
    QAbstractButton* cmdPrint = nullptr;
    QAbstractButton* cmdPreview = nullptr;
    QTreeView* view = nullptr;          // the tree view the jacket is copied from
    QWidget* guide = nullptr;           // the column guide over it, hidden while printing
    std::function<void(int)> moveGuide; // to a left position in twips
};

// The jacket controls of the main window: the line and column options with
// the capacity in lblImprimable and the column guide, the folder-picture and
// colour boxes, the print dialog and the print. The layout and the appearance
// are the workspace's. Holds the session's one printer.
class JacketCommands : public QObject
{
    Q_OBJECT

public:
    JacketCommands(const JacketControls& controls, Workspace& workspace, DialogService& dialogs,
                   const MessageTexts& texts, QObject* parent = nullptr);

    // A line option was chosen (index 0, 1, 2: 30, 40, 50 lines).
    void opLines_Click(int index);
    // A column option was chosen; its index is the column width in centimetres.
    void opColum_Click(int index);
    // Asks first when the tree shows more rows than the jacket holds.
    void cmdPrint_Click();
    // The print preview of the jacket.
    void cmdPreview_Click();
    void chkImageNb_Click();
    void chkNb_Click();
    void cmpProp_Click();

    [[nodiscard]] JacketPrinter& printer() { return m_printer; }

private:
    void showCapacity();
    [[nodiscard]] JacketSource source();

    JacketControls m_controls;
    Workspace& m_workspace;
    DialogService& m_dialogs;
    const MessageTexts& m_texts;
    JacketPrinter m_printer;
};

} // namespace kvx
