#pragma once

#include "lang/LanguageList.h"

#include <QObject>
#include <QPoint>
#include <QString>
#include <memory>
#include <vector>

class QAction;
class QListWidget;
class QMenu;
class QPushButton;
class QWidget;

namespace kvx {

class DialogService;
class ShellLauncher;
class ShellOpen;

// The window's controls that the language menu serves.
struct LanguageControls
{
    QWidget* window = nullptr; // the window translated, and the About window's owner
    QPushButton* cmdTranslate = nullptr;
    QMenu* MNlangue = nullptr;
    QAction* firstChoice = nullptr; // MNlangueChoice(0); the others are made as needed
    QAction* choicesEnd = nullptr;  // the separator after the language items
    QAction* MNlangueOther = nullptr;
    QAction* mnuabout = nullptr;
    QListWidget* FileLNG = nullptr; // the hidden list of the language files
};

// The language menu of the main window: one item per language file (see
// ListLanguages), "Other ..." (how to write a language file) and
// "A propos ..." (the About window). It lives as long as the window.
class LanguageMenu : public QObject
{
    Q_OBJECT

public:
    LanguageMenu(const LanguageControls& controls, DialogService& dialogs,
                 const QString& programDir, QObject* parent = nullptr);
    ~LanguageMenu() override;

    // Fills the language items from the "*.lng" files of the language folders
    // (the program's, and the user's own when the program's is read-only), in
    // alphabetical order; item 0 is reused, the others are added. The item
    // of the language in use carries a check mark: French, the template's
    // language, until another is chosen.
    void ListLanguageFiles();
    // Opens the menu just below the "translate ..." button.
    void cmdTranslate_Click();
    // Applies the item's language file, and marks it.
    void MNlangueChoice_Click(int index);
    // Tells how to write a language file, then opens the French one (a copy
    // the user may edit when the program's folder is read-only).
    void MNlangueOther_Click();
    // Shows the About window and returns when it is closed.
    void mnuabout_Click();

    // Where the menu opens, in global coordinates.
    [[nodiscard]] QPoint menuPosition() const;

    // Tests put a scripted launcher in place of xdg-open (not owned).
    void setShellLauncher(ShellLauncher* launcher);

Q_SIGNALS:
    // A language file was applied to the window.
    void languageApplied(const QString& file);

private:
    ShellOpen& shell();
    void markLanguageInUse();

    LanguageControls m_controls;
    DialogService& m_dialogs;
    QString m_programDir;
    std::vector<QAction*> m_choices;
    QString m_fileInUse; // the file name of the language in use
    std::unique_ptr<ShellLauncher> m_ownLauncher;
    ShellLauncher* m_launcher;
    std::unique_ptr<ShellOpen> m_shell;
    QList<LanguageItem> m_languages; // what the language items apply, by index
};

} // namespace kvx
