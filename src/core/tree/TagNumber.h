#pragma once

#include <QString>
#include <optional>

namespace kvx {

// A tag that is a plain whole number ("0", "12"), as a new folder's level is
// derived from its parent's; nullopt for anything else ("0E", "ZIP", "").
[[nodiscard]] std::optional<int> plainTagNumber(const QString& tag);

// The level a tag carries: the digits at its start (2E gives 2, 12E gives 12,
// 7Z gives 7), 0 when it starts with none (ZIP).
[[nodiscard]] int tagLevel(const QString& tag);

} // namespace kvx
