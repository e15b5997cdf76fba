// kvx-gui, the full program: the window, and every run of the command line,
// --pdf included, whose printing draws with widgets. Users run kvx, which
// hands the window and --pdf over to it with the same arguments.
#include "cli/HeadlessRun.h"
#include "cli/ProgramStart.h"
#include "print/PdfJacket.h"
#include "window/RunWindow.h"

#include <QApplication>
#include <QTextStream>
#include <memory>

int main(int argc, char** argv)
{
    const auto start = kvx::startCommandLine(argc, argv);
    if (const int* status = std::get_if<int>(&start))
        return *status;
    const kvx::CommandLine& options = std::get<kvx::CommandLine>(start);

    // Qt's own options (-style, -platform...) stay in argv for the
    // application object to read.
    if (!options.headless()) {
        QApplication app(argc, argv);
        QApplication::setApplicationName(QStringLiteral("KVX"));
        // The desktop matches the window to the program's entry by this name,
        // whatever the executable is called.
        QGuiApplication::setDesktopFileName(QStringLiteral(KVX_APP_ID));
        return kvx::runWindow(options.document);
    }

    kvx::keepQtMessagesQuiet();
    // Printing draws the tree view, so it needs widgets, and an HTML export
    // draws pictures; the rest does not.
    std::unique_ptr<QCoreApplication> app;
    std::unique_ptr<kvx::PdfJacket> printing;
    if (!options.pdfFile.isEmpty() || options.exportFormat == kvx::ExportFormat::Html) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
        printing = std::make_unique<kvx::PdfJacket>();
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("KVX"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return kvx::runHeadless(options, out, err, printing.get());
}
