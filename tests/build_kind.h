// What kind of build the tests run in, for the few tests that measure time
// or limit memory: a sanitizer build is several times slower and reserves
// terabytes of address space for its shadow memory.
#pragma once

namespace verdan::test {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kSanitized = true;
inline constexpr double kTimeScale = 5;
#else
inline constexpr bool kSanitized = false;
inline constexpr double kTimeScale = 1;
#endif

}  // namespace verdan::test
