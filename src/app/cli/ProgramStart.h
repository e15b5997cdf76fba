#pragma once

#include "cli/CommandLine.h"

#include <QStringList>
#include <variant>

namespace kvx {

// The program's arguments, without its name.
[[nodiscard]] QStringList programArguments(int argc, char** argv);

// The start both programs (kvx and kvx-gui) make: the arguments read, and an
// error or the help printed. Returns the options to run, or the exit status
// of a run that is over already.
[[nodiscard]] std::variant<CommandLine, int> startCommandLine(int& argc, char** argv);

// Without the window, standard error carries the program's own lines only:
// Qt's warnings (a printer that could not start, a missing runtime folder)
// are the program's business, which reports what failed in its own words.
// Called before the application object is made.
void keepQtMessagesQuiet();

} // namespace kvx
