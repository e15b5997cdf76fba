#include "cli/RowListing.h"

#include "tree/TreeWalks.h"

#include <QTextStream>

namespace kvx {

namespace {

bool isControl(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7f && u < 0xa0);
}

} // namespace

void writeRows(const NodeTree& tree, QTextStream& out)
{
    for (QString row : RowTexts(tree)) {
        std::replace_if(row.begin(), row.end(), isControl, u'?');
        out << row << '\n';
    }
    out.flush();
}

} // namespace kvx
