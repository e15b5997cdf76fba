#include "print/CoverChoice.h"

#include "tree/NodeTree.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <cmath>

namespace kvx {

const CoverTemplate& CoverChoice::coverTemplate() const
{
    const CoverTemplate* named = FindCoverTemplate(templateName);
    return named ? *named : BookletTemplate();
}

QString DefaultDiscTitle(const NodeTree& tree)
{
    const Node* root = tree.count() > 0 ? tree.nodeAt(1) : nullptr;
    while (root && root->parent())
        root = root->parent();
    if (!root)
        return QString();
    const QString folder = QDir::cleanPath(root->key());
    const QStorageInfo volume(folder);
    if (volume.isValid() && QDir::cleanPath(volume.rootPath()) == folder &&
        !volume.name().isEmpty())
        return volume.name();
    const QString name = QFileInfo(folder).fileName();
    return name.isEmpty() ? root->text() : name;
}

QString DiscTitle(const CoverChoice& choice, const NodeTree& tree)
{
    return choice.discTitle.isEmpty() ? DefaultDiscTitle(tree) : choice.discTitle;
}

qint32 LinesInRowsArea(const CoverCard& card, const JacketLayout& layout)
{
    if (card.booklet)
        return layout.LinesPerColumn;
    // A row is as high as on the booklet, whose column is 12 cm.
    const double rowMm = double(JacketSideCm) * 10 / layout.LinesPerColumn;
    return qint32(std::floor(card.rowsMm.height() / rowMm + 1e-9));
}

namespace {

// The rows a card holds, the title's line taken out of the booklet's.
qint32 cardCapacity(const CoverCard& card, const JacketLayout& layout, bool titleOnBooklet)
{
    if (card.rowsMm.isEmpty())
        return 0;
    const qint32 rows = LinesInRowsArea(card, layout) * layout.ColumnCount;
    return card.booklet && titleOnBooklet ? rows - 1 : rows;
}

} // namespace

qint32 CoverCapacity(const CoverTemplate& cover, const JacketLayout& layout, bool titleOnBooklet)
{
    qint32 total = 0;
    for (int i = 0; i < cover.cardCount; ++i)
        total += cardCapacity(cover.cards[size_t(i)], layout, titleOnBooklet);
    return total;
}

std::vector<CardRows> PlanCoverRows(const CoverTemplate& cover, const JacketLayout& layout,
                                    qint32 rowCount, bool titleOnBooklet, qint32 twipsPerCm)
{
    std::vector<CardRows> plan;
    int offset = 0;
    for (int i = 0; i < cover.cardCount; ++i) {
        const CoverCard& card = cover.cards[size_t(i)];
        CardRows rows;
        rows.card = i;
        rows.rowOffset = offset;
        rows.titleRow = card.booklet && titleOnBooklet;
        rows.capacity = cardCapacity(card, layout, titleOnBooklet);
        if (rows.capacity < 1)
            continue;
        const int extra = rows.titleRow ? 1 : 0;
        SliceInputs in;
        in.rowsPerSlice = layout.LinesPerColumn / 2;
        in.capacity = rows.capacity + extra;
        in.rowCount = qMax(0, rowCount - offset) + extra;
        in.columnStepCm = ColumnStepCm(layout.ColumnCount);
        in.twipsPerCm = twipsPerCm;
        if (!card.booklet) {
            in.sliceRows = LinesInRowsArea(card, layout);
            in.slicesPerColumn = 1;
            in.areaTwips = QSize(int(std::lround(card.rowsMm.width() / 10 * twipsPerCm)),
                                 int(std::lround(card.rowsMm.height() / 10 * twipsPerCm)));
        }
        rows.slices = PlanSlices(in);
        offset += rows.capacity;
        plan.push_back(std::move(rows));
    }
    return plan;
}

} // namespace kvx
