#include "print/JacketCommands.h"

#include "app/VLine.h"
#include "app/frMain.h"
#include "print/FolderPictures.h"
#include "print/JacketLayout.h"
#include "tree/NodeTreeView.h"

#include <QAbstractButton>
#include <QLabel>

namespace kvx {

JacketCommands::JacketCommands(frMain& window)
    : QObject(&window), m_window(window),
      m_lblImprimable(window.control<QLabel>(QStringLiteral("lblImprimable"))),
      m_chkNb(window.control<QAbstractButton>(QStringLiteral("chkNb"))),
      m_chkImageNb(window.control<QAbstractButton>(QStringLiteral("chkImageNb")))
{
    setObjectName(QStringLiteral("JacketCommands"));
    for (int index = 0; index < int(std::size(LineOptionCounts)); ++index) {
        auto* option = window.control<QAbstractButton>(frMain::arrayName("opLines", index));
        connect(option, &QAbstractButton::toggled, this, [this, index](bool on) {
            if (on)
                opLines_Click(index);
        });
    }
    for (const qint16 index : ColumnOptionIndexes) {
        auto* option = window.control<QAbstractButton>(frMain::arrayName("opColum", index));
        connect(option, &QAbstractButton::toggled, this, [this, index](bool on) {
            if (on)
                opColum_Click(index);
        });
    }
    connect(m_chkImageNb, &QAbstractButton::toggled, this, &JacketCommands::chkImageNb_Click);
    connect(window.control<QAbstractButton>(QStringLiteral("cmdPrint")), &QAbstractButton::clicked,
            this, &JacketCommands::cmdPrint_Click);
    connect(window.control<QAbstractButton>(QStringLiteral("cmpProp")), &QAbstractButton::clicked,
            this, &JacketCommands::cmpProp_Click);
}

// The counts come from the option's index, not its caption: a language file
// may give the options other captions, and the layout is defined only for
// these counts.
void JacketCommands::opLines_Click(int index)
{
    m_window.jacket.LinesPerColumn = LineOptionCounts[index];
    showCapacity();
    opColum_Click(m_window.jacket.ColumnOptionIndex);
}

void JacketCommands::opColum_Click(int index)
{
    const std::optional<int> guide =
        m_window.jacket.chooseColumnOption(qint16(index), ColumnsOfOption(qint16(index)));
    if (guide)
        m_window.moveColumnGuide(*guide);
    showCapacity();
}

void JacketCommands::showCapacity()
{
    m_lblImprimable->setText(QString::number(m_window.jacket.capacity()));
}

void JacketCommands::cmdPrint_Click()
{
    JacketSource source{m_window.tree(),     *m_window.TV(),  m_window.eventPump(),
                        m_window.vLine(),    m_window.jacket, m_window.jacket.capacity(),
                        m_chkNb->isChecked()};
    m_printer.print(source, m_window.dialogs());
}

void JacketCommands::chkImageNb_Click()
{
    SetFolderPictures(m_window.tree(), m_chkImageNb->isChecked());
}

void JacketCommands::cmpProp_Click()
{
    m_printer.showProperties(&m_window);
}

void connectJacketCommands(frMain& window)
{
    new JacketCommands(window);
}

} // namespace kvx
