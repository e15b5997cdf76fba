#include "cli/ProgramStart.h"

#include <QTextStream>
#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace kvx {

namespace {

void headlessMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "kvx: %s\n", qPrintable(message));
        std::abort();
    }
}

} // namespace

CommandLineResult readCommandLine(int argc, char** argv)
{
    std::signal(SIGXFSZ, SIG_IGN);
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return parseCommandLine(arguments);
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
