#include "cli/CommandLine.h"
#include "cli/HeadlessRun.h"
#include "window/RunWindow.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <memory>

int main(int argc, char** argv)
{
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

    if (!options.headless()) {
        QApplication app(argc, argv);
        QApplication::setApplicationName(QStringLiteral("KVX"));
        return kvx::runWindow(options.document);
    }

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
