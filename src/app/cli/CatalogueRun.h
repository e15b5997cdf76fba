#pragma once

#include <QStringList>

class QTextStream;

namespace kvx {

struct CatalogueCommand;

// Runs a catalogue command on the catalogue it names (the default one
// otherwise). Needs a running Q(Core)Application. Returns the exit status:
// 0 done (find: hits; verify: nothing differs), 1 find without hits or
// verify with differences, 2 on error, said in one line on `err`.
int runCatalogueCommand(const CatalogueCommand& command, QTextStream& out, QTextStream& err);

// `kvx catalogue ...` and `kvx find ...` as a program of their own: reads the
// arguments, starts the application and runs the command.
int runCatalogueProgram(int& argc, char** argv, const QStringList& arguments);

} // namespace kvx
