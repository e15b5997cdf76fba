#pragma once

#include "tree/CategoryIcons.h"
#include "tree/Colour.h"
#include "tree/Node.h"

#include <QPoint>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

namespace kvx {

class BusyEventPump;
class CatalogueCommands;
class CategoryCommands;
class cOpen;
class DialogService;
class ExportCommands;
class ImageList;
class InterfaceLanguage;
class JacketCommands;
class LabelCountDisplay;
class LanguageMenu;
class Node;
class NodeTree;
class NodeTreeView;
class OverflowCountDisplay;
class SizesCommand;
class RecentDocumentsMenu;
class TreeDocumentCommands;
class TreeFind;
class TreeModel;
class VLine;
class Workspace;

// The main window: the tree panel on the left, the commands on the right, the
// jacket options below; three pop-up menus (mnuNode, MNlangue, mnuMore) and
// no menu bar. Tab goes through the controls frame by frame, left to right
// and top to bottom; Alt and a caption's underlined letter presses a button
// or a box. A folder dropped on the window starts a tree from it, a document
// dropped opens. The title names the document, marked while it has unsaved
// changes.
// Every control carries its program name as objectName ("chkFile(3)" for a
// control-array member): the language files address controls by it.
//
// The window is a thin client of its workspace: it creates its controls in
// one place and hands each subsystem the workspace and typed references to
// the controls it serves. Form_Load() then starts the program and shows the
// window.
class frMain : public QWidget
{
    Q_OBJECT

public:
    // `dialogs` replaces the window's own dialog service (not owned; tests
    // script it). `programDir` holds ico/ and the language files; the
    // program's data folder when empty.
    explicit frMain(DialogService* dialogs = nullptr, const QString& programDir = {},
                    QWidget* parent = nullptr);
    ~frMain() override;

    [[nodiscard]] const QString& programDir() const { return m_programDir; }
    [[nodiscard]] Workspace& workspace() { return *m_workspace; }
    [[nodiscard]] NodeTree& tree();
    [[nodiscard]] ImageList& imageList() { return *m_images; }
    [[nodiscard]] NodeTreeView* TV() const { return m_tv; }
    [[nodiscard]] VLine* vLine() const { return m_vLine; }
    [[nodiscard]] TreeModel& treeModel() { return *m_model; }
    [[nodiscard]] DialogService& dialogs() { return *m_dialogs; }
    [[nodiscard]] QMenu* mnuNode() const { return m_mnuNode; }
    [[nodiscard]] QMenu* MNlangue() const { return m_mnuLangue; }
    // "Plus ...": the one menu of the commands beyond the original window.
    [[nodiscard]] QMenu* mnuMore() const { return m_mnuMore; }

    [[nodiscard]] CategoryCommands& categoryCommands() { return *m_categories; }
    [[nodiscard]] JacketCommands& jacketCommands() { return *m_jacket; }
    [[nodiscard]] TreeDocumentCommands& documents() { return *m_documents; }
    [[nodiscard]] CatalogueCommands& catalogueCommands() { return *m_catalogue; }
    [[nodiscard]] ExportCommands& exports() { return *m_exports; }
    [[nodiscard]] LanguageMenu& languageMenu() { return *m_languages; }
    [[nodiscard]] SizesCommand& sizesCommand() { return *m_sizes; }
    [[nodiscard]] TreeFind& treeFind() { return *m_find; }
    [[nodiscard]] InterfaceLanguage& language() { return *m_language; }

    // The objectName of a control-array member: "opColum(4)".
    [[nodiscard]] static QString arrayName(const char* name, int index);

    // The failure that ended start-up, if any.
    [[nodiscard]] const std::optional<StartupError>& startupError() const { return m_startupError; }

    // Moves the column guide to `leftTwips` over the tree view: top 0, 3 twips
    // wide, the full height of the tree panel.
    void moveColumnGuide(int leftTwips);

public Q_SLOTS:
    void Form_Load();
    void WarnWindowColour();

    void cmdStartPoint_Click();
    void cmdMore_Click();
    // Asks about unsaved changes, then opens the document.
    void openDocument(const QString& path);

    void TV_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint position);
    void TV_NodeClick(kvx::Node* node);
    void TV_MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint position);

    void mnuGras_Click();
    void mnuForeColors_Click();
    void mnuBackColors_Click();
    void mnuNiveau_Click();
    void mnuSupprim_Click();
    // Edits the selected row's text in place.
    void mnuRename_Click();
    // Opens the node menu at a place on the screen.
    void showNodeMenu(QPoint globalPosition);

    // Tells the user, once, in a box titled "KVX", what the last scans or
    // file adding left out of the tree (the tree keeps what was built).
    void reportLeftOut();
    // Undo and redo of the tree's edits; nothing while a long walk runs.
    void mnuUndo_Click();
    void mnuRedo_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Asks about unsaved changes first; a cancel keeps the window open.
    void closeEvent(QCloseEvent* event) override;

