#pragma once

#include "print/JacketPrinter.h"

#include <QObject>
#include <array>
#include <functional>

class QAbstractButton;
class QLabel;

namespace kvx {

class DialogService;
class ImageList;
class JacketPage;
class MessageTexts;
class NodeTreeView;
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
    NodeTreeView* view = nullptr;       // the tree view, whose rows the jacket shows
    std::function<void(int)> moveGuide; // the column guide, to a left position in twips
};

// The jacket controls of the main window: the line and column options with
// the capacity in lblImprimable and the column guide, the folder-picture and
// colour boxes, the printer properties, the preview and the print. The
// jacket's rows are drawn as the view draws them; the layout and the
// appearance are the workspace's. Holds the session's one printer.
class JacketCommands : public QObject
{
    Q_OBJECT

public:
    JacketCommands(const JacketControls& controls, Workspace& workspace, const ImageList& images,
                   DialogService& dialogs, const MessageTexts& texts, QObject* parent = nullptr);

    // A line option was chosen (index 0, 1, 2: 30, 40, 50 lines).
    void opLines_Click(int index);
    // A column option was chosen; its index is the column width in centimetres.
    void opColum_Click(int index);
    // Asks first when the tree shows more rows than the jacket holds; the
    // print selects the first row, and leaves the view as it was.
    void cmdPrint_Click();
    // The preview of the jacket, from where it may be printed.
    void cmdPreview_Click();
    void chkImageNb_Click();
    void chkNb_Click();
    void cmpProp_Click();
    // The cover's template (by its name), the disc's title and identifier
    // (asked for), and the title on the booklet; the capacity follows.
    void chooseTemplate(const QString& name);
    void askDiscTitle();
    void setTitleOnBooklet(bool on);
    // Shows the capacity of the layout and template in lblImprimable.
    void showCapacity();

    [[nodiscard]] JacketPrinter& printer() { return m_printer; }

private:
    [[nodiscard]] qint32 capacity() const;
    [[nodiscard]] JacketPage page() const;
    void print();

    JacketControls m_controls;
    Workspace& m_workspace;
    const ImageList& m_images;
    DialogService& m_dialogs;
    const MessageTexts& m_texts;
    JacketPrinter m_printer;
};

} // namespace kvx
