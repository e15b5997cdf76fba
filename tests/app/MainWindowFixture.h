#pragma once

#include "app/ScriptedDialogs.h"
#include "app/frMain.h"

namespace kvx::test {

// The real main window on a program folder (the built program's, with its
// icons and language files, unless a test gives its own), its dialogs
// scripted by the test. Start-up (Form_Load) is left to the test.
struct MainWindowFixture
{
    ScriptedDialogs dialogs;
    frMain window;

    explicit MainWindowFixture(const QString& programDir = QStringLiteral(KVX_TEST_PROGRAM_DIR))
    {
        window.setProgramDir(programDir);
        window.setDialogService(&dialogs);
    }
};

} // namespace kvx::test
