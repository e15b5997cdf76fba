#include "catalogue/DiscComparison.h"

#include "tree/FolderLister.h"
#include "tree/NameOrder.h"

#include <QHash>
#include <QSet>
#include <algorithm>

namespace kvx {

namespace {

// Paths in the walk's order: folder by folder, each by name.
bool pathBefore(const DiscDifference& a, const DiscDifference& b)
{
    const QStringList left = a.path.split(u'/');
    const QStringList right = b.path.split(u'/');
    for (qsizetype i = 0; i < std::min(left.size(), right.size()); ++i) {
        if (left[i] != right[i])
            return nameBefore(left[i], right[i]);
    }
    return left.size() < right.size();
}

bool timesDiffer(const std::optional<qint64>& a, const std::optional<qint64>& b)
{
    return a && b && std::abs(*a - *b) > kTimeTolerance;
}

} // namespace

std::vector<DiscDifference> compareDisc(const std::vector<CatalogueEntry>& recorded,
                                        WalkSource& disc, WalkResult* walked)
{
    QHash<qint64, QString> paths; // by number
    QHash<QString, size_t> byPath;
    paths.insert(0, QString());
    for (size_t i = 0; i < recorded.size(); ++i) {
        const CatalogueEntry& entry = recorded[i];
        const QString path = paths.value(entry.parent) + u'/' + entry.name;
        paths.insert(entry.number, path);
        byPath.insert(path, i);
    }

    std::vector<DiscDifference> differences;
    std::vector<bool> seen(recorded.size(), false);
    QSet<QString> newFolders;
    QSet<qint64> notWalked; // recorded folders whose entries the walk did not see
    QHash<QString, size_t> unreadableNow;
    *walked = walkAll(disc, WalkOptions(), [&](const WalkVisit& visit) {
        const QString path = u'/' + walkPath(visit.folder, visit.item.name);
        const bool folder = visit.item.kind == WalkKind::Folder;
        const auto found = byPath.constFind(path);
        if (found == byPath.cend()) {
            if (!newFolders.contains(u'/' + visit.folder)) {
                DiscDifference added;
                added.kind = DiscDifference::Kind::New;
                added.path = path;
                added.folder = folder;
                differences.push_back(added);
            }
            if (folder)
                newFolders.insert(path);
            return;
        }
        const CatalogueEntry& entry = recorded[*found];
        seen[*found] = true;
        DiscDifference changed;
        changed.path = path;
        changed.folder = folder;
        changed.recordedKind = entry.kind;
        changed.foundKind = visit.item.kind;
        changed.recordedSize = entry.size;
        changed.foundSize = visit.item.size;
        changed.recordedTime = entry.mtime;
        changed.foundTime = visit.item.mtime;
        const bool file = entry.kind == WalkKind::File && visit.item.kind == WalkKind::File;
        if (entry.kind != visit.item.kind ||
            (file && (entry.size != visit.item.size || timesDiffer(entry.mtime, visit.item.mtime))))
            differences.push_back(changed);
        if (folder && (visit.unreadable || visit.item.otherFileSystem))
            notWalked.insert(entry.number);
        if (visit.unreadable && !entry.unreadable) {
            changed.kind = DiscDifference::Kind::Unreadable;
            unreadableNow.insert(path, differences.size());
            differences.push_back(changed);
        }
    });
    for (const WalkProblem& problem : walked->unreadable) {
        if (const auto at = unreadableNow.constFind(u'/' + problem.path);
            at != unreadableNow.cend())
            differences[*at].reason = problem.reason;
    }
    if (walked->startUnreadable || walked->cancelled)
        return differences;

    // The topmost of what is gone; nothing under a folder not walked.
    for (size_t i = 0; i < recorded.size(); ++i) {
        const CatalogueEntry& entry = recorded[i];
        if (seen[i])
            continue;
        notWalked.insert(entry.number);
        if (notWalked.contains(entry.parent))
            continue;
        DiscDifference missing;
        missing.kind = DiscDifference::Kind::Missing;
        missing.path = paths.value(entry.number);
        missing.folder = entry.kind == WalkKind::Folder;
        differences.push_back(missing);
    }
    std::stable_sort(differences.begin(), differences.end(), pathBefore);
    return differences;
}

} // namespace kvx
