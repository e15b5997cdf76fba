#include "cli/RowListing.h"

#include "tree/DisplayOrder.h"
#include "tree/NodeTree.h"
#include "util/ControlCharacters.h"

#include <QTextStream>
#include <algorithm>

namespace kvx {

void writeRows(const NodeTree& tree, QTextStream& out,
               const std::function<QString(const Node&)>& suffix)
{
    // One text for all the rows, written at once: a large tree lists quickly.
    QString text;
    for (const Node* node = FirstRow(tree); node; node = NextNode(tree, node)) {
        text.resize(text.size() + 2 * node->depth(), u' ');
        const qsizetype name = text.size();
        text.append(node->text());
        std::replace_if(text.begin() + name, text.end(), isControlCharacter, u'?');
        if (suffix)
            text.append(suffix(*node));
        text.append(u'\n');
    }
    out << text;
    out.flush();
}

} // namespace kvx
