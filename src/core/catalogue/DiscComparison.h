#pragma once

#include "catalogue/CatalogueRecords.h"
#include "walk/FullWalk.h"

#include <vector>

namespace kvx {

// One way a disc differs from its record.
struct DiscDifference
{
    enum class Kind { Missing, Changed, New, Unreadable };
    Kind kind = Kind::Changed;
    QString path; // on the disc: "/a/b"
    bool folder = false;
    // Changed: what the record says and what is there now.
    WalkKind recordedKind = WalkKind::File;
    WalkKind foundKind = WalkKind::File;
    qint64 recordedSize = 0;
    qint64 foundSize = 0;
    std::optional<qint64> recordedTime;
    std::optional<qint64> foundTime;
    QString reason; // Unreadable: the system's words
};

// Times closer than this are the same: FAT keeps even seconds, ISO 9660
// whole ones.
constexpr qint64 kTimeTolerance = 2;

// Walks a disc and compares it with its recorded entries (in path order):
// what is missing, changed (kind; a file's size, or its time by more than
// two seconds) or new, and folders that can no longer be read, by path. A
// missing or new folder stands for what it holds. The walk's own result goes
// to *walked.
[[nodiscard]] std::vector<DiscDifference> compareDisc(const std::vector<CatalogueEntry>& recorded,
                                                      WalkSource& disc, WalkResult* walked);

} // namespace kvx
