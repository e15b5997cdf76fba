#pragma once

#include "export/ExportFormat.h"

#include <QByteArray>

namespace kvx {

class ImageList;
struct ExportRows;

// One self-contained page, well-formed XHTML that browsers also read as HTML:
// the rows as nested lists, each row's label with its colours and weight, its
// kind as the class of its item and its path as the label's tool tip. Each
// picture the rows show is inlined once, as a CSS class holding a PNG; the
// page's title is the rows' title. Needs a running QGuiApplication.
[[nodiscard]] QByteArray htmlExport(const ExportRows& rows, const ImageList& pictures);

} // namespace kvx

namespace kvx {

// The export in any format; HTML takes the pictures from `pictures`.
[[nodiscard]] QByteArray exportBytes(ExportFormat format, const ExportRows& rows,
                                     const ImageList& pictures);

} // namespace kvx
