#include "print/CoverTemplates.h"

#include <QProcessEnvironment>

namespace kvx {

namespace {

constexpr double kBookletSide = 120;
// The jewel case's back card: a 138 mm face between two 6.5 mm spines.
constexpr double kTraySpine = 6.5;
constexpr double kTrayFace = 138;
constexpr double kTrayHeight = 118;
// The keep-case wrap: back panel, spine, front panel.
constexpr double kDvdPanel = 129.5;
constexpr double kDvdHeight = 183;
// Rows are laid out in the booklet's columns (12 cm for the widest choice),
// centred on their panel.
constexpr double kRowsWidth = 120;
constexpr double kFrontMargin = 8;
// Between the booklet and the tray card on one sheet.
constexpr double kCardGap = 10;

constexpr CoverCard booklet(QPointF place = {})
{
    CoverCard card;
    card.placeMm = place;
    card.outlineMm = QSizeF(kBookletSide, kBookletSide);
    card.rowsMm = QRectF(0, 0, kBookletSide, kBookletSide);
    card.booklet = true;
    return card;
}

constexpr CoverCard tray(QPointF place = {})
{
    CoverCard card;
    card.placeMm = place;
    card.outlineMm = QSizeF(kTrayFace + 2 * kTraySpine, kTrayHeight);
    card.spines = {SpineMm{0, kTraySpine, SpineReading::Up},
                   SpineMm{kTraySpine + kTrayFace, kTraySpine, SpineReading::Down}};
    card.spineCount = 2;
    card.rowsMm = QRectF(kTraySpine + (kTrayFace - kRowsWidth) / 2, 1, kRowsWidth, kTrayHeight - 2);
    return card;
}

constexpr CoverCard dvd(double spine)
{
    CoverCard card;
    card.outlineMm = QSizeF(2 * kDvdPanel + spine, kDvdHeight);
    card.spines[0] = SpineMm{kDvdPanel, spine, SpineReading::Up};
    card.spineCount = 1;
    card.rowsMm = QRectF((kDvdPanel - kRowsWidth) / 2, 4, kRowsWidth, kDvdHeight - 8);
    card.frontMm = QRectF(kDvdPanel + spine + kFrontMargin, kFrontMargin,
                          kDvdPanel - 2 * kFrontMargin, kDvdHeight - 2 * kFrontMargin);
    return card;
}

// One row per template: a new template is one more row.
const std::array<CoverTemplate, 5> kTemplates = {{
    {"booklet", SheetTurn::Portrait, {booklet(), {}}, 1},
    {"tray", SheetTurn::Portrait, {tray(), {}}, 1},
    {"dvd", SheetTurn::Landscape, {dvd(14), {}}, 1},
    {"slimdvd", SheetTurn::Landscape, {dvd(7), {}}, 1},
    {"booklet+tray",
     SheetTurn::Portrait,
     {booklet(QPointF((kTrayFace + 2 * kTraySpine - kBookletSide) / 2, 0)),
      tray(QPointF(0, kBookletSide + kCardGap))},
     2},
}};

} // namespace

QSizeF CoverTemplate::blockMm() const
{
    QRectF block;
    for (int i = 0; i < cardCount; ++i)
        block |= QRectF(cards[size_t(i)].placeMm, cards[size_t(i)].outlineMm);
    return QSizeF(block.right(), block.bottom());
}

const std::array<CoverTemplate, 5>& CoverTemplates()
{
    return kTemplates;
}

const CoverTemplate& BookletTemplate()
{
    return kTemplates.front();
}

const CoverTemplate* FindCoverTemplate(const QString& name)
{
    for (const CoverTemplate& cover : kTemplates) {
        if (name == QLatin1String(cover.name))
            return &cover;
    }
    return nullptr;
}

QStringList CoverTemplateNames()
{
    QStringList names;
    for (const CoverTemplate& cover : kTemplates)
        names.append(QLatin1String(cover.name));
    return names;
}

QSizeF PaperSizeMm(Paper paper, SheetTurn turn)
{
    const QSizeF portrait = paper == Paper::Letter ? QSizeF(215.9, 279.4) : QSizeF(210, 297);
    return turn == SheetTurn::Portrait ? portrait : portrait.transposed();
}

QString PaperName(Paper paper)
{
    return paper == Paper::Letter ? QStringLiteral("letter") : QStringLiteral("a4");
}

std::optional<Paper> PaperOfName(const QString& name)
{
    const QString lower = name.toLower();
    if (lower == u"a4")
        return Paper::A4;
    if (lower == u"letter")
        return Paper::Letter;
    return std::nullopt;
}

Paper PaperOfLocale(const QString& localeName)
{
    // The territories whose paper is US Letter.
    static constexpr const char* letter[] = {"US", "CA", "MX", "PH", "CL", "CO", "VE", "PR",
                                             "GT", "CR", "PA", "SV", "NI", "DO", "BZ"};
    const QString territory = localeName.section(u'.', 0, 0).section(u'@', 0, 0).section(u'_', 1);
    for (const char* code : letter) {
        if (territory == QLatin1String(code))
            return Paper::Letter;
    }
    return Paper::A4;
}

Paper PaperOfEnvironment()
{
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_PAPER", "LANG"}) {
        const QString value = env.value(QString::fromLatin1(name));
        if (!value.isEmpty())
            return PaperOfLocale(value);
    }
    return Paper::A4;
}

std::optional<SheetPlacement> PlaceOnPaper(const CoverTemplate& cover, Paper paper)
{
    const QSizeF block = cover.blockMm();
    const double marks = 2 * (MarkGapMm + MarkLengthMm);
    const SheetTurn other =
        cover.turn == SheetTurn::Portrait ? SheetTurn::Landscape : SheetTurn::Portrait;
    for (const SheetTurn turn : {cover.turn, other}) {
        const QSizeF sheet = PaperSizeMm(paper, turn);
        if (block.width() + marks <= sheet.width() && block.height() + marks <= sheet.height())
            return SheetPlacement{turn, QPointF((sheet.width() - block.width()) / 2,
                                                (sheet.height() - block.height()) / 2)};
    }
    return std::nullopt;
}

} // namespace kvx
