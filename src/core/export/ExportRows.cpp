#include "export/ExportRows.h"

#include "tree/DisplayOrder.h"
#include "util/ControlCharacters.h"
#include "workspace/Workspace.h"

namespace kvx {

namespace {

// The picture the row shows, whoever has it selected: the expanded one while
// the node is open, when it has one.
int shownPicture(const Node& node, const ImageRegistry& images)
{
    const bool open = node.expanded() && !node.expandedImage().isNone();
    return images.positionOf(open ? node.expandedImage() : node.image());
}

ExportRow exportRow(const Node& node, const Workspace& workspace, const SystemColourTable& colours)
{
    const ImageRegistry& images = workspace.images();
    ExportRow row;
    row.depth = node.depth();
    row.text = withoutControls(node.text());
    if (node.isFolder()) {
        row.kind = RowKind::Folder;
        row.path = node.key();
    } else if (node.isFile()) {
        row.kind = RowKind::File;
        row.path = (node.parent() ? node.parent()->key() : QString()) + node.text();
    } else {
        row.path = node.key();
    }
    row.path = withoutControls(row.path);
    row.bold = node.bold();
    row.color = colours.resolve(node.foreColor(), kSysWindowText);
    row.background = colours.resolve(node.backColor(), kSysWindowBackground);
    row.picture = shownPicture(node, images);
    if (const FolderTotal* total = workspace.totals.ofNode(node))
        row.total = *total;
    return row;
}

} // namespace

SystemColourTable SystemColourTable::standard()
{
    // By system colour number: Qt's palette on a desktop without a theme of its own.
    return {{0xb8b8b8, 0x9f9f9f, 0x308cc6, 0xb8b8b8, 0xefefef, 0xffffff, 0x767676,
             0x000000, 0x000000, 0xffffff, 0xb8b8b8, 0xb8b8b8, 0x9f9f9f, 0x308cc6,
             0xffffff, 0xefefef, 0x9f9f9f, 0x000000, 0x000000, 0x000000, 0xffffff,
             0x767676, 0xcacaca, 0x000000, 0xffffdc}};
}

quint32 SystemColourTable::resolve(Colour colour, Colour unknown) const
{
    if (isSystemColour(colour)) {
        const size_t number = colour & ~kSystemColourFlag;
        return rgb.at(number < rgb.size() ? number : unknown & ~kSystemColourFlag);
    }
    return ((colour & 0xFFu) << 16) | (colour & 0xFF00u) | ((colour >> 16) & 0xFFu);
}

ExportRows collectExportRows(const Workspace& workspace, const SystemColourTable& colours)
{
    const NodeTree& tree = workspace.tree();
    ExportRows rows;
    rows.columns = workspace.jacket.ColumnCount;
    rows.lines = workspace.jacket.LinesPerColumn;
    rows.viewBackground = colours.resolve(kSysWindowBackground, kSysWindowBackground);
    rows.rows.reserve(size_t(tree.shownRows()));
    for (const Node* node = FirstRow(tree); node; node = NextNode(tree, node)) {
        rows.rows.push_back(exportRow(*node, workspace, colours));
        rows.totals = rows.totals || rows.rows.back().total;
    }
    if (!rows.rows.empty())
        rows.title = rows.rows.front().text;
    return rows;
}

QLatin1StringView kindName(RowKind kind)
{
    switch (kind) {
    case RowKind::Folder:
        return QLatin1StringView("folder");
    case RowKind::File:
        return QLatin1StringView("file");
    case RowKind::Other:
        break;
    }
    return QLatin1StringView("other");
}

QString colourName(quint32 rgb)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    QString name(7, u'#');
    for (int i = 1; i < 7; ++i)
        name[i] = QLatin1Char(kDigits[(rgb >> (24 - 4 * i)) & 0xFu]);
    return name;
}

} // namespace kvx
