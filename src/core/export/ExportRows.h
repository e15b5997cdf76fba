#pragma once

#include "tree/Colour.h"
#include "walk/FolderTotals.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace kvx {

class Workspace;

// What the system colour numbers (0x80000000 to 0x80000018) look like, as
// 0xRRGGBB: the window fills it from its palette.
struct SystemColourTable
{
    std::array<quint32, 25> rgb{};

    // The colours of a standard light desktop (Qt's own palette), for a run
    // that has no window to ask.
    [[nodiscard]] static SystemColourTable standard();

    // A node colour as 0xRRGGBB: a system colour looked up, a number that
    // names none as the system colour `unknown` (as the view shows them: the
    // window text for a text, the window background for a background),
    // another turned round.
    [[nodiscard]] quint32 resolve(Colour colour, Colour unknown) const;
};

enum class RowKind { Folder, File, Other };

// One shown row as every export writes it.
struct ExportRow
{
    int depth = 0; // 0 for a root
    QString text;  // as the row listing writes it (control characters as "?")
    RowKind kind = RowKind::Other;
    QString path; // a folder's key; a file's folder key and its text; another's key
    bool bold = false;
    quint32 color = 0;      // 0xRRGGBB
    quint32 background = 0; // 0xRRGGBB
    int picture = 0;        // 1-based position in the image list of the picture shown, 0 none
    std::optional<FolderTotal> total; // a folder's files and bytes, once taken
};

// The rows of an export and what describes them.
struct ExportRows
{
    QString title;                      // the top row's text
    quint32 viewBackground = 0xFFFFFFu; // behind the rows, 0xRRGGBB
    int columns = 0;
    int lines = 0;
    std::vector<ExportRow> rows;
    bool totals = false; // some row has its folder's totals
};

// The shown rows of the workspace's tree in display order, exactly those the
// row listing writes, with the jacket's grid.
[[nodiscard]] ExportRows collectExportRows(const Workspace& workspace,
                                           const SystemColourTable& colours);

// "folder", "file" or "other".
[[nodiscard]] QLatin1StringView kindName(RowKind kind);
// "#rrggbb".
[[nodiscard]] QString colourName(quint32 rgb);

} // namespace kvx
