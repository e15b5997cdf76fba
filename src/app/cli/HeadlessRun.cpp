#include "cli/HeadlessRun.h"

#include "cli/CommandLine.h"
#include "cli/PdfPrinting.h"
#include "cli/RowListing.h"
#include "doc/TreeViewInFile.h"
#include "tree/FileNodes.h"
#include "tree/IconFolder.h"
#include "tree/NameOrder.h"
#include "tree/TreeWalks.h"
#include "util/FileReplacement.h"
#include "util/ProcessEventsPump.h"
#include "util/ProgramFolders.h"
#include "util/UserSettings.h"
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
    if (save && pdf && save->finalPath() == pdf->finalPath())
        return fail(QStringLiteral("--save and --pdf name the same file: %1").arg(options.pdfFile));

    // Names in the order the window lists them, in its language.
    setNameOrderLocale(QLocale(UserSettings().languageLocale()));
    ProcessEventsPump pump;
    NoElementCountDisplay count;
    auto ownedWorkspace = std::make_unique<Workspace>(pump, count);
    Workspace& workspace = *ownedWorkspace;

    // The window's image list: pictures only where a jacket is printed, the
    // keys alone otherwise, so file nodes get the same pictures either way.
    if (pdf) {
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
    PdfJacketResult printed;
    if (pdf) {
        workspace.jacket.chooseLines(options.lines);
        workspace.jacket.chooseColumnOption(qint16(12 / options.columns), options.columns);
        workspace.appearance.colour = !options.monochrome;
        if (options.blackAndWhiteFolders)
            workspace.setBlackAndWhiteFolders(true);
        printed = printing->print(workspace, *pdf);
        if (!printed.error.isEmpty())
            return fail(printed.error);
    }
    // Only renames remain, in folders already written to.
    for (FileReplacement* file : {save.get(), pdf.get()}) {
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
    keepUntilExit(std::move(ownedWorkspace));
    return 0;
}

} // namespace kvx
