#pragma once

namespace kvx {

// Hands the run over to the full program, kvx-gui (the window and --pdf need
// its widgets), with the very same arguments: argv[0] stays as given, so the
// process still shows as kvx. kvx-gui is found beside this executable (a
// build tree), or else in the installed libexec folder. Returns only when it
// cannot be started, with exit status 2 once that is said on standard error.
int runFullProgram(char** argv);

} // namespace kvx
