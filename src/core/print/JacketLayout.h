#pragma once

#include <QtGlobal>
#include <optional>

namespace kvx {

// The jacket's grid as the user chose it with the line and column options.
// A column option's index is the width of one jacket column in centimetres
// (3 for 4 columns, 4 for 3 columns, 6 for 2 columns).
struct JacketLayout
{
    qint32 LinesPerColumn = 50;
    qint32 ColumnCount = 3;
    qint16 ColumnOptionIndex = 4;

    // How many rows fit on the jacket (what lblImprimable shows).
    [[nodiscard]] qint32 capacity() const { return LinesPerColumn * ColumnCount; }

    // A line option was chosen: `lines` is its caption's value. Returns the
    // column guide's new left position in twips, or none when it stays put.
    std::optional<int> chooseLines(qint32 lines);
    // A column option was chosen: its index and its caption's value (columns).
    std::optional<int> chooseColumnOption(qint16 index, qint32 columns);
};

// The column guide's left position in twips over the tree view for a line
// count and a column option index; none for a line count other than 30, 40, 50.
[[nodiscard]] std::optional<int> ColumnGuideLeft(qint32 lines, qint16 optionIndex);

// The line counts of the line options opLines(0..2).
inline constexpr qint32 LineOptionCounts[] = {30, 40, 50};

// The column option indexes, left to right, and the column count each stands for.
inline constexpr qint16 ColumnOptionIndexes[] = {3, 4, 6};
[[nodiscard]] constexpr qint32 ColumnsOfOption(qint16 optionIndex)
{
    return optionIndex > 0 ? 12 / optionIndex : 0;
}

// Width and position of the guide line drawn over the tree view, in twips.
inline constexpr int ColumnGuideWidth = 3;

} // namespace kvx
