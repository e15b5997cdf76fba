#pragma once

#include <QLatin1String>

namespace kvx::appinfo {

// The maker's details shown by the About window: the one place to change them.
inline constexpr QLatin1String kMakerName("KVX project");
inline constexpr QLatin1String kContactEmail("kvx@example.org");
inline constexpr QLatin1String kWebAddress("https://www.example.org/kvx/");

} // namespace kvx::appinfo
