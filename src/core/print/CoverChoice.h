#pragma once

#include "print/CoverTemplates.h"
#include "print/JacketLayout.h"
#include "print/SlicePlan.h"

#include <QString>
#include <vector>

namespace kvx {

class NodeTree;

// What a document says of its cover beyond the tree: the template, the disc's
// title and identifier line, and whether the booklet shows the title. Empty
// values are the defaults (the booklet, the title the tree gives).
struct CoverChoice
{
    QString templateName;
    QString discTitle;
    QString discId;
    bool titleOnBooklet = false;

    [[nodiscard]] bool isDefault() const
    {
        return templateName.isEmpty() && discTitle.isEmpty() && discId.isEmpty() && !titleOnBooklet;
    }
    // The template it names; the booklet for none or an unknown name.
    [[nodiscard]] const CoverTemplate& coverTemplate() const;

    friend bool operator==(const CoverChoice&, const CoverChoice&) = default;
};

// The title a disc gets when the user gave none: the file system's volume
// label when the tree's root is a mount point that has one, else the root
// folder's name. Empty for an empty tree.
[[nodiscard]] QString DefaultDiscTitle(const NodeTree& tree);
// The user's title, or the default one.
[[nodiscard]] QString DiscTitle(const CoverChoice& choice, const NodeTree& tree);

// The rows one card holds: from the row after `rowOffset`, cut into slices
// laid out from the card's rows area (twips from the area's top-left). When
// `titleRow` is set, the slices' row 1 is the title line and their row r the
// row r - 1 after the offset.
struct CardRows
{
    int card = 0;
    int rowOffset = 0;
    bool titleRow = false;
    int capacity = 0; // tree rows the card holds
    std::vector<Slice> slices;
};

// How many lines a column of the rows area holds at the layout's row height.
[[nodiscard]] qint32 LinesInRowsArea(const CoverCard& card, const JacketLayout& layout);
// How many of the tree's rows a template holds with the layout.
[[nodiscard]] qint32 CoverCapacity(const CoverTemplate& cover, const JacketLayout& layout,
                                   bool titleOnBooklet);
// The rows of each card for `rowCount` shown rows: the booklet's as it always
// was, the others a column of the same width and row height per slice, filled
// card after card in the template's order.
[[nodiscard]] std::vector<CardRows> PlanCoverRows(const CoverTemplate& cover,
                                                  const JacketLayout& layout, qint32 rowCount,
                                                  bool titleOnBooklet,
                                                  qint32 twipsPerCm = TwipsPerCm);

} // namespace kvx
