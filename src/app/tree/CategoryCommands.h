#pragma once

#include "tree/FileCategories.h"
#include "tree/FileLister.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QWidget;

namespace kvx {

class EventPump;
class FileNodes;
class NodeTree;

// The file categories of the main window: the nine boxes chkFile(0..8) in the
// frame frmPattern, the buttons cmdExe ("add these files") and Command1
// ("remove"), and the node-menu item mnuAddFile. Finds the controls by their
// objectName under `window` and connects them.
//
// A box's pattern is its tool tip (a language file may replace it, as it may
// the caption); its default pattern is its "Tag" property. The active pattern
// is the "Tag" property of frmPattern and the tool tip of frmPattern and cmdExe.
class CategoryCommands : public QObject
{
    Q_OBJECT

public:
    // The one-line prompt of the dialog service: the typed text, nullopt when
    // cancelled.
    using AskText = std::function<std::optional<QString>(
        const QString& prompt, const QString& title, const QString& defaultText)>;

    CategoryCommands(QWidget& window, NodeTree& tree, EventPump& pump, AskText ask,
                     QObject* parent = nullptr);
    ~CategoryCommands() override;

    [[nodiscard]] const QString& activePattern() const { return m_categories.activePattern(); }

public Q_SLOTS:
    void chkFile_Click(int index);
    void chkFile_MouseDown(int index, Qt::MouseButton button);
    void cmdExe_Click();
    void Command1_Click();
    void mnuAddFile_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    [[nodiscard]] QCheckBox* box(int index) const;
    // Takes in what a language file may have changed on the boxes.
    void readBoxes();
    void showActivePattern();

    QWidget& m_window;
    NodeTree& m_tree;
    AskText m_ask;
    FileCategories m_categories;
    DirectoryFileLister m_lister;
    std::unique_ptr<FileNodes> m_files;
};

} // namespace kvx
