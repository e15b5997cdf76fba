#pragma once

#include <QString>

namespace kvx {

class ImageList;
class Workspace;

// Prints the jacket of the workspace's shown rows into a PDF file, without a
// window, as the window would print that tree: the same view settings,
// pictures, layout and appearance. Returns an error message (one line), or
// an empty text when the file was written.
[[nodiscard]] QString PrintJacketToPdf(Workspace& workspace, const ImageList& pictures,
                                       const QString& file);

} // namespace kvx
