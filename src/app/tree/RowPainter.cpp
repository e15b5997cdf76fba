#include "tree/RowPainter.h"

#include "tree/ImageList.h"
#include "tree/NodeTree.h"
#include "tree/SystemColours.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <cmath>

namespace kvx {

namespace {

constexpr int kGap = 2; // before a check box, a picture and a label
constexpr int kCheckBoxSize = 13;
constexpr int kMarkerSize = 9;
constexpr int kTextMargin = 2; // inside the label's background, on each side
const QColor kLineGrey(128, 128, 128);

// Every other pixel of a line one pixel thick, from (x, y) on: whole pixels
// on the screen, and dots that scale with the rows on paper.
void dottedLine(QPainter& painter, const QColor& colour, int x, int y, int length, bool down)
{
    for (int at = 0; at < length; at += 2)
        painter.fillRect(down ? QRect(x, y + at, 1, 1) : QRect(x + at, y, 1, 1), colour);
}

QPixmap greyed(const QPixmap& picture)
{
    QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = qGray(line[x]);
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]));
        }
    }
    return QPixmap::fromImage(image);
}

} // namespace

QFont RowFont(const QFont& font)
{
    QFont sized = font;
    if (font.pixelSize() <= 0)
        sized.setPixelSize(int(std::lround(font.pointSizeF() * 96 / 72)));
    return sized;
}

RowPainter::RowPainter(const NodeTree& tree, const ImageList& images, RowAppearance appearance)
    : m_tree(tree), m_images(images), m_look(std::move(appearance))
{
}

QColor RowPainter::shade(const QColor& colour) const
{
    if (m_look.colour)
        return colour;
    const int grey = qGray(colour.rgb());
    return QColor(grey, grey, grey, colour.alpha());
}

QPixmap RowPainter::picture(const Node& node, bool selected) const
{
    const int position = m_images.registry().positionOf(node.shownImage(selected));
    if (m_look.colour || position < 1)
        return m_images.picture(position);
    auto grey = m_greyPictures.find(position);
    if (grey == m_greyPictures.end())
        grey = m_greyPictures.insert(position, greyed(m_images.picture(position)));
    return *grey;
}

QFont RowPainter::labelFont(const Node& node) const
{
    QFont font = m_look.font;
    font.setBold(node.bold());
    return font;
}

int RowPainter::itemLeft(const Node& node, const QRect& row) const
{
    return row.left() + m_look.levelsBefore(node) * m_look.indentation;
}

QRect RowPainter::checkBoxRect(const Node& node, const QRect& row) const
{
    if (!m_look.checkboxes)
        return {};
    return {itemLeft(node, row) + kGap, row.top() + (m_look.rowHeight - kCheckBoxSize) / 2,
            kCheckBoxSize, kCheckBoxSize};
}

int RowPainter::labelLeft(const Node& node, const QRect& row) const
{
    int x = itemLeft(node, row) + kGap;
    if (m_look.checkboxes)
        x += kCheckBoxSize + kGap;
    if (m_look.pictureSize > 0)
        x += m_look.pictureSize + kGap;
    return x;
}

RowPainter::Label RowPainter::label(const Node& node, const QRect& row) const
{
    Label label;
    label.font = labelFont(node);
    const QFontMetricsF metrics(label.font);
    const int left = labelLeft(node, row);
    const int room = row.right() + 1 - left - 2 * kTextMargin;
    if (room > 0)
        label.text = metrics.elidedText(
            m_look.suffix ? node.text() + m_look.suffix(node) : node.text(), Qt::ElideRight, room);
    const int width = int(std::ceil(metrics.horizontalAdvance(label.text))) + 2 * kTextMargin;
    label.box =
        QRect(left, row.top(), qMax(0, qMin(width, row.right() + 1 - left)), m_look.rowHeight);
    return label;
}

QRect RowPainter::labelRect(const Node& node, const QRect& row) const
{
    return label(node, row).box;
}

void RowPainter::paintRow(QPainter& painter, const Node& node, const QRect& row,
                          const RowState& state) const
{
    paintBranches(painter, node, row);
    paintItem(painter, node, row, state);
}

void RowPainter::paintBranches(QPainter& painter, const Node& node, const QRect& row) const
{
    if (m_look.lines)
        paintLines(painter, node, row);
    const int column = m_look.levelsBefore(node) - 1;
    if (m_look.expandButtons && column >= 0 && node.childCount() > 0) {
        const QRect cell(row.left() + column * m_look.indentation, row.top(), m_look.indentation,
                         m_look.rowHeight);
        paintMarker(painter,
                    m_look.markerBox.isEmpty() ? cell : m_look.markerBox.translated(cell.topLeft()),
                    node.expanded());
    }
}

