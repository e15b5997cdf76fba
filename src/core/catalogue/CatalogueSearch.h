#pragma once

#include "catalogue/CatalogueRecords.h"

#include <optional>
#include <vector>

namespace kvx {

class Catalogue;

// One entry found.
struct CatalogueHit
{
    qint64 disc = 0;
    QString discName;
    QString path; // on its disc: "/a/b"
    CatalogueEntry entry;
};

// The entries whose names hold the text, letter case and accents aside; a
// text of one or two characters finds the names that start with it. Whole
// names first, then names that start with the text, then the others, each
// by disc and path. `disc` 0 searches every disc, `limit` 0 gives every hit.
// Nullopt when the search failed (said by the catalogue's error()).
[[nodiscard]] std::optional<std::vector<CatalogueHit>>
findInCatalogue(Catalogue& catalogue, const QString& text, qint64 disc, qint64 limit);

} // namespace kvx
