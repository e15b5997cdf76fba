#pragma once

#include "catalogue/CatalogueWindow.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QAction;
class QLineEdit;
class QWidget;

namespace kvx {

class BusyEventPump;
class DialogService;
class MessageTexts;
class Node;
class TreeDocumentCommands;
class Workspace;

// The controls the catalogue commands serve.
struct CatalogueControls
{
    QWidget* window = nullptr;           // the main window: owner of the catalogue window
    QAction* mnuCatalogueDisc = nullptr; // "Cataloguer ce disque ..."
    QAction* mnuCatalogue = nullptr;     // "Catalogue ..."
    QAction* mnuOpenImage = nullptr;     // "Ouvrir une image disque ..."
    QLineEdit* txtStartPath = nullptr;   // shows where the tree starts
};

// The "Plus ..." menu's catalogue commands: record the tree's disc in the
// catalogue, open the catalogue window, start a tree from a disc image, and
// show a disc's tree from a hit of the catalogue.
class CatalogueCommands : public QObject
{
    Q_OBJECT

public:
    CatalogueCommands(const CatalogueControls& controls, Workspace& workspace, BusyEventPump& pump,
                      TreeDocumentCommands& documents, DialogService& dialogs,
                      const MessageTexts& texts, QObject* parent = nullptr);
    ~CatalogueCommands() override;

    // The catalogue used: the default one unless set (tests use their own).
    [[nodiscard]] const QString& cataloguePath() const { return m_path; }
    void setCataloguePath(const QString& path) { m_path = path; }
    // The catalogue window; null until first opened.
    [[nodiscard]] CatalogueWindow* catalogueWindow() const { return m_window; }

    // Shows a recorded disc's tree, opened down to the folder `path` ("/a/b")
    // names or holds, through the unsaved-changes question. False when the
    // user cancelled or the catalogue could not be read (said in a box).
    bool openHit(qint64 disc, const QString& path, bool folder);

public Q_SLOTS:
    void mnuCatalogueDisc_Click();
    void mnuCatalogue_Click();
    void mnuOpenImage_Click();
    // A language file was applied: the catalogue window takes its texts.
    void takeLanguage(const QString& file);

Q_SIGNALS:
    // A new tree stands (from an image or a recorded disc).
    void treeBuilt();
    // The disc being catalogued was read this far.
    void cataloguingProgressed(qint64 folders, qint64 files);

private:
    // Opens the folders down to `relativePath` under the root and selects it.
    void openDownTo(const QString& relativePath);
    void sayError(const QString& text);

    CatalogueControls m_controls;
    Workspace& m_workspace;
    BusyEventPump& m_pump;
    TreeDocumentCommands& m_documents;
    DialogService& m_dialogs;
    const MessageTexts& m_texts;
    QString m_path;
    QString m_languageFile;
    QPointer<CatalogueWindow> m_window;
};

} // namespace kvx
