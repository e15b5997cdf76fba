#include "cli/CommandLine.h"
#include "cli/HeadlessRun.h"
#include "window/RunWindow.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTextStream>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// Without the window, standard error carries the program's own lines only:
// Qt's warnings (a printer that could not start, a missing runtime folder)
// are the program's business, which reports what failed in its own words.
void headlessMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "kvx: %s\n", qPrintable(message));
        std::abort();
    }
}

} // namespace

int main(int argc, char** argv)
{
    // A file size limit makes a write fail ("File too large") instead of
    // ending the program with a half-written temporary file.
    std::signal(SIGXFSZ, SIG_IGN);

    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));

    QTextStream out(stdout);
    QTextStream err(stderr);
    const kvx::CommandLineResult parsed = kvx::parseCommandLine(arguments);
    if (!parsed.options) {
        err << "kvx: " << parsed.error << Qt::endl;
        return 2;
    }
    const kvx::CommandLine& options = *parsed.options;
    if (options.help) {
        const QCoreApplication app(argc, argv); // tells where the program is
        out << kvx::commandLineHelp() << kvx::programFilesHelp();
        return 0;
    }

    // Qt's own options (-style, -platform...) stay in argv for the
    // application object to read.
    if (!options.headless()) {
        QApplication app(argc, argv);
        QApplication::setApplicationName(QStringLiteral("KVX"));
        return kvx::runWindow(options.document);
    }

    qInstallMessageHandler(headlessMessages);
    // Printing draws the tree view, so it needs widgets; the rest does not.
    std::unique_ptr<QCoreApplication> app;
    if (!options.pdfFile.isEmpty()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("KVX"));
    return kvx::runHeadless(options, out, err);
}
