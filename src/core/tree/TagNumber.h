#pragma once

#include <QString>
#include <optional>

namespace kvx {

// A tag that is a plain whole number ("0", "12"), as a new folder's level is
// derived from its parent's; nullopt for anything else ("0E", "ZIP", "").
[[nodiscard]] std::optional<int> plainTagNumber(const QString& tag);

} // namespace kvx