void RowPainter::paintLines(QPainter& painter, const Node& node, const QRect& row) const
{
    const int column = m_look.levelsBefore(node) - 1;
    if (column < 0)
        return;
    const QColor colour = shade(kLineGrey);
    const int indent = m_look.indentation;
    const auto centre = [&](int level) { return row.left() + level * indent + indent / 2; };
    const int top = row.top();
    const int middle = top + m_look.rowHeight / 2;

    // Up to the parent or the previous sibling, down to the next sibling,
    // across to the item.
    const bool before = node.parent() || node.row() > 0;
    const bool after = m_tree.nextSibling(&node) != nullptr;
    const int from = before ? top : middle;
    const int to = after ? top + m_look.rowHeight : middle + 1;
    dottedLine(painter, colour, centre(column), from, to - from, true);
    dottedLine(painter, colour, centre(column), middle, itemLeft(node, row) - centre(column),
               false);
    // Through the row, for each ancestor that has siblings below.
    for (const Node* up = node.parent(); up; up = up->parent()) {
        const int level = m_look.levelsBefore(*up) - 1;
        if (level < 0)
            break;
        if (m_tree.nextSibling(up))
            dottedLine(painter, colour, centre(level), top, m_look.rowHeight, true);
    }
}

void RowPainter::paintMarker(QPainter& painter, const QRect& cell, bool open) const
{
    const int x = cell.left() + cell.width() / 2;
    const int y = cell.top() + cell.height() / 2;
    const int half = kMarkerSize / 2;
    const QRect box(x - half, y - half, kMarkerSize, kMarkerSize);
    const QColor border = shade(kLineGrey);
    const QColor sign = shade(m_look.palette.color(QPalette::Text));
    painter.fillRect(box, shade(m_look.palette.color(QPalette::Base)));
    painter.fillRect(QRect(box.left(), box.top(), kMarkerSize, 1), border);
    painter.fillRect(QRect(box.left(), box.bottom(), kMarkerSize, 1), border);
    painter.fillRect(QRect(box.left(), box.top(), 1, kMarkerSize), border);
    painter.fillRect(QRect(box.right(), box.top(), 1, kMarkerSize), border);
    painter.fillRect(QRect(x - half + 2, y, kMarkerSize - 4, 1), sign);
    if (!open)
        painter.fillRect(QRect(x, y - half + 2, 1, kMarkerSize - 4), sign);
}

void RowPainter::paintCheckBox(QPainter& painter, const QRect& box, bool checked) const
{
    const QColor border = shade(kLineGrey);
    painter.fillRect(box, shade(m_look.palette.color(QPalette::Base)));
    painter.fillRect(QRect(box.left(), box.top(), box.width(), 1), border);
    painter.fillRect(QRect(box.left(), box.bottom(), box.width(), 1), border);
    painter.fillRect(QRect(box.left(), box.top(), 1, box.height()), border);
    painter.fillRect(QRect(box.right(), box.top(), 1, box.height()), border);
    if (!checked)
        return;
    // A tick: down to the bottom, then up to the right.
    const QColor tick = shade(m_look.palette.color(QPalette::Text));
    const int dips[] = {0, 1, 2, 1, 0, -1, -2};
    for (int i = 0; i < int(std::size(dips)); ++i)
        painter.fillRect(QRect(box.left() + 3 + i, box.top() + 5 + dips[i], 1, 3), tick);
}

void RowPainter::paintItem(QPainter& painter, const Node& node, const QRect& row,
                           const RowState& state) const
{
    if (const QRect box = checkBoxRect(node, row); !box.isEmpty())
        paintCheckBox(painter, box, node.checked());
    if (const int size = m_look.pictureSize; size > 0) {
        const int left = labelLeft(node, row) - kGap - size;
        const QPixmap shown = picture(node, state.selected);
        if (!shown.isNull())
            painter.drawPixmap(QRect(left, row.top() + (m_look.rowHeight - size) / 2, size, size),
                               shown);
    }

    const Label shown = label(node, row);
    QRect back = shown.box;
    const QPalette::ColorGroup group = state.active ? QPalette::Active : QPalette::Inactive;
    QColor text = toQColor(node.foreColor(), m_look.palette, QPalette::Text);
    if (state.selected) {
        if (state.wholeRow)
            back.setRight(row.right());
        painter.fillRect(back, shade(m_look.palette.color(group, QPalette::Highlight)));
        text = m_look.palette.color(group, QPalette::HighlightedText);
    } else if (node.backColor() != kSysWindowBackground) {
        painter.fillRect(back, shade(toQColor(node.backColor(), m_look.palette, QPalette::Base)));
    }
    if (shown.text.isEmpty())
        return;
    painter.setFont(shown.font);
    painter.setPen(shade(text));
    painter.drawText(QRect(shown.box.left() + kTextMargin, row.top(),
                           row.right() + 1 - shown.box.left() - kTextMargin, m_look.rowHeight),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown.text);
}

void RowPainter::paintRows(QPainter& painter, const std::vector<NodeId>& rows, int first, int last,
                           const QRectF& target, const QSizeF& area) const
{
    if (target.isEmpty() || area.isEmpty())
        return;
    painter.save();
    painter.setClipRect(target, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    painter.translate(target.topLeft());
    painter.scale(target.width() / area.width(), target.height() / area.height());
    painter.fillRect(QRectF(QPointF(0, 0), area), shade(m_look.palette.color(QPalette::Base)));
    const int end = qMin(last, int(rows.size()));
    for (int r = qMax(first, 1); r <= end; ++r) {
        const QRect row(0, (r - first) * m_look.rowHeight, m_look.rowWidth, m_look.rowHeight);
        if (row.top() >= area.height())
            break;
        if (const Node* node = m_tree.find(rows[size_t(r - 1)]))
            paintRow(painter, *node, row);
    }
    painter.restore();
}

} // namespace kvx
