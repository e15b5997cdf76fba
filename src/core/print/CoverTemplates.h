#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace kvx {

// Which way a spine's title reads: up its length (bottom to top) or down it.
enum class SpineReading { Up, Down };

struct SpineMm
{
    double left = 0; // from the card's left edge
    double width = 0;
    SpineReading reading = SpineReading::Up;
};

// One piece of card to cut out, in millimetres from its own top-left corner.
struct CoverCard
{
    QPointF placeMm; // its top-left in the template's block
    QSizeF outlineMm;
    std::array<SpineMm, 2> spines{};
    int spineCount = 0;
    QRectF rowsMm;  // where the rows are laid out from; empty: no rows
    QRectF frontMm; // the title large and the identifier under it; empty: no front
    // The 12 cm booklet as it always printed: its frame, no cut or fold marks,
    // and the title only on request.
    bool booklet = false;
};

enum class SheetTurn { Portrait, Landscape };

// A way to print the tree: the sheet's turn and the cards on it.
struct CoverTemplate
{
    const char* name;
    SheetTurn turn;
    std::array<CoverCard, 2> cards;
    int cardCount;

    // The smallest rectangle holding every card, from the block's top-left.
    [[nodiscard]] QSizeF blockMm() const;
};

// Every template, the booklet first (the default).
[[nodiscard]] const std::array<CoverTemplate, 5>& CoverTemplates();
[[nodiscard]] const CoverTemplate& BookletTemplate();
// The template of that name (exact, as the command line and documents spell
// it); none for an unknown name.
[[nodiscard]] const CoverTemplate* FindCoverTemplate(const QString& name);
[[nodiscard]] QStringList CoverTemplateNames();

// Room left outside a card's outline for its cut and fold marks.
inline constexpr double MarkGapMm = 1.0;
inline constexpr double MarkLengthMm = 2.0;

enum class Paper { A4, Letter };

[[nodiscard]] QSizeF PaperSizeMm(Paper paper, SheetTurn turn);
[[nodiscard]] QString PaperName(Paper paper);
[[nodiscard]] std::optional<Paper> PaperOfName(const QString& name);
// The paper of a locale name such as "en_US.UTF-8": US Letter where it is the
// custom, A4 elsewhere.
[[nodiscard]] Paper PaperOfLocale(const QString& localeName);
// The paper the environment asks for (LC_ALL, LC_PAPER, LANG in that order).
[[nodiscard]] Paper PaperOfEnvironment();

// Where a template lies on a sheet: its turn and the block's top-left in
// millimetres from the paper's top-left corner (centred, marks included).
struct SheetPlacement
{
    SheetTurn turn = SheetTurn::Portrait;
    QPointF blockMm;
};

// The template's own turn when it fits with its marks, else the other turn;
// none when it fits in neither.
[[nodiscard]] std::optional<SheetPlacement> PlaceOnPaper(const CoverTemplate& cover, Paper paper);

} // namespace kvx
