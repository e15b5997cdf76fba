#pragma once

#include "doc/TreeViewSettings.h"

#include <QObject>

namespace kvx {

class frMain;

// The node menu's "Ouvrir ..." and "Sauvegarder ..." (mnuLoad, mnuSave),
// and the view settings that documents carry. Lives as long as the window.
class TreeDocumentCommands : public QObject
{
    Q_OBJECT

public:
    explicit TreeDocumentCommands(frMain& window);

    // Replaces the window's tree with the document's and shows its settings.
    // A file that is no tree document changes nothing and says so in a box
    // titled "KVX"; returns false then.
    bool openDocument(const QString& path);
    // Writes the window's tree; a failure leaves any old file as it was and
    // says so in a box titled "KVX"; returns false then.
    bool saveDocument(const QString& path);

    [[nodiscard]] const TreeViewSettings& settings() const { return m_settings; }

public Q_SLOTS:
    void mnuLoad_Click();
    void mnuSave_Click();

private:
    [[nodiscard]] QString dialogFolder() const;

    frMain& m_window;
    TreeViewSettings m_settings;
};

// Creates the commands and connects them to the node menu's items.
void connectTreeDocuments(frMain& window);

} // namespace kvx
