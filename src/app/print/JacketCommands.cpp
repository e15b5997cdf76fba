#include "print/JacketCommands.h"

#include "dialogs/DialogService.h"
#include "history/TreeHistory.h"
#include "lang/MessageTexts.h"
#include "print/JacketLayout.h"
#include "print/JacketPage.h"
#include "print/RowsOverflow.h"
#include "tree/DisplayOrder.h"
#include "tree/NodeTreeView.h"
#include "workspace/Workspace.h"

#include <QAbstractButton>
#include <QLabel>
#include <QScrollBar>

namespace kvx {

JacketCommands::JacketCommands(const JacketControls& controls, Workspace& workspace,
                               const ImageList& images, DialogService& dialogs,
                               const MessageTexts& texts, QObject* parent)
    : QObject(parent), m_controls(controls), m_workspace(workspace), m_images(images),
      m_dialogs(dialogs), m_texts(texts)
{
    // However an option gets checked (a click, the keyboard, a screen
    // reader's action), the layout follows.
    for (int index = 0; index < int(std::size(LineOptionCounts)); ++index) {
        connect(m_controls.opLines.at(size_t(index)), &QAbstractButton::toggled, this,
                [this, index](bool checked) {
                    if (checked)
                        opLines_Click(index);
                });
    }
    for (size_t i = 0; i < std::size(ColumnOptionIndexes); ++i) {
        const int index = ColumnOptionIndexes[i];
        connect(m_controls.opColum.at(i), &QAbstractButton::toggled, this,
                [this, index](bool checked) {
                    if (checked)
                        opColum_Click(index);
                });
    }
    connect(m_controls.chkImageNb, &QAbstractButton::toggled, this,
            &JacketCommands::chkImageNb_Click);
    connect(m_controls.chkNb, &QAbstractButton::toggled, this, &JacketCommands::chkNb_Click);
    connect(m_controls.cmdPrint, &QAbstractButton::clicked, this, &JacketCommands::cmdPrint_Click);
    connect(m_controls.cmpProp, &QAbstractButton::clicked, this, &JacketCommands::cmpProp_Click);
    connect(m_controls.cmdPreview, &QAbstractButton::clicked, this,
            &JacketCommands::cmdPreview_Click);
    chkNb_Click();
}

// The counts come from the option's index, not its caption: a language file
// may give the options other captions, and the layout is defined only for
// these counts.
void JacketCommands::opLines_Click(int index)
{
    m_workspace.jacket.LinesPerColumn = LineOptionCounts[index];
    showCapacity();
    opColum_Click(m_workspace.jacket.ColumnOptionIndex);
}

void JacketCommands::opColum_Click(int index)
{
    const std::optional<int> guide =
        m_workspace.jacket.chooseColumnOption(qint16(index), ColumnsOfOption(qint16(index)));
    if (guide && m_controls.moveGuide)
        m_controls.moveGuide(*guide);
    showCapacity();
}

qint32 JacketCommands::capacity() const
{
    const CoverChoice& cover = m_workspace.cover;
    return CoverCapacity(cover.coverTemplate(), m_workspace.jacket, cover.titleOnBooklet);
}

void JacketCommands::showCapacity()
{
    m_controls.lblImprimable->setText(QString::number(capacity()));
    MarkRowsOverflow(m_controls.lblNbElements, capacity());
}

JacketPage JacketCommands::page() const
{
    RowAppearance look = m_controls.view->rowAppearance();
    look.colour = m_workspace.appearance.colour;
    return {m_workspace.tree(),
            m_images,
            look,
            m_workspace.jacket,
            m_workspace.jacket.capacity(),
            CoverPrint::of(m_workspace.cover, m_workspace.tree())};
}

void JacketCommands::chooseTemplate(const QString& name)
{
    if (m_workspace.cover.templateName == name)
        return;
    m_workspace.cover.templateName = name;
    m_workspace.history().markUnsaved();
    showCapacity();
}

void JacketCommands::askDiscTitle()
{
    CoverChoice& cover = m_workspace.cover;
    const QString title = QStringLiteral("KVX");
    const std::optional<QString> named = m_dialogs.InputBox(
        m_texts.text(Msg::DiscTitlePrompt), title, DiscTitle(cover, m_workspace.tree()));
    if (!named)
        return;
    const std::optional<QString> id =
        m_dialogs.InputBox(m_texts.text(Msg::DiscIdPrompt), title, cover.discId);
    if (!id)
        return;
    // The default title stays the default, following the tree.
    const CoverChoice before = cover;
    cover.discTitle = *named == DefaultDiscTitle(m_workspace.tree()) ? QString() : named->trimmed();
    cover.discId = id->trimmed();
    if (cover.discTitle != before.discTitle || cover.discId != before.discId)
        m_workspace.history().markUnsaved();
}

void JacketCommands::setTitleOnBooklet(bool on)
{
    if (m_workspace.cover.titleOnBooklet == on)
        return;
    m_workspace.cover.titleOnBooklet = on;
    m_workspace.history().markUnsaved();
    showCapacity();
}

void JacketCommands::cmdPrint_Click()
{
    if (m_printer.printing() ||
        !ConfirmRowsLeftOut(CountVisibleNodes(m_workspace.tree()), capacity(), m_dialogs, m_texts))
        return;
    print();
}

void JacketCommands::print()
{
    // The print run numbers the rows from the first one, which it selects;
    // the view stays scrolled where the user left it.
    NodeTree& tree = m_workspace.tree();
    QScrollBar* down = m_controls.view->verticalScrollBar();
    QScrollBar* across = m_controls.view->horizontalScrollBar();
    const int top = down->value(), left = across->value();
    if (Node* first = tree.nodeAt(1))
        tree.setSelectedItem(first);
    down->setValue(top);
    across->setValue(left);
    m_printer.print(page(), m_workspace.appearance.colour, m_dialogs, m_texts);
}

void JacketCommands::cmdPreview_Click()
{
    if (m_printer.preview(page(), m_controls.cmdPrint->text(), m_dialogs, m_texts,
                          m_controls.cmdPreview->window()))
        print();
}

void JacketCommands::chkImageNb_Click()
{
    m_workspace.setBlackAndWhiteFolders(m_controls.chkImageNb->isChecked());
}

void JacketCommands::chkNb_Click()
{
    m_workspace.appearance.colour = m_controls.chkNb->isChecked();
}

void JacketCommands::cmpProp_Click()
{
    m_printer.showProperties(m_dialogs, m_texts, m_controls.cmpProp->window());
}

} // namespace kvx
