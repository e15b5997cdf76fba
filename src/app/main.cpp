// kvx: the window, and the command line's work without it. The arguments
// decide which application object runs: the lightest that does the work.
#include "cli/CatalogueCommandLine.h"
#include "cli/CatalogueRun.h"
#include "cli/HeadlessRun.h"
#include "cli/MessageLines.h"
#include "cli/ProgramStart.h"
#include "print/PdfJacket.h"
#include "window/RunWindow.h"

#include <QApplication>
#include <QTextStream>
#include <memory>

namespace {

// Runs without the window draw offscreen, needing no display.
void drawOffscreen()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

std::unique_ptr<QCoreApplication> applicationFor(kvx::RunKind kind, int& argc, char** argv)
{
    switch (kind) {
    case kvx::RunKind::Text:
        return std::make_unique<QCoreApplication>(argc, argv);
    case kvx::RunKind::Drawing:
        drawOffscreen();
        return std::make_unique<QGuiApplication>(argc, argv);
    case kvx::RunKind::Window:
        break;
    }
    return std::make_unique<QApplication>(argc, argv);
}

} // namespace

int main(int argc, char** argv)
{
    kvx::prepareProcess();
    if (const QStringList arguments = kvx::programArguments(argc, argv);
        kvx::isCatalogueCommand(arguments))
        return kvx::runCatalogueProgram(argc, argv, arguments);
    kvx::CommandLineResult read = kvx::readCommandLine(argc, argv);
    std::unique_ptr<QCoreApplication> app;
    if (read.unknownOptions) {
        // Perhaps Qt's own options (-style, -platform...): the full
        // application object takes out of argv those it knows, whatever Qt
        // module reads them, and the rest is read again.
        kvx::keepQtMessagesQuiet();
        if (read.headless)
            drawOffscreen();
        app = std::make_unique<QApplication>(argc, argv);
        read = kvx::readCommandLine(argc, argv);
        if (read.options && read.options->kind() == kvx::RunKind::Window)
            qInstallMessageHandler(nullptr);
    }
    if (!read.options) {
        QTextStream err(stderr);
        kvx::sayError(err, read.error);
        return 2;
    }
    const kvx::CommandLine& options = *read.options;
    if (!app) {
        if (options.kind() != kvx::RunKind::Window)
            kvx::keepQtMessagesQuiet();
        app = applicationFor(options.kind(), argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("KVX"));

    if (options.help) {
        QTextStream out(stdout);
        kvx::writeHelp(out);
        return 0;
    }
    if (options.kind() == kvx::RunKind::Window) {
        // The desktop matches the window to the program's entry by this name,
        // whatever the executable is called.
        QGuiApplication::setDesktopFileName(QStringLiteral(KVX_APP_ID));
        return kvx::runWindow(options.document);
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    std::unique_ptr<kvx::PdfJacket> printing;
    if (options.kind() == kvx::RunKind::Drawing)
        printing = std::make_unique<kvx::PdfJacket>();
    return kvx::runHeadless(options, out, err, printing.get());
}
