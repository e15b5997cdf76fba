#include "cli/HeadlessRun.h"

#include "cli/CommandLine.h"
#include "doc/TreeViewInFile.h"
#include "print/PdfJacket.h"
#include "tree/CategoryIcons.h"
#include "tree/FileNodes.h"
#include "tree/IconFolder.h"
#include "tree/ImageList.h"
#include "tree/TreeWalks.h"
#include "util/ProcessEventsPump.h"
#include "util/ProgramFolders.h"
#include "workspace/Workspace.h"

#include <QFileInfo>
#include <QTextStream>
#include <memory>

namespace kvx {

int runHeadless(const CommandLine& options, QTextStream& out, QTextStream& err)
{
    auto fail = [&err](const QString& message) {
        err << "kvx: " << message << Qt::endl;
        return 2;
    };

    ProcessEventsPump pump;
    NoElementCountDisplay count;
    Workspace workspace(pump, count);

    // The window's image list: pictures only where a jacket is printed, the
    // keys alone otherwise, so file nodes get the same pictures either way.
    std::unique_ptr<ImageList> pictures;
    if (!options.pdfFile.isEmpty()) {
        pictures = std::make_unique<ImageList>(workspace.images());
        if (const auto error = loadCategoryIcons(programIconFolder(), *pictures))
            err << "kvx: warning: " << error->description << Qt::endl;
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
    if (!options.saveFile.isEmpty()) {
        QString error;
        if (!workspace.Save(options.saveFile, &error))
            return fail(QStringLiteral("cannot write %1: %2").arg(options.saveFile, error));
    }
    if (!options.pdfFile.isEmpty()) {
        workspace.jacket.chooseLines(options.lines);
        workspace.jacket.chooseColumnOption(qint16(12 / options.columns), options.columns);
        workspace.appearance.colour = !options.monochrome;
        if (options.blackAndWhiteFolders)
            workspace.setBlackAndWhiteFolders(true);
        const QString error = PrintJacketToPdf(workspace, *pictures, options.pdfFile);
        if (!error.isEmpty())
            return fail(error);
    }

    if (options.list) {
        const QStringList rows = RowTexts(workspace.tree());
        for (const QString& row : rows)
            out << row << '\n';
        out.flush();
    }
    return 0;
}

} // namespace kvx
