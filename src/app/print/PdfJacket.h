#pragma once

#include "cli/PdfPrinting.h"

#include <memory>

namespace kvx {

class ImageList;

// The jacket printing of a --pdf run: the window's pictures, rows and page,
// drawn by the window's row painter into a PDF writer. QtGui alone: needs a
// running QGuiApplication, and makes no widget.
class PdfJacket : public PdfPrinting
{
public:
    PdfJacket();
    ~PdfJacket() override;

    [[nodiscard]] QString loadPictures(Workspace& workspace) override;
    [[nodiscard]] PdfJacketResult print(Workspace& workspace, FileReplacement& file) override;
    [[nodiscard]] QByteArray htmlPage(const ExportRows& rows) override;

private:
    std::unique_ptr<ImageList> m_pictures; // the workspace's, once loaded
};

} // namespace kvx
