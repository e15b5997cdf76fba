#include "history/TreeHistory.h"

#include "tree/NodeTree.h"

namespace kvx {

TreeHistory::TreeHistory(NodeTree& tree, QObject* parent)
    : QObject(parent), m_tree(tree), m_seenChanges(tree.changes())
{
}

bool TreeHistory::isModified() const
{
    // Changes since the state was last numbered make a new state, never saved.
    return m_tree.changes() != m_seenChanges || m_state != m_savedState;
}

quint64 TreeHistory::currentState()
{
    if (m_tree.changes() != m_seenChanges) {
        m_seenChanges = m_tree.changes();
        m_state = ++m_lastState;
    }
    return m_state;
}

void TreeHistory::beginEdit()
{
    if (m_editDepth++ > 0)
        return;
    m_editDropped = false;
    m_before = {m_tree.snapshot(), currentState()};
    Q_EMIT changed();
}

void TreeHistory::endEdit()
{
    if (m_editDepth == 0 || --m_editDepth > 0)
        return;
    if (!m_editDropped && currentState() != m_before.state) {
        m_undo.push_back(std::move(m_before));
        m_redo.clear();
        trim();
    }
    m_before = {};
    Q_EMIT changed();
}

bool TreeHistory::undo()
{
    if (!canUndo())
        return false;
    travel(m_undo, m_redo);
    return true;
}

bool TreeHistory::redo()
{
    if (!canRedo())
        return false;
    travel(m_redo, m_undo);
    return true;
}

// Restores the last step of `from`; the tree it replaces goes to `to`.
void TreeHistory::travel(std::deque<Step>& from, std::deque<Step>& to)
{
    Step step = std::move(from.back());
    from.pop_back();
    to.push_back({m_tree.snapshot(), currentState()});
    m_tree.restore(step.tree);
    m_seenChanges = m_tree.changes();
    m_state = step.state;
    trim();
    Q_EMIT changed();
}

void TreeHistory::trim()
{
    qsizetype records = 0;
    for (const auto* steps : {&m_undo, &m_redo})
        for (const Step& step : *steps)
            records += step.tree.count();
    while (!m_undo.empty() &&
           (m_undo.size() + m_redo.size() > MaxSteps || records > MaxNodeRecords)) {
        records -= m_undo.front().tree.count();
        m_undo.pop_front();
    }
}

void TreeHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
    m_editDropped = editing();
    Q_EMIT changed();
}

void TreeHistory::markUnsaved()
{
    currentState();
    m_state = ++m_lastState;
    Q_EMIT changed();
}

void TreeHistory::markSaved()
{
    m_savedState = currentState();
    Q_EMIT changed();
}

} // namespace kvx
