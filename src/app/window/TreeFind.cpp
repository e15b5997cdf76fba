#include "window/TreeFind.h"

#include "dialogs/DialogService.h"
#include "lang/MessageTexts.h"
#include "tree/TreeModel.h"
#include "tree/TreeSearch.h"
#include "workspace/Workspace.h"

#include <QPointer>
#include <QTreeView>
#include <vector>

namespace kvx {

TreeFind::TreeFind(Workspace& workspace, QTreeView& view, TreeModel& model, DialogService& dialogs,
                   const MessageTexts& texts, QObject* parent)
    : QObject(parent), m_workspace(workspace), m_view(view), m_model(model), m_dialogs(dialogs),
      m_texts(texts)
{
}

void TreeFind::find()
{
    const QPointer<TreeFind> alive(this);
    const std::optional<QString> text =
        m_dialogs.InputBox(m_texts.text(Msg::FindPrompt), m_texts.text(Msg::FindTitle), m_text);
    if (!alive || !text || text->isEmpty())
        return;
    m_text = *text;
    findFrom(true);
}

void TreeFind::findNext()
{
    if (m_text.isEmpty())
        find();
    else
        findFrom(true);
}

void TreeFind::findPrevious()
{
    if (m_text.isEmpty())
        find();
    else
        findFrom(false);
}

void TreeFind::findFrom(bool forward)
{
    NodeTree& tree = m_workspace.tree();
    const Node* found = findNode(tree, tree.selectedItem(), m_text, forward);
    if (!found) {
        m_dialogs.MsgBox(m_texts.text(Msg::NotFound).arg(m_text), QStringLiteral("KVX"),
                         MessageIcon::Information);
        return;
    }
    // The branches open from the root down; each opening may scan and yield,
    // so nodes are found again by id after each.
    const NodeId target = found->id();
    std::vector<NodeId> branch;
    for (const Node* up = found->parent(); up; up = up->parent())
        branch.push_back(up->id());
    for (auto id = branch.rbegin(); id != branch.rend(); ++id) {
        if (Node* node = tree.find(*id))
            tree.setExpanded(node, true);
    }
    if (Node* node = tree.find(target)) {
        tree.setSelectedItem(node);
        m_view.scrollTo(m_model.indexOf(node));
    }
}

} // namespace kvx
