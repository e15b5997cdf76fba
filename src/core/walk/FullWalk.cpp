#include "walk/FullWalk.h"

#include "tree/FolderLister.h"
#include "tree/NameOrder.h"

#include <algorithm>

namespace kvx {

namespace {

struct Level
{
    std::vector<WalkItem> items;
    size_t next = 0;
    qint64 number = 0;
    int depth = 1;
    QString path;
};

bool isHidden(const QString& name)
{
    return name.startsWith(QLatin1Char('.'));
}

void sortByName(std::vector<WalkItem>& items)
{
    std::sort(items.begin(), items.end(),
              [](const WalkItem& a, const WalkItem& b) { return nameBefore(a.name, b.name); });
}

} // namespace

QString walkPath(const QString& folder, const QString& name)
{
    return folder.isEmpty() ? name : folder + QLatin1Char('/') + name;
}

WalkResult walkAll(WalkSource& source, const WalkOptions& options,
                   const std::function<void(const WalkVisit&)>& visit)
{
    WalkResult result;
    WalkProgress& totals = result.totals;
    std::vector<Level> stack(1);
    QString reason;
    if (!source.list(source.start(), stack[0].items, reason)) {
        result.startUnreadable = true;
        result.unreadable.push_back({QString(), reason});
        return result;
    }
    sortByName(stack[0].items);
    if (options.progress)
        options.progress(totals);

    qint64 number = 0;
    while (!stack.empty()) {
        if (options.cancel && options.cancel->load(std::memory_order_relaxed)) {
            result.cancelled = true;
            break;
        }
        Level& level = stack.back();
        if (level.next == level.items.size()) {
            stack.pop_back();
            continue;
        }
        const WalkItem& item = level.items[level.next++];
        const bool hidden = isHidden(item.name);
        if (hidden && !options.hidden)
            continue;
        const qint64 parent = level.number;
        const int depth = level.depth;
        WalkVisit seen{++number, parent, depth, level.path, item, hidden, false};
        switch (item.kind) {
        case WalkKind::File:
            ++totals.files;
            totals.bytes += item.size;
            break;
        case WalkKind::Link:
            ++totals.links;
            break;
        case WalkKind::Folder:
            ++totals.folders;
            break;
        }
        if (item.kind != WalkKind::Folder || item.otherFileSystem) {
            visit(seen);
            continue;
        }
        Level inner{{}, 0, number, depth + 1, walkPath(level.path, item.name)};
        seen.unreadable = !source.list(item.handle, inner.items, reason);
        visit(seen);
        if (seen.unreadable) {
            result.unreadable.push_back({inner.path, reason});
            continue;
        }
        sortByName(inner.items);
        if (options.progress) {
            totals.folder = inner.path;
            options.progress(totals);
        }
        stack.push_back(std::move(inner)); // `level` and `item` end here
    }
    if (options.progress) {
        totals.folder.clear();
        options.progress(totals);
    }
    return result;
}

} // namespace kvx
