#pragma once

#include <QString>

namespace kvx {

// A name as the catalogue compares it: letter case and accents dropped
// ("Été" and "ete" fold alike), compatibility forms plain ("ﬁ" as "fi"),
// control characters as "?".
[[nodiscard]] QString foldName(const QString& name);

} // namespace kvx
