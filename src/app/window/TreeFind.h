#pragma once

#include <QObject>
#include <QString>

class QTreeView;

namespace kvx {

class DialogService;
class MessageTexts;
class TreeModel;
class Workspace;

// "Rechercher dans l'arbre ..." and its next and previous matches: the text is
// looked for in the rows the tree holds (see findNode), from the selected row
// on. A match is selected and shown, the branches leading to it opened as
// the user would open them (they are scanned; the tree counts as changed, but
// no undo step is made). Nothing found is said in a box titled "KVX".
class TreeFind : public QObject
{
    Q_OBJECT

public:
    TreeFind(Workspace& workspace, QTreeView& view, TreeModel& model, DialogService& dialogs,
             const MessageTexts& texts, QObject* parent = nullptr);

public Q_SLOTS:
    // Asks for the text (the last one offered), then finds its next match.
    void find();
    // The next or previous match of the last text; asks for one first when
    // there is none yet.
    void findNext();
    void findPrevious();

private:
    void findFrom(bool forward);

    Workspace& m_workspace;
    QTreeView& m_view;
    TreeModel& m_model;
    DialogService& m_dialogs;
    const MessageTexts& m_texts;
    QString m_text;
};

} // namespace kvx
