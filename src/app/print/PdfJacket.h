#pragma once

#include <QString>

namespace kvx {

class NodeTree;

struct PdfJacketOptions
{
    int lines = 50;
    int columns = 3;
    bool blackAndWhiteFolders = false;
    bool colour = true;
};

// Prints the jacket of the tree's shown rows into a PDF file, without a
// window, from a tree view set up as the window's. Returns an error message
// (one line), or an empty text when the file was written.
[[nodiscard]] QString PrintJacketToPdf(NodeTree& tree, const QString& file,
                                       const PdfJacketOptions& options);

} // namespace kvx
