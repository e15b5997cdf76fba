#include "window/SizesCommand.h"

#include "dialogs/DialogService.h"
#include "lang/MessageTexts.h"
#include "lang/TotalsText.h"
#include "tree/NodeTreeView.h"
#include "walk/DirectoryWalkSource.h"
#include "workspace/Workspace.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QThread>

namespace kvx {

SizesCommand::SizesCommand(const SizesControls& controls, Workspace& workspace,
                           DialogService& dialogs, const MessageTexts& texts, QObject* parent)
    : QObject(parent), m_controls(controls), m_workspace(workspace), m_dialogs(dialogs),
      m_texts(texts)
{
    m_controls.mnuTailles->setCheckable(true);
    m_controls.lblSizes->hide();
    m_controls.cmdSizesStop->hide();
    m_controls.view->setRowSuffix(
        [this](const Node& node) { return totalSuffix(m_workspace.totals, node, m_texts); });
    m_progressTimer.setInterval(100);
    connect(&m_progressTimer, &QTimer::timeout, this, &SizesCommand::showProgress);
    connect(m_controls.mnuTailles, &QAction::triggered, this, &SizesCommand::mnuTailles_Click);
    connect(m_controls.cmdSizesStop, &QPushButton::clicked, this,
            &SizesCommand::cmdSizesStop_Click);
    // A new tree has no totals; an opened one has those of its document.
    for (auto signal : {&NodeTree::cleared, &NodeTree::bulkChangeEnded})
        connect(&m_workspace.tree(), signal, this, &SizesCommand::followTotals);
}

SizesCommand::~SizesCommand()
{
    if (m_thread) {
        m_thread->disconnect(this);
        m_cancel = true;
        m_thread->wait();
    }
}

void SizesCommand::followTotals()
{
    if (!walking())
        m_controls.mnuTailles->setChecked(!m_workspace.totals.isEmpty());
}

void SizesCommand::showRows()
{
    m_controls.view->viewport()->update();
}

void SizesCommand::mnuTailles_Click(bool checked)
{
    if (!checked) {
        if (walking()) {
            cmdSizesStop_Click();
            return;
        }
        m_workspace.totals.clear();
        showRows();
        return;
    }
    if (!walking())
        start();
}

void SizesCommand::cmdSizesStop_Click()
{
    m_cancel = true;
}

void SizesCommand::start()
{
    m_rootKey = m_workspace.rootKey();
    if (m_rootKey.isEmpty()) {
        m_controls.mnuTailles->setChecked(false);
        return;
    }
    if (!QFileInfo(m_rootKey).isDir()) {
        m_controls.mnuTailles->setChecked(false);
        sayStartUnreadable();
        return;
    }
    m_cancel = false;
    m_progress = {};
    auto source = std::make_shared<DirectoryWalkSource>(m_rootKey);
    m_thread.reset(QThread::create([this, source] {
        WalkOptions options;
        options.cancel = &m_cancel;
        options.progress = [this](const WalkProgress& progress) {
            const QMutexLocker lock(&m_progressLock);
            m_progress.folders = progress.folders;
            m_progress.files = progress.files;
        };
        m_result = takeFolderTotals(*source, options);
    }));
    connect(m_thread.get(), &QThread::finished, this, &SizesCommand::finish);
    showProgress();
    m_controls.lblSizes->show();
    m_controls.cmdSizesStop->show();
    m_controls.view->window()->setCursor(Qt::BusyCursor);
    m_progressTimer.start();
    m_thread->start();
}

void SizesCommand::sayStartUnreadable()
{
    m_dialogs.MsgBox(m_texts.text(Msg::StartUnreadable).arg(QDir::toNativeSeparators(m_rootKey)),
                     QStringLiteral("KVX"), MessageIcon::Exclamation);
}

void SizesCommand::showProgress()
{
    WalkProgress progress;
    {
        const QMutexLocker lock(&m_progressLock);
        progress.folders = m_progress.folders;
        progress.files = m_progress.files;
    }
    m_controls.lblSizes->setText(
        m_texts.text(Msg::SizesProgress).arg(progress.folders).arg(progress.files));
}

void SizesCommand::finish()
{
    m_thread->wait();
    m_thread.reset();
    m_progressTimer.stop();
    m_controls.lblSizes->hide();
    m_controls.cmdSizesStop->hide();
    m_controls.view->window()->unsetCursor();
    if (m_result.walk.startUnreadable)
        sayStartUnreadable();
    // Stopped is stopped, even when the walk got to its end meanwhile.
    const bool shown = !m_cancel && !m_result.walk.cancelled && !m_result.walk.startUnreadable &&
                       m_workspace.takeTotals(m_result, m_rootKey);
    m_result = {};
    m_controls.mnuTailles->setChecked(shown || !m_workspace.totals.isEmpty());
    showRows();
    Q_EMIT walkEnded();
}

} // namespace kvx
