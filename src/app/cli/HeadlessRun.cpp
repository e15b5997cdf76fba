#include "cli/HeadlessRun.h"

#include "cli/CommandLine.h"
#include "cli/ExportStep.h"
#include "cli/MessageLines.h"
#include "cli/PdfPrinting.h"
#include "cli/RowListing.h"
#include "doc/LoadReport.h"
#include "doc/TreeViewInFile.h"
#include "image/DiscImage.h"
#include "image/ImageListers.h"
#include "image/ImageWalkSource.h"
#include "lang/MessageTexts.h"
#include "lang/TotalsText.h"
#include "tree/FileNodes.h"
#include "tree/IconFolder.h"
#include "tree/NameOrder.h"
#include "tree/TreeWalks.h"
#include "util/FileReplacement.h"
#include "util/ProcessEventsPump.h"
#include "util/ProgramFolders.h"
#include "util/Sanitizers.h"
#include "util/UserSettings.h"
#include "walk/DirectoryWalkSource.h"
#include "workspace/Workspace.h"

#include <QFileInfo>
#include <QTextStream>
#include <memory>
#include <new>

namespace kvx {

namespace {

// A run's workspace lasts until the process ends, which hands its memory back
// at once: freeing a large tree node by node takes longer than listing it.
// Sanitizer builds free it, so that their leak check keeps its meaning.
void keepUntilExit(std::unique_ptr<Workspace> workspace)
{
    if (kAddressSanitizer)
        workspace.reset();
    else
        (void)workspace.release();
}

// The totals of the tree's start folder (or image), in one walk the run
// waits for. An error line when they cannot be taken.
QString takeSizes(Workspace& workspace, const DiscImage* image)
{
    const QString rootKey = workspace.rootKey();
    if (rootKey.isEmpty())
        return {};
    std::unique_ptr<WalkSource> source;
    if (image) {
        source = std::make_unique<ImageWalkSource>(*image);
    } else {
        if (!QFileInfo(rootKey).isDir())
            return QStringLiteral("cannot take the sizes: no such folder: %1").arg(rootKey);
        source = std::make_unique<DirectoryWalkSource>(rootKey);
    }
    const TotalsWalk walk = takeFolderTotals(*source, {});
    if (walk.walk.startUnreadable)
        return QStringLiteral("cannot take the sizes of %1: %2")
            .arg(rootKey, walk.walk.unreadable.front().reason);
    (void)workspace.takeTotals(walk, rootKey);
    return {};
}

int runSteps(const CommandLine& options, QTextStream& out, QTextStream& err, PdfPrinting* printing)
{
    auto fail = [&err](const QString& message) {
        sayError(err, message);
        return 2;
    };
    auto cannotWrite = [&fail](const FileReplacement& file) {
        return fail(QStringLiteral("cannot write %1: %2").arg(file.target(), file.errorString()));
    };

    // Every output is checked before any work; its temporary file is made
    // once it is written, and the outputs take their names only once all of
    // them are written.
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

    // Names in the order the window lists them, in its language.
    setNameOrderLocale(QLocale(UserSettings().languageLocale()));

    // A tree from a disc image reads the image through listers of its own.
    const QFileInfo from(options.fromFolder);
    std::unique_ptr<DiscImage> image;
    std::optional<ImageFolderLister> imageFolders;
    std::optional<ImageFileLister> imageFiles;
    if (!options.fromFolder.isEmpty() && from.exists() && !from.isDir()) {
        QString error;
        image = DiscImage::open(options.fromFolder, &error);
        if (!image)
            return fail(error);
        imageFolders.emplace(*image);
        imageFiles.emplace(*image);
    }

    ProcessEventsPump pump;
    NoElementCountDisplay count;
    auto ownedWorkspace = image
                              ? std::make_unique<Workspace>(pump, count, *imageFolders, *imageFiles)
                              : std::make_unique<Workspace>(pump, count);
    Workspace& workspace = *ownedWorkspace;

    // The window's image list: pictures only where a jacket is printed, the
    // keys alone otherwise, so file nodes get the same pictures either way.
    if (pdf || drawnExport) {
        if (const QString warning = printing->loadPictures(workspace); !warning.isEmpty())
            sayWarning(err, warning);
    } else {
        AddIconKeys(workspace.images(), programIconFolder());
    }

    const int depth = options.expandDepth.value_or(1);
    if (!options.fromFolder.isEmpty()) {
        if (!image && !from.isDir())
            return fail(QStringLiteral("no such folder: %1").arg(options.fromFolder));
        workspace.BuildTree(options.fromFolder);
        ExpandToDepth(workspace.tree(), depth);
    } else {
        LoadReport report;
        if (workspace.Open(options.document, &report) == load_result::NotADocument)
            return fail(
                report.error.isEmpty()
                    ? QStringLiteral("not a tree document: %1").arg(options.document)
                    : QStringLiteral("cannot read %1: %2").arg(options.document, report.error));
        if (const QString said = describeLoadReport(report); !said.isEmpty())
            sayWarning(err, options.document + QStringLiteral(": ") + said);
        // Its folders opened as the window opens them, scanned one level ahead.
        if (options.expandDepth)
            ExpandToDepth(workspace.tree(), depth);
    }

    if (!options.addPatterns.isEmpty()) {
        workspace.files().AddFilesToFolders(options.addPatterns);
        // Folders that only now have children (their files) show them too.
        ExpandToDepth(workspace.tree(), depth);
    }
    if (options.sizes) {
        if (const QString error = takeSizes(workspace, image.get()); !error.isEmpty())
            return fail(error);
    }
    const LeftOut leftOut = workspace.leftOut();
    if (leftOut.startFolderUnreadable)
        return fail(QStringLiteral("%1: %2: %3")
                        .arg(describeLeftOut(leftOut), options.fromFolder,
                             systemErrorText(leftOut.startFolderError)));
    // The cover's choices go with the tree into the document and the PDF.
    if (!options.templateName.isEmpty())
        workspace.cover.templateName = options.templateName;
    if (options.discTitle)
        workspace.cover.discTitle = *options.discTitle;
    if (options.discId)
        workspace.cover.discId = *options.discId;
    if (options.titleOnBooklet)
        workspace.cover.titleOnBooklet = true;
    if (save && !workspace.Save(*save))
        return cannotWrite(*save);
    // The jacket's grid, which exports tell too.
    workspace.jacket.chooseLines(options.lines);
    workspace.jacket.chooseColumnOption(qint16(12 / options.columns), options.columns);
    PdfJacketResult printed;
    if (pdf) {
        workspace.appearance.colour = !options.monochrome;
        workspace.appearance.paper =
            options.paper.isEmpty() ? PaperOfEnvironment() : *PaperOfName(options.paper);
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

    for (const FileReplacement* file : {save.get(), pdf.get(), exported.get()}) {
        if (const int others = file ? file->otherLinks() : 0; others > 0)
            sayWarning(err, QStringLiteral("%1 had %2 other name%3, which keep%4 the old content")
                                .arg(file->target())
                                .arg(others)
                                .arg(others == 1 ? "" : "s", others == 1 ? "s" : ""));
    }
    if (!leftOut.isEmpty())
        sayWarning(err, describeLeftOut(leftOut));
    if (printed.leftOut > 0)
        sayWarning(err, QStringLiteral("the jacket holds %1 rows: %1 printed, %2 left out")
                            .arg(printed.printed)
                            .arg(printed.leftOut));
    if (options.list)
        writeRows(workspace.tree(), out, [&workspace, texts = MessageTexts()](const Node& node) {
            return totalSuffix(workspace.totals, node, texts);
        });
    if (exportBytes && !exported) {
        out << QString::fromUtf8(*exportBytes);
        out.flush();
    }
    keepUntilExit(std::move(ownedWorkspace));
    return 0;
}

} // namespace

int runHeadless(const CommandLine& options, QTextStream& out, QTextStream& err,
                PdfPrinting* printing)
{
    try {
        return runSteps(options, out, err, printing);
    } catch (const std::bad_alloc&) {
        sayError(err, QStringLiteral("out of memory"));
        return 2;
    }
}

} // namespace kvx
