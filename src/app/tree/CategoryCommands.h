#pragma once

#include "tree/FileCategories.h"

#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <optional>

class QAction;
class QCheckBox;
class QPushButton;
class QWidget;

namespace kvx {

class MessageTexts;
class Workspace;

// The window's controls that the file categories serve.
struct CategoryControls
{
    std::array<QCheckBox*, FileCategories::Count> chkFile{};
    QWidget* frmPattern = nullptr;
    QPushButton* cmdExe = nullptr;   // "add these files"
    QPushButton* Command1 = nullptr; // "remove"
    QAction* mnuAddFile = nullptr;
};

// The file categories of the main window: the nine boxes chkFile(0..8) in the
// frame frmPattern, the buttons cmdExe and Command1, and the node-menu item
// mnuAddFile. The boxes' captions, patterns, check states and the active
// pattern are the workspace's; the controls show them (a box's pattern as its
// tool tip, the active pattern as the tool tip of the frame and of cmdExe).
class CategoryCommands : public QObject
{
    Q_OBJECT

public:
    // The one-line prompt of the dialog service: the typed text, nullopt when
    // cancelled.
    using AskText = std::function<std::optional<QString>(
        const QString& prompt, const QString& title, const QString& defaultText)>;

    CategoryCommands(const CategoryControls& controls, Workspace& workspace,
                     const MessageTexts& texts, AskText ask, QObject* parent = nullptr);

    [[nodiscard]] const QString& activePattern() const;

    // A language file was applied: it may have given the boxes new captions
    // and patterns (their tool tips). The categories take them.
    void takeTranslatedTexts();

public Q_SLOTS:
    void chkFile_Click(int index);
    // A right click asks for the box's pattern; a cancelled prompt keeps it.
    void chkFile_MouseDown(int index, Qt::MouseButton button);
    void cmdExe_Click();
    void Command1_Click();
    void mnuAddFile_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showBoxes();
    void showActivePattern();

    CategoryControls m_controls;
    Workspace& m_workspace;
    FileCategories& m_categories;
    const MessageTexts& m_texts;
    AskText m_ask;
};

} // namespace kvx
