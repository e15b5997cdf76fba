#include "cli/RowListing.h"

#include "tree/DisplayOrder.h"
#include "tree/NodeTree.h"

#include <QTextStream>

namespace kvx {

namespace {

bool isControl(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7f && u < 0xa0);
}

} // namespace

QString printable(QString text)
{
    std::replace_if(text.begin(), text.end(), isControl, u'?');
    return text;
}

void writeRows(const NodeTree& tree, QTextStream& out)
{
    // One text for all the rows, written at once: a large tree lists quickly.
    QString text;
    for (const Node* node = FirstRow(tree); node; node = NextNode(tree, node)) {
        text.resize(text.size() + 2 * node->depth(), u' ');
        const qsizetype name = text.size();
        text.append(node->text());
        std::replace_if(text.begin() + name, text.end(), isControl, u'?');
        text.append(u'\n');
    }
    out << text;
    out.flush();
}

} // namespace kvx