private:
    void connectCoverEntries();
    void createControls();
    void createMenus();
    void connectControls();
    void createSubsystems();
    void setKeyboardOrder();
    // A new tree: the folder's, in place of the tree and its document.
    void buildTreeFrom(const QString& folder);
    // The colour command: the colour dialog, then the selected node's colour.
    void colourSelected(void (NodeTree::*set)(Node*, Colour));
    [[nodiscard]] bool windowColourIsWhite();
    void showStartupError(const StartupError& error);
    void fitAutoSizeLabels();
    void showHistory();
    void afterUndo();
    // The node commands that need a selected row are enabled with one.
    void showNodeCommands();
    void showTitle();
    void showStartFolder();
    void renameNode(NodeId id, const QString& text);

    QString m_programDir;
    std::unique_ptr<BusyEventPump> m_pump;
    std::unique_ptr<LabelCountDisplay> m_count;
    std::unique_ptr<OverflowCountDisplay> m_countShown;
    std::unique_ptr<InterfaceLanguage> m_language;
    std::unique_ptr<Workspace> m_workspace;
    std::unique_ptr<ImageList> m_images;
    std::unique_ptr<cOpen> m_cOpen;
    DialogService* m_dialogs = nullptr;
    std::optional<StartupError> m_startupError;

    TreeModel* m_model = nullptr;
    CategoryCommands* m_categories = nullptr;
    JacketCommands* m_jacket = nullptr;
    TreeDocumentCommands* m_documents = nullptr;
    ExportCommands* m_exports = nullptr;
    LanguageMenu* m_languages = nullptr;
    SizesCommand* m_sizes = nullptr;
    TreeFind* m_find = nullptr;
    RecentDocumentsMenu* m_recent = nullptr;
    CatalogueCommands* m_catalogue = nullptr;

    // The controls, created once by createControls() and createMenus().
    NodeTreeView* m_tv = nullptr;
    VLine* m_vLine = nullptr;
    QWidget* m_picTv = nullptr;
    QPushButton* m_cmdStartPoint = nullptr;
    QLineEdit* m_txtStartPath = nullptr;
    QGroupBox* m_frmPattern = nullptr;
    std::array<QCheckBox*, 9> m_chkFile{};
    QPushButton* m_command1 = nullptr;
    QPushButton* m_cmdExe = nullptr;
    std::array<QRadioButton*, 3> m_opLines{};
    std::array<QRadioButton*, 3> m_opColum{}; // indexes 3, 4, 6
    QLabel* m_lblImprimable = nullptr;
    QLabel* m_lblNbElements = nullptr;
    QCheckBox* m_chkImageNb = nullptr;
    QCheckBox* m_chkNb = nullptr;
    QPushButton* m_cmpProp = nullptr;
    QPushButton* m_cmdPrint = nullptr;
    QPushButton* m_cmdPreview = nullptr;
    QPushButton* m_cmdTranslate = nullptr;
    QPushButton* m_cmdMore = nullptr;
    QMenu* m_mnuNode = nullptr;
    QAction* m_mnuAddFile = nullptr;
    QAction* m_mnuGras = nullptr;
    QAction* m_mnuForeColors = nullptr;
    QAction* m_mnuBackColors = nullptr;
    QAction* m_mnuNiveau = nullptr;
    QAction* m_mnuLoad = nullptr;
    QAction* m_mnuSave = nullptr;
    QAction* m_mnuSupprim = nullptr;
    QAction* m_mnuRename = nullptr;
    QAction* m_mnuUndo = nullptr;
    QAction* m_mnuRedo = nullptr;
    QMenu* m_mnuLangue = nullptr;
    QAction* m_mnLangueChoice0 = nullptr;
    QAction* m_mnLangueSep = nullptr;
    QAction* m_mnLangueOther = nullptr;
    QAction* m_mnuAbout = nullptr;
    QMenu* m_mnuMore = nullptr;
    QAction* m_mnuTailles = nullptr;
    QLabel* m_lblSizes = nullptr;
    QPushButton* m_cmdSizesStop = nullptr;
    QAction* m_mnuExport = nullptr;
    // In mnuMore: the cover's template, the disc's title, the title on the booklet.
    QMenu* m_mnuTemplate = nullptr;
    QAction* m_mnuDiscTitle = nullptr;
    QAction* m_mnuTitleOnBooklet = nullptr;
    QAction* m_mnuFind = nullptr;
    QAction* m_mnuFindNext = nullptr;
    QAction* m_mnuFindPrevious = nullptr;
    QMenu* m_mnuRecent = nullptr;
    QAction* m_mnuCatalogueDisc = nullptr;
    QAction* m_mnuCatalogue = nullptr;
    QAction* m_mnuOpenImage = nullptr;
    std::vector<QLabel*> m_autoSizeLabels;
};

} // namespace kvx
