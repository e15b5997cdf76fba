#pragma once

#include "cli/CommandLine.h"

#include <QStringList>

class QTextStream;

namespace kvx {

// What a run does first: a write past a file size limit fails instead of
// ending the program, and a signal that ends it removes its temporary files.
void prepareProcess();

// The program's arguments, without its name.
[[nodiscard]] QStringList programArguments(int argc, char** argv);

// The arguments (without the program's name), read before or after an
// application object has taken its own options out of them.
[[nodiscard]] CommandLineResult readCommandLine(int argc, char** argv);

// The help of `kvx --help`, with where the running program finds its data.
void writeHelp(QTextStream& out);

// Without the window, standard error carries the program's own lines only:
// Qt's warnings (a printer that could not start, a missing runtime folder)
// are the program's business, which reports what failed in its own words.
// Called before the application object is made.
void keepQtMessagesQuiet();

} // namespace kvx
