#include "lang/LeftOutMessage.h"

#include <QStringList>

namespace kvx {

namespace {

// One line of the message: its text, and how many entries of its kind.
struct Kind
{
    Msg line;
    int (*count)(const LeftOut&);
};

constexpr Kind kKinds[] = {
    {Msg::LeftOutBadNames, [](const LeftOut& l) { return l.foldersBadName + l.filesBadName; }},
    {Msg::LeftOutTooLong, [](const LeftOut& l) { return l.foldersTooLong + l.filesTooLong; }},
    {Msg::LeftOutBeyondLimit, [](const LeftOut& l) { return l.beyondNodeLimit; }},
    {Msg::LeftOutUnreadable, [](const LeftOut& l) { return int(l.unreadableFolders.size()); }},
};

} // namespace

QString leftOutMessage(const LeftOut& leftOut, const MessageTexts& texts)
{
    QStringList lines;
    for (const Kind& kind : kKinds) {
        if (const int n = kind.count(leftOut); n > 0)
            lines.append(texts.text(kind.line).arg(n));
    }
    if (lines.isEmpty())
        return {};
    lines.prepend(texts.text(Msg::EntriesLeftOut));
    return lines.join(u'\n');
}

} // namespace kvx
