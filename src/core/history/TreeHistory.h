#pragma once

#include "tree/TreeSnapshot.h"

#include <QObject>
#include <deque>

namespace kvx {

class NodeTree;

// The undo and redo history of a tree's edits, and whether the tree has
// changes not yet saved.
//
// An edit command runs inside an Edit: the tree as it was before is kept, and
// becomes one undo step when the command changed it. Undo gives back that tree
// exactly (redo the one it replaced), as one restore of the node tree. Any
// change to the tree counts as unsaved, recorded or not (scans, expansions,
// pictures); undoing back to the tree last saved makes it saved again.
class TreeHistory : public QObject
{
    Q_OBJECT

public:
    // Older steps are dropped past either limit.
    static constexpr size_t MaxSteps = 100;
    static constexpr qsizetype MaxNodeRecords = 500'000;

    explicit TreeHistory(NodeTree& tree, QObject* parent = nullptr);

    // One edit command, for the lifetime of the object. An edit begun while
    // another runs (from an event loop the first one yields to) joins it.
    class Edit
    {
    public:
        explicit Edit(TreeHistory& history) : m_history(history) { m_history.beginEdit(); }
        ~Edit() { m_history.endEdit(); }
        Edit(const Edit&) = delete;
        Edit& operator=(const Edit&) = delete;

    private:
        TreeHistory& m_history;
    };
    void beginEdit();
    void endEdit();
    [[nodiscard]] bool editing() const { return m_editDepth > 0; }

    [[nodiscard]] bool canUndo() const { return !m_undo.empty() && !editing(); }
    [[nodiscard]] bool canRedo() const { return !m_redo.empty() && !editing(); }
    // False, changing nothing, when there is no step or an edit is running.
    bool undo();
    bool redo();
    [[nodiscard]] size_t undoCount() const { return m_undo.size(); }

    // Forgets every step: a new tree or an opened document starts afresh.
    void clear();

    [[nodiscard]] bool isModified() const;
    // The tree as it is now is the one in its document.
    void markSaved();
    // A value the document keeps beside the nodes changed (the cover's, say):
    // the tree now differs from its document, without an undo step.
    void markUnsaved();

Q_SIGNALS:
    // What canUndo() or canRedo() say may have changed.
    void changed();

private:
    struct Step
    {
        TreeSnapshot tree;
        quint64 state = 0; // the tree's state number when it was taken
    };

    // The tree's state number, a new one when it changed since last asked.
    quint64 currentState();
    void travel(std::deque<Step>& from, std::deque<Step>& to);
    void trim();

    NodeTree& m_tree;
    std::deque<Step> m_undo;
    std::deque<Step> m_redo;
    // Each change gives the tree a new state number, when next asked; a restore
    // gives back the number of the tree it restores.
    quint64 m_state = 0;
    quint64 m_seenChanges = 0; // the tree's change count when m_state was given
    quint64 m_lastState = 0;
    quint64 m_savedState = 0;
    int m_editDepth = 0;
    bool m_editDropped = false;
    Step m_before;
};

} // namespace kvx
