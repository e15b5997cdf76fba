#pragma once

#include "lang/LanguageList.h"

#include <QObject>
#include <QPoint>
#include <QString>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QPushButton;
class QWidget;

namespace kvx {

class DialogService;
class InterfaceLanguage;
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
};

// The language menu of the main window: one item per language file (see
// ListLanguages), "Autre ..." (how to write a language file) and
// "A propos ..." (the About window). A language chosen is applied to the
// window, its dialogs and messages (the interface language), and kept in the
// user's settings for the next start. It lives as long as the window.
class LanguageMenu : public QObject
{
    Q_OBJECT

public:
    LanguageMenu(const LanguageControls& controls, DialogService& dialogs,
                 InterfaceLanguage& language, const QString& programDir, QObject* parent = nullptr);
    ~LanguageMenu() override;

    // Applies the language the window was last used in, when its file is
    // still there; nothing otherwise (the built-in French stays).
    void applySavedLanguage();
    // Fills the language items from the "*.lng" files of the language folders
    // (the program's, and the user's own when the program's is read-only), in
    // alphabetical order; item 0 is reused, the others are added. The item
    // of the language in use carries a check mark: French, the template's
    // language, until another is chosen.
    void ListLanguageFiles();
    // Opens the menu just below the "translate ..." button.
    void cmdTranslate_Click();
    // Applies the item's language file, marks it and keeps it for the next start.
    void MNlangueChoice_Click(int index);
    // Tells how to write a language file, then opens the French one (a copy
    // the user may edit when the program's folder is read-only).
    void MNlangueOther_Click();
    // Shows the About window, in the interface's language, and returns when
    // it is closed.
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
    void applyLanguage(const QString& file);

    LanguageControls m_controls;
    DialogService& m_dialogs;
    InterfaceLanguage& m_language;
    QString m_programDir;
    std::vector<QAction*> m_choices;
    QString m_fileInUse; // the file name of the language in use
    QString m_pathInUse; // its file, empty for the built-in texts
    std::unique_ptr<ShellLauncher> m_ownLauncher;
    ShellLauncher* m_launcher;
    std::unique_ptr<ShellOpen> m_shell;
    QList<LanguageItem> m_languages; // what the language items apply, by index
};

} // namespace kvx
