#include "tree/CategoryCommands.h"

#include "lang/LanguageFile.h"
#include "lang/MessageTexts.h"
#include "workspace/Workspace.h"

#include <QAction>
#include <QCheckBox>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QWidget>

namespace kvx {

CategoryCommands::CategoryCommands(const CategoryControls& controls, Workspace& workspace,
                                   const MessageTexts& texts, AskText ask, QObject* parent)
    : QObject(parent), m_controls(controls), m_workspace(workspace),
      m_categories(workspace.categories), m_texts(texts), m_ask(std::move(ask))
{
    for (int i = 0; i < FileCategories::Count; ++i) {
        QCheckBox* chk = m_controls.chkFile.at(size_t(i));
        chk->setText(m_categories.box(i).caption);
        chk->installEventFilter(this);
        connect(chk, &QCheckBox::toggled, this, [this, i] { chkFile_Click(i); });
    }
    showBoxes();
    connect(m_controls.cmdExe, &QPushButton::clicked, this, &CategoryCommands::cmdExe_Click);
    connect(m_controls.Command1, &QPushButton::clicked, this, &CategoryCommands::Command1_Click);
    connect(m_controls.mnuAddFile, &QAction::triggered, this, &CategoryCommands::mnuAddFile_Click);
    showActivePattern();
}

const QString& CategoryCommands::activePattern() const
{
    return m_categories.activePattern();
}

void CategoryCommands::takeTranslatedTexts()
{
    for (int i = 0; i < FileCategories::Count; ++i) {
        const QCheckBox* chk = m_controls.chkFile.at(size_t(i));
        m_categories.setCaption(i, chk->text());
        m_categories.setPattern(i, chk->toolTip());
    }
}

void CategoryCommands::showBoxes()
{
    // Box 0 carries the others along; their own handling would only rebuild
    // the same pattern, so it is not raised.
    for (int i = 0; i < FileCategories::Count; ++i) {
        QCheckBox* chk = m_controls.chkFile.at(size_t(i));
        const FileCategories::Box& box = m_categories.box(i);
        const QSignalBlocker quiet(chk);
        chk->setChecked(box.checked);
        chk->setEnabled(box.enabled);
        chk->setToolTip(box.pattern);
    }
}

void CategoryCommands::chkFile_Click(int index)
{
    m_categories.setChecked(index, m_controls.chkFile.at(size_t(index))->isChecked());
    showBoxes();
    showActivePattern();
}

void CategoryCommands::showActivePattern()
{
    const QString& pattern = m_categories.activePattern();
    m_controls.frmPattern->setToolTip(pattern);
    m_controls.cmdExe->setToolTip(pattern);
}

void CategoryCommands::chkFile_MouseDown(int index, Qt::MouseButton button)
{
    if (button != Qt::RightButton || !m_ask)
        return;
    const QPointer<CategoryCommands> alive(this);
    const QString prompt =
        m_texts.text(Msg::EditPattern).arg(shownCaption(m_categories.box(index).caption));
    const std::optional<QString> answer =
        m_ask(prompt, m_categories.editTitle(index), m_categories.editDefault(index));
    // The window may be gone once the prompt has run its own event loop.
    if (!alive || !answer)
        return;
    m_categories.applyEditedPattern(index, *answer);
    showBoxes();
}

bool CategoryCommands::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const auto& boxes = m_controls.chkFile;
        const auto found = std::find(boxes.begin(), boxes.end(), watched);
        // A filter sees presses on a disabled box too; like any disabled
        // control, a box locked by "all files" answers no click.
        if (found != boxes.end() && (*found)->isEnabled())
            chkFile_MouseDown(int(found - boxes.begin()),
                              static_cast<QMouseEvent*>(event)->button());
    }
    return QObject::eventFilter(watched, event);
}

void CategoryCommands::cmdExe_Click()
{
    m_workspace.AddFilesToFolders();
}

void CategoryCommands::Command1_Click()
{
    m_workspace.RemoveFilesByPattern();
}

void CategoryCommands::mnuAddFile_Click()
{
    m_workspace.AddFilesToSelected();
}

} // namespace kvx
