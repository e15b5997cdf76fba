#pragma once

#include "app/CategoryIcons.h"
#include "print/JacketLayout.h"
#include "tree/Node.h"

#include <QPoint>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;

namespace kvx {

class BusyEventPump;
class cOpen;
class DialogService;
class DirectoryLister;
class ElementCountDisplay;
class EventPump;
class FolderScan;
class ImageList;
class ImageRegistry;
class LabelCountDisplay;
class NodeTree;
class NodeTreeView;
class TreeModel;
class VLine;

// The main window: the tree panel on the left, the commands on the right, the
// jacket options below; two pop-up menus (mnuNode, MNlangue) and no menu bar.
// Every control carries its program name as objectName ("chkFile(3)" for a
// control-array member), so subsystems and language files find it by name.
//
// Create it, inject what a test needs (dialog service, program folder), then
// run Form_Load(), which shows the window.
class frMain : public QWidget
{
    Q_OBJECT

public:
    explicit frMain(QWidget* parent = nullptr);
    ~frMain() override;

    // The program's folder, holding ico/ and the language files; the
    // executable's own folder unless set.
    void setProgramDir(const QString& folder) { m_programDir = folder; }
    [[nodiscard]] const QString& programDir() const { return m_programDir; }

    [[nodiscard]] NodeTree& tree() { return *m_tree; }
    [[nodiscard]] ImageList& imageList() { return *m_images; }
    [[nodiscard]] const ImageRegistry& imageRegistry() const;
    [[nodiscard]] NodeTreeView* TV() const { return m_tv; }
    [[nodiscard]] TreeModel& treeModel() { return *m_model; }
    [[nodiscard]] FolderScan& folderScan() { return *m_scan; }
    [[nodiscard]] EventPump& eventPump();
    [[nodiscard]] ElementCountDisplay& elementCount();
    [[nodiscard]] VLine* vLine() const { return m_vLine; }
    [[nodiscard]] QMenu* mnuNode() const { return m_mnuNode; }
    [[nodiscard]] QMenu* MNlangue() const { return m_mnuLangue; }

    // The window's dialog service: the one given (not owned), or its own cOpen,
    // created on first use.
    [[nodiscard]] DialogService& dialogs();
    void setDialogService(DialogService* service) { m_injectedDialogs = service; }

    // The objectName of a control-array member: "opColum(4)".
    [[nodiscard]] static QString arrayName(const char* name, int index);

    // A control, a menu item or a menu by its objectName; null when none.
    template <class T = QObject> [[nodiscard]] T* control(const QString& name) const
    {
        if (objectName() == name)
            return qobject_cast<T*>(const_cast<frMain*>(this));
        return findChild<T*>(name);
    }

    // Filled in by the language menu: the last start-up step.
    void setLanguageFilesLister(std::function<void()> lister)
    {
        m_listLanguages = std::move(lister);
    }

    // The failure that ended start-up, if any.
    [[nodiscard]] const std::optional<StartupError>& startupError() const { return m_startupError; }

    // The jacket's grid as the line and column options set it; start-up
    // chooses 50 lines and 3 columns (option 4).
    JacketLayout jacket;

    // Moves the column guide to `leftTwips` over the tree view: top 0, 3 twips
    // wide, the full height of the tree panel.
    void moveColumnGuide(int leftTwips);

public Q_SLOTS:
    void Form_Load();
    void WarnWindowColour();
    void ListLanguageFiles();

    void cmdStartPoint_Click();

    void TV_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint position);
    void TV_NodeClick(kvx::Node* node);
    void TV_MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint position);

    void mnuGras_Click();
    void mnuForeColors_Click();
    void mnuBackColors_Click();
    void mnuNiveau_Click();
    void mnuSupprim_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createMenus();
    void connectControls();
    void connectSubsystems();
    [[nodiscard]] bool windowColourIsWhite();
    void showStartupError(const StartupError& error);
    void fitAutoSizeLabels();

    QString m_programDir;
    std::unique_ptr<ImageList> m_images;
    std::unique_ptr<NodeTree> m_tree;
    std::unique_ptr<DirectoryLister> m_lister;
    std::unique_ptr<BusyEventPump> m_pump;
    std::unique_ptr<LabelCountDisplay> m_count;
    std::unique_ptr<cOpen> m_cOpen;
    DialogService* m_injectedDialogs = nullptr;
    std::function<void()> m_listLanguages;
    std::optional<StartupError> m_startupError;

    FolderScan* m_scan = nullptr;
    TreeModel* m_model = nullptr;
    NodeTreeView* m_tv = nullptr;
    VLine* m_vLine = nullptr;
    QWidget* m_fraTb = nullptr;
    QWidget* m_picTv = nullptr;
    QWidget* m_frame1 = nullptr;
    QLineEdit* m_txtStartPath = nullptr;
    QLabel* m_lblNbElements = nullptr;
    QMenu* m_mnuNode = nullptr;
    QMenu* m_mnuLangue = nullptr;
    QAction* m_mnuGras = nullptr;
    std::vector<QLabel*> m_autoSizeLabels;
};

} // namespace kvx
