#pragma once

#include "lang/LanguageList.h"

#include <QObject>
#include <QPoint>
#include <QString>
#include <memory>

namespace kvx {

class frMain;
class ShellLauncher;
class ShellOpen;

// The language menu of the main window: one item per language file (see
// ListLanguages), "Other ..." (how to write a language file) and
// "A propos ..." (the About window). It lives as long as the window.
class LanguageMenu : public QObject
{
    Q_OBJECT

public:
    explicit LanguageMenu(frMain& window);
    ~LanguageMenu() override;

    // Fills the language items from the "*.lng" files of the language folders
    // (the program's, and the user's own when the program's is read-only), in
    // alphabetical order; item 0 is reused, the others are added.
    void ListLanguageFiles();
    // Opens the menu just below the "translate ..." button.
    void cmdTranslate_Click();
    // Applies the item's language file.
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

private:
    ShellOpen& shell();

    frMain& m_window;
    std::unique_ptr<ShellLauncher> m_ownLauncher;
    ShellLauncher* m_launcher;
    std::unique_ptr<ShellOpen> m_shell;
    QList<LanguageItem> m_languages; // what the language items apply, by index
};

// Connects the language menu and the About window to the main window.
void connectLanguageMenu(frMain& window);

} // namespace kvx
