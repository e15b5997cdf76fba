#pragma once

class QTextStream;

namespace kvx {

struct CommandLine;
class PdfPrinting;

// Runs the command line's actions without the window, on the same tree code
// the window uses. Needs a running Q(Core)Application. --pdf prints with
// `printing`, and is refused without it. Returns the exit status: 0 on
// success, 2 when an input is unusable (nothing is written then).
int runHeadless(const CommandLine& options, QTextStream& out, QTextStream& err,
                PdfPrinting* printing);

} // namespace kvx
