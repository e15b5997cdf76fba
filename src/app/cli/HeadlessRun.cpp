#include "cli/HeadlessRun.h"

#include "cli/CommandLine.h"
#include "doc/TreeViewInFile.h"
#include "doc/TreeViewSettings.h"
#include "print/PdfJacket.h"
#include "tree/FileLister.h"
#include "tree/FileNodes.h"
#include "tree/FolderLister.h"
#include "tree/FolderScan.h"
#include "tree/IconFolder.h"
#include "tree/ImageRegistry.h"
#include "tree/NodeTree.h"
#include "tree/TreeWalks.h"
#include "util/ProcessEventsPump.h"
#include "util/ProgramFolders.h"

#include <QFileInfo>
#include <QTextStream>

namespace kvx {

int runHeadless(const CommandLine& options, QTextStream& out, QTextStream& err)
{
    auto fail = [&err](const QString& message) {
        err << "kvx: " << message << Qt::endl;
        return 2;
    };

    ImageRegistry images = ImageRegistry::withBuiltIns();
    AddIconKeys(images, programIconFolder()); // file nodes get the window's image keys
    NodeTree tree;
    tree.setImageList(&images);
    TreeViewSettings settings;
    DirectoryLister lister;
    ProcessEventsPump pump;
    NoElementCountDisplay count;
    FolderScan scan(tree, lister, pump, count);

    if (!options.fromFolder.isEmpty()) {
        if (!QFileInfo(options.fromFolder).isDir())
            return fail(QStringLiteral("no such folder: %1").arg(options.fromFolder));
        scan.setStartPath(options.fromFolder);
        scan.BuildTree();
        ExpandToDepth(tree, options.expandDepth);
    } else {
        const QFileInfo document(options.document);
        if (!document.isFile() || !document.isReadable())
            return fail(QStringLiteral("cannot read %1").arg(options.document));
        const qint32 result =
            LoadTreeViewFromFile(tree, settings, options.document, true, true, true);
        if (result == load_result::NotADocument)
            return fail(QStringLiteral("not a tree document: %1").arg(options.document));
        if (result != load_result::Ok)
            err << "kvx: warning: " << options.document
                << ": some entries could not be read and were left out" << Qt::endl;
    }

    if (!options.addPatterns.isEmpty()) {
        DirectoryFileLister files;
        FileNodes(tree, files, pump).AddFilesToFolders(options.addPatterns);
    }
    if (!options.saveFile.isEmpty()) {
        QString error;
        if (!SaveTreeViewInFile(tree, settings, options.saveFile, true, true, &error))
            return fail(QStringLiteral("cannot write %1: %2").arg(options.saveFile, error));
    }
    if (!options.pdfFile.isEmpty()) {
        const QString error = PrintJacketToPdf(
            tree, options.pdfFile,
            {options.lines, options.columns, options.blackAndWhiteFolders, !options.monochrome});
        if (!error.isEmpty())
            return fail(error);
    }

    if (options.list) {
        const QStringList rows = RowTexts(tree);
        for (const QString& row : rows)
            out << row << '\n';
        out.flush();
    }
    return 0;
}

} // namespace kvx
