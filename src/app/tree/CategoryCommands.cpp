#include "tree/CategoryCommands.h"

#include "tree/FileNodes.h"
#include "tree/NodeTree.h"

#include <QAction>
#include <QCheckBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QWidget>

namespace kvx {

namespace {

const char* const TagProperty = "Tag";
const char* const BoxIndexProperty = "kvxCategoryIndex";

QString boxName(int index)
{
    return QStringLiteral("chkFile(%1)").arg(index);
}

} // namespace

CategoryCommands::CategoryCommands(QWidget& window, NodeTree& tree, EventPump& pump, AskText ask,
                                   QObject* parent)
    : QObject(parent), m_window(window), m_tree(tree), m_ask(std::move(ask)),
      m_files(std::make_unique<FileNodes>(tree, m_lister, pump))
{
    for (int i = 0; i < FileCategories::Count; ++i) {
        QCheckBox* chk = box(i);
        if (!chk)
            continue;
        const FileCategories::Box& initial = m_categories.box(i);
        chk->setText(initial.caption);
        chk->setToolTip(initial.pattern);
        chk->setProperty(TagProperty, initial.defaultPattern);
        chk->setChecked(false);
        chk->setEnabled(true);
        chk->setProperty(BoxIndexProperty, i);
        chk->installEventFilter(this);
        connect(chk, &QCheckBox::toggled, this, [this, i] { chkFile_Click(i); });
    }
    if (auto* cmdExe = m_window.findChild<QPushButton*>(QStringLiteral("cmdExe")))
        connect(cmdExe, &QPushButton::clicked, this, &CategoryCommands::cmdExe_Click);
    if (auto* command1 = m_window.findChild<QPushButton*>(QStringLiteral("Command1")))
        connect(command1, &QPushButton::clicked, this, &CategoryCommands::Command1_Click);
    if (auto* mnuAddFile = m_window.findChild<QAction*>(QStringLiteral("mnuAddFile")))
        connect(mnuAddFile, &QAction::triggered, this, &CategoryCommands::mnuAddFile_Click);
    showActivePattern();
}

CategoryCommands::~CategoryCommands() = default;

QCheckBox* CategoryCommands::box(int index) const
{
    return m_window.findChild<QCheckBox*>(boxName(index));
}

void CategoryCommands::readBoxes()
{
    for (int i = 0; i < FileCategories::Count; ++i) {
        if (const QCheckBox* chk = box(i)) {
            m_categories.setCaption(i, chk->text());
            m_categories.setPattern(i, chk->toolTip());
        }
    }
}

void CategoryCommands::chkFile_Click(int index)
{
    QCheckBox* changed = box(index);
    if (!changed)
        return;
    readBoxes();
    m_categories.setChecked(index, changed->isChecked());
    // Box 0 carries the others along; their own handling would only rebuild
    // the same pattern, so it is not raised.
    for (int i = 0; i < FileCategories::Count; ++i) {
        if (QCheckBox* chk = box(i)) {
            const QSignalBlocker quiet(chk);
            chk->setChecked(m_categories.box(i).checked);
            chk->setEnabled(m_categories.box(i).enabled);
        }
    }
    showActivePattern();
}

void CategoryCommands::showActivePattern()
{
    const QString& pattern = m_categories.activePattern();
    if (auto* frame = m_window.findChild<QWidget*>(QStringLiteral("frmPattern"))) {
        frame->setProperty(TagProperty, pattern);
        frame->setToolTip(pattern);
    }
    if (auto* cmdExe = m_window.findChild<QWidget*>(QStringLiteral("cmdExe")))
        cmdExe->setToolTip(pattern);
}

void CategoryCommands::chkFile_MouseDown(int index, Qt::MouseButton button)
{
    QCheckBox* chk = box(index);
    if (button != Qt::RightButton || !chk || !m_ask)
        return;
    readBoxes();
    const std::optional<QString> answer =
        m_ask(m_categories.editPrompt(index), m_categories.editTitle(index),
              m_categories.editDefault(index));
    m_categories.applyEditedPattern(index, answer.value_or(QString()));
    // The box may be gone once the prompt has run its own event loop.
    if ((chk = box(index)))
        chk->setToolTip(m_categories.box(index).pattern);
}

bool CategoryCommands::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const QVariant index = watched->property(BoxIndexProperty);
        // A filter sees presses on a disabled box too; like any disabled
        // control, a box locked by "all files" answers no click.
        const auto* widget = qobject_cast<const QWidget*>(watched);
        if (index.isValid() && widget && widget->isEnabled())
            chkFile_MouseDown(index.toInt(), static_cast<QMouseEvent*>(event)->button());
    }
    return QObject::eventFilter(watched, event);
}

void CategoryCommands::cmdExe_Click()
{
    m_files->AddFilesToFolders(m_categories.activePattern());
}

void CategoryCommands::Command1_Click()
{
    m_files->RemoveFilesByPattern(m_categories.activePattern());
}

void CategoryCommands::mnuAddFile_Click()
{
    m_files->AddFilesToNode(m_tree.selectedItem(), m_categories.activePattern());
}

} // namespace kvx
