#include "cli/HeadlessRun.h"

#include "cli/CommandLine.h"
#include "cli/ExportStep.h"
#include "cli/PdfPrinting.h"
#include "cli/RowListing.h"
#include "doc/TreeViewInFile.h"
#include "tree/FileNodes.h"
#include "tree/IconFolder.h"
#include "tree/TreeWalks.h"
#include "util/FileReplacement.h"
#include "util/ProcessEventsPump.h"
#include "util/ProgramFolders.h"
#include "workspace/Workspace.h"

#include <QFileInfo>
#include <QTextStream>
#include <memory>

namespace kvx {

namespace {

// A run's workspace lasts until the process ends, which hands its memory back
// at once: freeing a large tree node by node takes longer than listing it.
// Sanitizer builds free it, so that their leak check keeps its meaning.
void keepUntilExit(std::unique_ptr<Workspace> workspace)
{
#if defined(__SANITIZE_ADDRESS__)
    workspace.reset();
#else
    (void)workspace.release();
#endif
}

} // namespace

int runHeadless(const CommandLine& options, QTextStream& out, QTextStream& err,
                PdfPrinting* printing)
{
    auto fail = [&err](const QString& message) {
        err << "kvx: " << message << Qt::endl;
        return 2;
    };
    auto cannotWrite = [&fail](const FileReplacement& file) {
        return fail(QStringLiteral("cannot write %1: %2").arg(file.target(), file.errorString()));
    };

    // Every output is checked, and its temporary file made, before any work;
    // the outputs take their names only once all of them are written.
    std::unique_ptr<FileReplacement> save;
    std::unique_ptr<FileReplacement> pdf;
    if (!options.saveFile.isEmpty()) {
        save = std::make_unique<FileReplacement>(options.saveFile);
        if (!save->begin())
            return cannotWrite(*save);
    }
    if (!options.pdfFile.isEmpty()) {
        if (!printing)
            return fail(QStringLiteral("this program cannot print: --pdf is not available"));
        pdf = std::make_unique<FileReplacement>(options.pdfFile);
        if (!pdf->begin())
            return cannotWrite(*pdf);
    }
    std::unique_ptr<FileReplacement> exported;
    if (!options.exportFile.isEmpty() && options.exportFile != QLatin1String("-")) {
        exported = std::make_unique<FileReplacement>(options.exportFile);
        if (!exported->begin())
            return cannotWrite(*exported);
    }
    const std::pair<const char*, FileReplacement*> outputs[] = {
        {"--save", save.get()}, {"--pdf", pdf.get()}, {"--export", exported.get()}};
    for (size_t a = 0; a < std::size(outputs); ++a) {
        for (size_t b = a + 1; b < std::size(outputs); ++b) {
            const FileReplacement* first = outputs[a].second;
            const FileReplacement* second = outputs[b].second;
            if (first && second && first->finalPath() == second->finalPath())
                return fail(QStringLiteral("%1 and %2 name the same file: %3")
                                .arg(QLatin1String(outputs[a].first),
                                     QLatin1String(outputs[b].first), second->target()));
        }
    }
    const bool drawnExport = options.exportFormat == ExportFormat::Html;
    if (drawnExport && !printing)
        return fail(QStringLiteral("this program cannot draw: --export as HTML is not available"));

    ProcessEventsPump pump;
    NoElementCountDisplay count;
    auto ownedWorkspace = std::make_unique<Workspace>(pump, count);
    Workspace& workspace = *ownedWorkspace;

    // The window's image list: pictures only where a jacket is printed, the
    // keys alone otherwise, so file nodes get the same pictures either way.
    if (pdf || drawnExport) {
        if (const QString warning = printing->loadPictures(workspace); !warning.isEmpty())
            err << "kvx: warning: " << warning << Qt::endl;
    } else {
        AddIconKeys(workspace.images(), programIconFolder());
    }

    if (!options.fromFolder.isEmpty()) {
        if (!QFileInfo(options.fromFolder).isDir())
            return fail(QStringLiteral("no such folder: %1").arg(options.fromFolder));
        workspace.BuildTree(options.fromFolder);
        ExpandToDepth(workspace.tree(), options.expandDepth);
    } else {
        const QFileInfo document(options.document);
        if (!document.isFile() || !document.isReadable())
            return fail(QStringLiteral("cannot read %1").arg(options.document));
        const qint32 result = workspace.Open(options.document);
        if (result == load_result::NotADocument)
            return fail(QStringLiteral("not a tree document: %1").arg(options.document));
        if (result != load_result::Ok)
            err << "kvx: warning: " << options.document
                << ": some entries could not be read and were left out" << Qt::endl;
    }

    if (!options.addPatterns.isEmpty()) {
        workspace.files().AddFilesToFolders(options.addPatterns);
        // Folders that only now have children (their files) show them too.
        ExpandToDepth(workspace.tree(), options.expandDepth);
    }
    const LeftOut leftOut = workspace.leftOut();
    if (leftOut.startFolderUnreadable)
        return fail(describeLeftOut(leftOut) + QStringLiteral(": ") + options.fromFolder);
    if (save && !workspace.Save(*save))
        return cannotWrite(*save);
    // The jacket's grid, which exports tell too.
    workspace.jacket.chooseLines(options.lines);
    workspace.jacket.chooseColumnOption(qint16(12 / options.columns), options.columns);
    PdfJacketResult printed;
    if (pdf) {
        workspace.appearance.colour = !options.monochrome;
        if (options.blackAndWhiteFolders)
            workspace.setBlackAndWhiteFolders(true);
        printed = printing->print(workspace, *pdf);
        if (!printed.error.isEmpty())
            return fail(printed.error);
    }
    std::optional<QByteArray> exportBytes;
    if (options.exportFormat) {
        exportBytes = exportOfRun(workspace, *options.exportFormat, printing);
        if (exported && !exported->write(*exportBytes))
            return cannotWrite(*exported);
    }
    // Only renames remain, in folders already written to.
    for (FileReplacement* file : {save.get(), pdf.get(), exported.get()}) {
        if (file && !file->commit())
            return cannotWrite(*file);
    }

    if (!leftOut.isEmpty())
        err << "kvx: warning: " << describeLeftOut(leftOut) << Qt::endl;
    if (printed.leftOut > 0)
        err << "kvx: warning: the jacket holds " << printed.printed << " rows: " << printed.printed
            << " printed, " << printed.leftOut << " left out" << Qt::endl;
    if (options.list)
        writeRows(workspace.tree(), out);
    if (exportBytes && !exported) {
        out << QString::fromUtf8(*exportBytes);
        out.flush();
    }
    keepUntilExit(std::move(ownedWorkspace));
    return 0;
}

} // namespace kvx
