#pragma once

#include <cstddef>
#include <cstdlib>

namespace kavrel::test {

// The tests that work out every size of every catalogue take every nth size when
// KAVREL_EVERY_NTH_SIZE says so: the sanitizer build, which runs the same code twenty times
// slower, and the run under a second locale, which looks for a comma in texts, take a spread of
// sizes of every catalogue, family and unit system; the release build takes them all.
inline std::size_t everyNthSize() {
    const char* setting = std::getenv("KAVREL_EVERY_NTH_SIZE");
    const long n = setting ? std::strtol(setting, nullptr, 10) : 1;
    return n > 1 ? static_cast<std::size_t>(n) : 1;
}

} // namespace kavrel::test
