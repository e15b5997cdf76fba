#include "cli/ProgramStart.h"

#include "cli/MessageLines.h"
#include "util/TemporaryFiles.h"

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

void prepareProcess()
{
    // A file size limit makes a write fail ("File too large") instead of
    // ending the program with a half-written temporary file.
    std::signal(SIGXFSZ, SIG_IGN);
    // Interrupted, a run leaves no temporary file behind.
    removeTemporaryFilesOnSignals();
}

QStringList programArguments(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

CommandLineResult readCommandLine(int argc, char** argv)
{
    return parseCommandLine(programArguments(argc, argv));
}

void writeHelp(QTextStream& out)
{
    out << commandLineHelp() << programFilesHelp();
}

void keepQtMessagesQuiet()
{
    qInstallMessageHandler(headlessMessages);
}

} // namespace kvx
