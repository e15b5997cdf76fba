#include "cli/ProgramStart.h"

#include "cli/MessageLines.h"
#include "util/TemporaryFiles.h"

#include <QCoreApplication>
#include <QTextStream>
#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace kvx {

namespace {

void headlessMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "kvx: %s\n", qPrintable(withoutControls(message)));
        std::abort();
    }
}

} // namespace

std::variant<CommandLine, int> startCommandLine(int& argc, char** argv)
{
    // A file size limit makes a write fail ("File too large") instead of
    // ending the program with a half-written temporary file.
    std::signal(SIGXFSZ, SIG_IGN);
    // Interrupted, a run leaves no temporary file behind.
    removeTemporaryFilesOnSignals();

    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLineResult parsed = parseCommandLine(arguments);
    if (!parsed.options) {
        QTextStream err(stderr);
        sayError(err, parsed.error);
        return 2;
    }
    if (parsed.options->help) {
        const QCoreApplication app(argc, argv); // tells where the program is
        QTextStream(stdout) << commandLineHelp() << programFilesHelp();
        return 0;
    }
    return *parsed.options;
}

void keepQtMessagesQuiet()
{
    qInstallMessageHandler(headlessMessages);
}

} // namespace kvx
