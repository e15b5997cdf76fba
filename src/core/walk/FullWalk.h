#pragma once

#include "walk/WalkSource.h"

#include <QString>
#include <atomic>
#include <functional>
#include <vector>

namespace kvx {

// The counts of a walk so far.
struct WalkProgress
{
    qint64 folders = 0;
    qint64 files = 0;
    qint64 links = 0;
    qint64 bytes = 0; // apparent sizes of the files, each name counted
    QString folder;   // the folder just read, relative to the start
};

struct WalkOptions
{
    // Hidden entries (names starting with ".") and what hidden folders hold.
    bool hidden = true;
    // Called from the walking thread after each folder is read, and once at
    // the end.
    std::function<void(const WalkProgress&)> progress;
    // Set from any thread to stop the walk at its next entry.
    const std::atomic<bool>* cancel = nullptr;
};

// One entry met by the walk. Entries come in pre-order, the entries of each
// folder by name as the tree's listers order them, so numbers follow paths.
struct WalkVisit
{
    qint64 number = 0;     // 1, 2, ... in walk order
    qint64 parent = 0;     // the number of the folder holding it; 0 for the start
    int depth = 1;         // 1 for the entries of the start folder
    const QString& folder; // the path of the folder holding it, relative to the
                           // start: "" or "a/b"
    const WalkItem& item;
    bool hidden = false;
    bool unreadable = false; // a folder whose entries could not be listed
};

struct WalkProblem
{
    QString path; // relative to the start; "" for the start itself
    QString reason;
};

struct WalkResult
{
    bool cancelled = false;
    bool startUnreadable = false;        // then `unreadable` holds its reason alone
    std::vector<WalkProblem> unreadable; // folders that could not be read
    WalkProgress totals;
};

// The one full walk: every folder, file and link under the start, links
// listed and never followed, each folder listed once. It touches no node
// tree and no widget, so it may run on any thread.
[[nodiscard]] WalkResult walkAll(WalkSource& source, const WalkOptions& options,
                                 const std::function<void(const WalkVisit&)>& visit);

// "a/b" + "c" gives "a/b/c"; "" + "c" gives "c".
[[nodiscard]] QString walkPath(const QString& folder, const QString& name);

} // namespace kvx
