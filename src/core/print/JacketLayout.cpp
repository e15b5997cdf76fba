#include "print/JacketLayout.h"

namespace kvx {

std::optional<int> ColumnGuideLeft(qint32 lines, qint16 optionIndex)
{
    // Per line count, the on-screen width of one centimetre of jacket column;
    // 270 twips is the scroll-bar strip that never prints.
    int perCm = 0;
    switch (lines) {
    case 30:
        perCm = 660;
        break;
    case 40:
        perCm = 890;
        break;
    case 50:
        perCm = 1000;
        break;
    default:
        return std::nullopt;
    }
    return optionIndex * perCm - 270;
}

std::optional<int> JacketLayout::chooseLines(qint32 lines)
{
    LinesPerColumn = lines;
    return chooseColumnOption(ColumnOptionIndex, ColumnCount);
}

std::optional<int> JacketLayout::chooseColumnOption(qint16 index, qint32 columns)
{
    const std::optional<int> guide = ColumnGuideLeft(LinesPerColumn, index);
    ColumnOptionIndex = index;
    ColumnCount = columns;
    return guide;
}

} // namespace kvx
