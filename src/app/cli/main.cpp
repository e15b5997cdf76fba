// kvx, the program users run. It links QtCore only, so that a run without the
// window starts quickly: it reads the command line and runs what needs no
// widgets itself; the window, --pdf and HTML exports go to the full program,
// kvx-gui.
#include "cli/FullProgram.h"
#include "cli/HeadlessRun.h"
#include "cli/ProgramStart.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    const auto start = kvx::startCommandLine(argc, argv);
    if (const int* status = std::get_if<int>(&start))
        return *status;
    const kvx::CommandLine& options = std::get<kvx::CommandLine>(start);
    if (!options.headless() || !options.pdfFile.isEmpty() ||
        options.exportFormat == kvx::ExportFormat::Html)
        return kvx::runFullProgram(argv);

    kvx::keepQtMessagesQuiet();
    const QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("KVX"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return kvx::runHeadless(options, out, err, nullptr);
}
