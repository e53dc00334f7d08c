#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace kavrel::fuzz {

// A broken property ends the run with a message; libFuzzer then keeps the input as a crash.
inline void require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

inline bool allDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// What a result text looks like: an optional "-", the integer digits without a leading zero
// (none at all for a zero integer part), the separator and exactly `decimals` digits; the "-"
// only in front of a value that is not zero.
inline bool isResultText(std::string_view text, int decimals, std::string_view separator) {
    const bool negative = text.starts_with('-');
    if (negative) {
        text.remove_prefix(1);
    }
    const auto fractionLength = static_cast<std::size_t>(decimals);
    if (text.size() < separator.size() + fractionLength) {
        return false;
    }
    const std::string_view integer =
        text.substr(0, text.size() - separator.size() - fractionLength);
    const std::string_view written = text.substr(integer.size(), separator.size());
    const std::string_view fraction = text.substr(text.size() - fractionLength);
    if (written != separator || !allDigits(integer) || !allDigits(fraction) ||
        integer.starts_with('0')) {
        return false;
    }
    const bool zero = integer.empty() && fraction.find_first_not_of('0') == std::string_view::npos;
    return !(negative && zero);
}

} // namespace kavrel::fuzz
