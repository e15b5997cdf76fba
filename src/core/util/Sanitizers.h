#pragma once

namespace kvx {

// Whether this build checks its memory with AddressSanitizer. GCC says so
// with a macro of its own, clang through __has_feature.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kAddressSanitizer = true;
#else
inline constexpr bool kAddressSanitizer = false;
#endif
#else
inline constexpr bool kAddressSanitizer = false;
#endif

} // namespace kvx
