#pragma once

#include "walk/FolderTotals.h"

#include <QMutex>
#include <QObject>
#include <QTimer>
#include <atomic>
#include <memory>

class QAction;
class QLabel;
class QPushButton;
class QThread;

namespace kvx {

class DialogService;
class MessageTexts;
class NodeTreeView;
class Workspace;

struct SizesControls
{
    QAction* mnuTailles = nullptr; // the check entry "Tailles" of "Plus ..."
    QLabel* lblSizes = nullptr;    // the progress line, shown while the walk runs
    QPushButton* cmdSizesStop = nullptr;
    NodeTreeView* view = nullptr;
};

// "Tailles": the files and sizes under each folder, after each folder row.
// Ticked, it walks the tree's start folder in a thread of its own (the tree
// is never touched from there) while the window stays usable, with a
// progress line and a button to stop; the rows show the totals once the walk
// has ended. Unticked, the rows show them no more. The tick follows the
// totals a document brings.
class SizesCommand : public QObject
{
    Q_OBJECT

public:
    SizesCommand(const SizesControls& controls, Workspace& workspace, DialogService& dialogs,
                 const MessageTexts& texts, QObject* parent = nullptr);
    ~SizesCommand() override;

    [[nodiscard]] bool walking() const { return m_thread != nullptr; }

public Q_SLOTS:
    void mnuTailles_Click(bool checked);
    void cmdSizesStop_Click();

Q_SIGNALS:
    // A walk has ended, with its totals shown or not (stopped, or the tree
    // changed its start meanwhile).
    void walkEnded();

private:
    void start();
    void finish();
    void showProgress();
    void followTotals();
    void showRows();
    void sayStartUnreadable();

    SizesControls m_controls;
    Workspace& m_workspace;
    DialogService& m_dialogs;
    const MessageTexts& m_texts;

    std::unique_ptr<QThread> m_thread;
    std::atomic<bool> m_cancel{false};
    QString m_rootKey; // where the walk started
    TotalsWalk m_result;
    QMutex m_progressLock;
    WalkProgress m_progress;
    QTimer m_progressTimer;
};

} // namespace kvx
