#pragma once

#include <QString>

namespace kvx {

class FileReplacement;
class ImageList;
class Workspace;

struct PdfJacketResult
{
    QString error;   // one line; empty when the page was written
    int printed = 0; // the shown rows on the page: the first ones, up to the capacity
    int leftOut = 0; // the shown rows beyond the capacity
};

// Prints the jacket of the workspace's shown rows into the temporary file of
// a PDF replacement the caller has begun and commits, without a window, as
// the window would print that tree: the same view settings, pictures, layout
// and appearance.
[[nodiscard]] PdfJacketResult PrintJacketToPdf(Workspace& workspace, const ImageList& pictures,
                                               FileReplacement& file);

} // namespace kvx
