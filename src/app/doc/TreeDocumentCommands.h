#pragma once

#include <QObject>
#include <QString>

class QAction;

namespace kvx {

class DialogService;
class MessageTexts;
class NodeTreeView;
class TreeModel;
class Workspace;

// The node menu's "Ouvrir ..." and "Sauvegarder ..." (mnuLoad, mnuSave):
// the workspace opens and saves; these commands ask for the file, show the
// document's view settings on the tree view and tell the user what failed.
// They know the tree's document (the one last opened or saved, until a new
// tree replaces it), where the dialogs start from it, and they keep the
// recent documents and the last folder in the user's settings.
class TreeDocumentCommands : public QObject
{
    Q_OBJECT

public:
    TreeDocumentCommands(QAction* mnuLoad, QAction* mnuSave, Workspace& workspace,
                         NodeTreeView& view, TreeModel& model, DialogService& dialogs,
                         const MessageTexts& texts, QObject* parent = nullptr);

    // Replaces the window's tree with the document's and shows its settings.
    // A file that is no tree document changes nothing and says so in a box
    // titled "KVX"; returns false then.
    bool openDocument(const QString& path);
    // Writes the window's tree; a failure leaves any old file as it was and
    // says so in a box titled "KVX"; returns false then.
    bool saveDocument(const QString& path);

    // Before the tree is closed or replaced: with unsaved changes, asks
    // whether to save them (through mnuSave_Click), discard them or cancel.
    // True when the caller may go on.
    [[nodiscard]] bool saveOrDiscardChanges();

    // The tree's document: the path last opened or saved, empty for a tree
    // that has none.
    [[nodiscard]] const QString& document() const { return m_document; }
    // A new tree, not from a document, replaced the last one.
    void forgetDocument();

public Q_SLOTS:
    // Asks about unsaved changes first.
    void mnuLoad_Click();
    // True when the tree was written.
    bool mnuSave_Click();

Q_SIGNALS:
    // The tree's document changed: opened, saved under a name, or forgotten.
    void documentChanged(const QString& path);

private:
    void setDocument(const QString& path);

    Workspace& m_workspace;
    NodeTreeView& m_view;
    TreeModel& m_model;
    DialogService& m_dialogs;
    const MessageTexts& m_texts;
    QString m_document;
};

} // namespace kvx
