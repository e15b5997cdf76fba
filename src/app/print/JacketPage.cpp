#include "print/JacketPage.h"

#include "util/Twips.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

namespace kvx {

namespace {

// The rows as the tree view shows them off screen: 6000 twips wide, in rows
// of 240 twips.
RowAppearance jacketRows(RowAppearance look)
{
    look.rowWidth = TwipsToPixels(ViewSideTwips);
    look.rowHeight = TwipsToPixels(RowHeightTwips);
    return look;
}

// The title's lettering on spines and fronts, as high as the room allows.
constexpr double kSpineLetterShare = 0.55; // of the spine's width
constexpr double kSpineLetterMaxMm = 5;
constexpr double kSpineEndMm = 4; // left free at each end of a spine
constexpr double kFrontTitleMm = 12;
constexpr double kFrontTitleMinMm = 5;
constexpr double kFrontIdentifierMm = 6;

// One line of text in `box`, shrunk down to `smallest` pixels to fit its
// width, then elided.
void drawLine(QPainter& painter, QFont font, const QRectF& box, const QString& text,
              Qt::Alignment align, double smallest)
{
    if (text.isEmpty())
        return;
    const double wide = QFontMetricsF(font).horizontalAdvance(text);
    if (wide > box.width() && font.pixelSize() > smallest)
        font.setPixelSize(qMax(int(smallest), int(font.pixelSize() * box.width() / wide)));
    const QFontMetricsF metrics(font);
    painter.setFont(font);
    painter.drawText(box, align | Qt::TextSingleLine,
                     metrics.elidedText(text, Qt::ElideRight, box.width()));
}

} // namespace

CoverPrint CoverPrint::of(const CoverChoice& choice, const NodeTree& tree)
{
    CoverPrint print;
    print.cover = &choice.coverTemplate();
    print.title = DiscTitle(choice, tree);
    print.identifier = choice.discId;
    print.titleOnBooklet = choice.titleOnBooklet;
    return print;
}

JacketPage::JacketPage(const NodeTree& tree, const ImageList& images, RowAppearance look,
                       const JacketLayout& layout, qint32 capacity, CoverPrint cover)
    : m_capacity(capacity), m_painter(tree, images, jacketRows(std::move(look))),
      m_cover(std::move(cover))
{
    m_rows.NumberVisibleNodes(tree);
    m_titleFont = m_painter.appearance().font;
    m_titleFont.setBold(true);
    if (!m_cover.plainBooklet()) {
        m_capacity = CoverCapacity(*m_cover.cover, layout, m_cover.titleOnBooklet);
        m_cards = PlanCoverRows(*m_cover.cover, layout, m_rows.VisibleNodeCount(),
                                m_cover.titleOnBooklet);
        return;
    }
    SliceInputs in;
    in.rowsPerSlice = layout.LinesPerColumn / 2;
    in.capacity = capacity;
    in.rowCount = m_rows.VisibleNodeCount();
    in.columnStepCm = ColumnStepCm(layout.ColumnCount);
    m_slices = PlanSlices(in);
}

void JacketPage::paintSlices(QPainter& painter, double dotsPerInch, const CardRows& rows) const
{
    const auto device = [dotsPerInch](double twips) { return twips * dotsPerInch / TwipsPerInch; };
    const std::vector<Slice>& slices = rows.card < 0 ? m_slices : rows.slices;
    const int shift = rows.rowOffset - (rows.titleRow ? 1 : 0);
    for (const Slice& slice : slices) {
        const QRectF target(device(slice.positionTwips.x()), device(slice.positionTwips.y()),
                            device(slice.printedTwips.width()),
                            device(slice.printedTwips.height()));
        const QRect column = slice.clipTwips;
        painter.setClipRect(QRectF(device(column.x()), device(column.y()), device(column.width()),
                                   device(column.height())));
        // A first row of 0 leaves the slice's first line to the title.
        m_painter.paintRows(painter, m_rows.rows(), slice.firstRow + shift, slice.lastRow + shift,
                            target, QSizeF(slice.capturePixels));
        if (rows.titleRow && slice.firstRow == 1) {
            const RowAppearance& look = m_painter.appearance();
            const double line = target.height() * look.rowHeight / slice.capturePixels.height();
            QFont font = m_titleFont;
            font.setPixelSize(qMax(1, int(line * 0.7)));
            painter.setPen(Qt::black);
            drawLine(painter, font,
                     QRectF(target.left() + line / 4, target.top(),
                            device(column.width()) - line / 2, line),
                     m_cover.title, Qt::AlignLeft | Qt::AlignVCenter, 1);
        }
    }
    painter.setClipping(false);
}

void JacketPage::paintCard(QPainter& painter, double dotsPerInch, const CoverCard& card) const
{
    const auto mm = [dotsPerInch](double millimetres) { return millimetres * dotsPerInch / 25.4; };
    const QRectF outline(0, 0, mm(card.outlineMm.width()), mm(card.outlineMm.height()));
    QPen pen(Qt::black, mm(card.booklet ? FrameWidthMm : MarkWidthMm));
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setBrush(Qt::NoBrush);
    if (card.booklet) {
        painter.setPen(pen);
        painter.drawRect(outline);
        return;
    }
    painter.setPen(pen);
    const double gap = mm(MarkGapMm), length = mm(MarkLengthMm);
    // Cut marks: each corner's two edges carried on outside the outline.
    for (const double x : {outline.left(), outline.right()}) {
        const double out = x == outline.left() ? -1 : 1;
        for (const double y : {outline.top(), outline.bottom()}) {
            const double down = y == outline.top() ? -1 : 1;
            painter.drawLine(QPointF(x + out * gap, y), QPointF(x + out * (gap + length), y));
            painter.drawLine(QPointF(x, y + down * gap), QPointF(x, y + down * (gap + length)));
        }
    }
    // Fold marks above and below each edge of a spine.
    for (int i = 0; i < card.spineCount; ++i) {
        const SpineMm& spine = card.spines[size_t(i)];
        for (const double edge : {spine.left, spine.left + spine.width}) {
            if (edge <= 0 || edge >= card.outlineMm.width())
                continue;
            const double x = mm(edge);
            painter.drawLine(QPointF(x, -gap), QPointF(x, -gap - length));
            painter.drawLine(QPointF(x, outline.bottom() + gap),
                             QPointF(x, outline.bottom() + gap + length));
        }
    }

    painter.setPen(Qt::black);
    for (int i = 0; i < card.spineCount; ++i) {
        const SpineMm& spine = card.spines[size_t(i)];
        const QRectF along(mm(spine.left), 0, mm(spine.width), outline.height());
        painter.save();
        painter.translate(along.center());
        painter.rotate(spine.reading == SpineReading::Up ? -90 : 90);
        QFont font = m_titleFont;
        font.setPixelSize(
            qMax(1, int(qMin(along.width() * kSpineLetterShare, mm(kSpineLetterMaxMm)))));
        const double room = along.height() - 2 * mm(kSpineEndMm);
        drawLine(painter, font, QRectF(-room / 2, -along.width() / 2, room, along.width()),
                 m_cover.title, Qt::AlignCenter, font.pixelSize());
        painter.restore();
    }
    if (!card.frontMm.isEmpty()) {
        const QRectF front(mm(card.frontMm.x()), mm(card.frontMm.y()), mm(card.frontMm.width()),
                           mm(card.frontMm.height()));
        QFont font = m_titleFont;
        font.setPixelSize(int(mm(kFrontTitleMm)));
        const QRectF title(front.left(), front.top() + front.height() / 4, front.width(),
                           mm(kFrontTitleMm) * 1.5);
        drawLine(painter, font, title, m_cover.title, Qt::AlignHCenter | Qt::AlignBottom,
                 mm(kFrontTitleMinMm));
        font.setBold(false);
        font.setPixelSize(int(mm(kFrontIdentifierMm)));
        drawLine(painter, font,
                 QRectF(front.left(), title.bottom() + mm(kFrontIdentifierMm) / 2, front.width(),
                        mm(kFrontIdentifierMm) * 1.5),
                 m_cover.identifier, Qt::AlignHCenter | Qt::AlignTop, mm(kFrontIdentifierMm) / 2);
    }
}

void JacketPage::paint(QPainter& painter, double dotsPerInch) const
{
    painter.save();
    if (m_cover.plainBooklet()) {
        CardRows booklet;
        booklet.card = -1;
        paintSlices(painter, dotsPerInch, booklet);
        // In true centimetres, over the slices.
        paintCard(painter, dotsPerInch, BookletTemplate().cards.front());
        painter.restore();
        return;
    }
    const auto mm = [dotsPerInch](double millimetres) { return millimetres * dotsPerInch / 25.4; };
    const CoverTemplate& cover = *m_cover.cover;
    for (int i = 0; i < cover.cardCount; ++i) {
        const CoverCard& card = cover.cards[size_t(i)];
        painter.save();
        painter.translate(mm(card.placeMm.x()), mm(card.placeMm.y()));
        for (const CardRows& rows : m_cards) {
            if (rows.card != i)
                continue;
            painter.save();
            painter.translate(mm(card.rowsMm.x()), mm(card.rowsMm.y()));
            paintSlices(painter, dotsPerInch, rows);
            painter.restore();
        }
        paintCard(painter, dotsPerInch, card);
        painter.restore();
    }
    painter.restore();
}

QPointF JacketPage::origin(const QPageLayout& paper, double dotsPerInch) const
{
    if (m_cover.cover == &BookletTemplate())
        return {};
    const QSizeF sheet = paper.fullRect(QPageLayout::Millimeter).size();
    const QSizeF block = m_cover.cover->blockMm();
    const QPointF corner((sheet.width() - block.width()) / 2,
                         (sheet.height() - block.height()) / 2);
    return (corner - paper.paintRect(QPageLayout::Millimeter).topLeft()) * dotsPerInch / 25.4;
}

std::optional<QPageLayout::Orientation> JacketPage::orientationOn(const QPageSize& paper,
                                                                  QString* paperName) const
{
    if (m_cover.plainBooklet())
        return QPageLayout::Portrait;
    const Paper kind = paper.id() == QPageSize::Letter ? Paper::Letter : Paper::A4;
    if (paperName)
        *paperName = paper.name();
    const std::optional<SheetPlacement> placed = PlaceOnPaper(*m_cover.cover, kind);
    if (!placed)
        return std::nullopt;
    return placed->turn == SheetTurn::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

bool JacketPage::print(QPagedPaintDevice& device) const
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // The booklet alone draws from the corner, exactly as it always has.
    if (const QPointF corner = origin(device.pageLayout(), device.logicalDpiX()); !corner.isNull())
        painter.translate(corner);
    paint(painter, device.logicalDpiX());
    return painter.end();
}

} // namespace kvx
