#pragma once

#include "cli/CommandLine.h"

class QTextStream;

namespace kvx {

// What a run does before it has an application object: the process set up
// (a write past a file size limit fails instead of ending the program) and
// the arguments (without the program's name) read.
[[nodiscard]] CommandLineResult readCommandLine(int argc, char** argv);

// The help of `kvx --help`, with where the running program finds its data.
void writeHelp(QTextStream& out);

// Without the window, standard error carries the program's own lines only:
// Qt's warnings (a printer that could not start, a missing runtime folder)
// are the program's business, which reports what failed in its own words.
// Called before the application object is made.
void keepQtMessagesQuiet();

} // namespace kvx
