#pragma once

#include "app/ScriptedDialogs.h"
#include "window/frMain.h"

namespace kvx::test {

// The real main window on a program folder (the built program's, with its
// icons and language files, unless a test gives its own), its dialogs
// scripted by the test. Start-up (Form_Load) is left to the test.
struct MainWindowFixture
{
    ScriptedDialogs dialogs;
    frMain window;

    explicit MainWindowFixture(const QString& programDir = QStringLiteral(KVX_TEST_PROGRAM_DIR))
        : window(&dialogs, programDir)
    {
    }

    // A control, a menu item or a menu by its objectName, as a user (or a
    // language file) knows it; null when none.
    template <class T = QObject> [[nodiscard]] T* control(const QString& name) const
    {
        if (window.objectName() == name)
            return qobject_cast<T*>(const_cast<frMain*>(&window));
        return window.findChild<T*>(name);
    }
};

} // namespace kvx::test
