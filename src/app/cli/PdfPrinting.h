#pragma once

#include <QString>

namespace kvx {

class FileReplacement;
class Workspace;
struct ExportRows;

struct PdfJacketResult
{
    QString error;   // one line; empty when the page was written
    int printed = 0; // the shown rows on the page: the first ones, up to the capacity
    int leftOut = 0; // the shown rows beyond the capacity
};

// The jacket printing of a --pdf run, and the pictures of an HTML export. It
// draws the tree as the window does, with QtGui, which the command line
// (QtCore alone) leaves to its caller.
class PdfPrinting
{
public:
    virtual ~PdfPrinting() = default;

    // Gives the workspace's image list the pictures of the program's icons,
    // before the tree is built. A warning line when some could not be loaded.
    [[nodiscard]] virtual QString loadPictures(Workspace& workspace) = 0;

    // Prints the jacket of the workspace's shown rows, with the pictures
    // loaded, into the temporary file of a PDF replacement the caller has
    // begun and commits, as the window would print that tree: the same view
    // settings, pictures, layout and appearance.
    [[nodiscard]] virtual PdfJacketResult print(Workspace& workspace, FileReplacement& file) = 0;

    // The HTML export of the rows, with the pictures loaded.
    [[nodiscard]] virtual QByteArray htmlPage(const ExportRows& rows) = 0;
};

} // namespace kvx
