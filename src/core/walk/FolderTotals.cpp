#include "walk/FolderTotals.h"

#include "tree/Node.h"

#include <QSet>
#include <utility>

namespace kvx {

const FolderTotal* FolderTotals::find(const QString& path) const
{
    const auto at = m_byPath.constFind(path);
    return at == m_byPath.cend() ? nullptr : &*at;
}

const FolderTotal* FolderTotals::ofNode(const Node& node) const
{
    const QString& key = node.key();
    if (m_byPath.isEmpty() || !node.isFolder() || !key.startsWith(m_rootKey))
        return nullptr;
    QString path = key.mid(m_rootKey.size());
    if (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return find(path);
}

QString FolderTotals::keyOf(const QString& path) const
{
    return path.isEmpty() ? m_rootKey : m_rootKey + path + QLatin1Char('/');
}

TotalsWalk takeFolderTotals(WalkSource& source, WalkOptions options)
{
    options.hidden = false;
    TotalsWalk out;
    // The folders from the start down to the one being walked; a folder's
    // total goes to its parent once the walk has left it.
    struct Open
    {
        qint64 number = 0;
        QString path;
        FolderTotal total;
        bool kept = true;
    };
    std::vector<Open> open(1);
    QSet<std::pair<quint64, quint64>> linked; // files met under one of several names
    const auto close = [&] {
        Open done = std::move(open.back());
        open.pop_back();
        open.back().total += done.total;
        if (done.kept)
            out.totals.insert(done.path, done.total);
    };
    out.walk = walkAll(source, options, [&](const WalkVisit& visit) {
        while (open.back().number != visit.parent)
            close();
        const WalkItem& item = visit.item;
        switch (item.kind) {
        case WalkKind::File:
            if (item.links > 1) {
                const std::pair<quint64, quint64> file{item.device, item.inode};
                if (linked.contains(file))
                    return;
                linked.insert(file);
            }
            ++open.back().total.files;
            open.back().total.bytes += item.size;
            break;
        case WalkKind::Link:
            ++open.back().total.files;
            break;
        case WalkKind::Folder:
            open.push_back({visit.number,
                            walkPath(visit.folder, item.name),
                            {},
                            !visit.unreadable && !item.otherFileSystem});
            break;
        }
    });
    if (out.walk.cancelled || out.walk.startUnreadable) {
        out.totals.clear();
        return out;
    }
    while (open.size() > 1)
        close();
    out.totals.insert(QString(), open.front().total);
    out.totals.taken = QDateTime::currentDateTimeUtc();
    return out;
}

} // namespace kvx
