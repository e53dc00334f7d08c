#include "properties/number_text.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace kavrel {

int decimalsOf(Pattern pattern) {
    switch (pattern) {
    case Pattern::Int6Dec3:
        return 3;
    case Pattern::Dec1:
        return 1;
    case Pattern::Dec0:
        return 0;
    case Pattern::Int4Dec2:
    case Pattern::Int5Dec2:
    case Pattern::Int6Dec2:
    case Pattern::Int7Dec2:
        break;
    }
    return 2;
}

std::string roundTripText(double value) {
    std::array<char, 400> buffer;
    const auto end =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed)
            .ptr;
    return {buffer.data(), end};
}

namespace {

constexpr int significantDigits = 15;

// Adds one unit in the last place of a string of decimal digits, carrying leftwards.
void incrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

// The value's 15 significant decimal digits, without sign, and the power of ten of the first.
struct Decimal15 {
    std::string digits;
    int exponent = 0;
};

Decimal15 decimal15(double value) {
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                       std::chars_format::scientific, significantDigits - 1);
    const std::string_view scientific(buffer, static_cast<std::size_t>(written.ptr - buffer));
    const std::size_t exponentAt = scientific.find('e');
    Decimal15 decimal;
    decimal.digits += scientific[0];
    decimal.digits.append(scientific.substr(2, exponentAt - 2));
    const char* exponentBegin = scientific.data() + exponentAt + 1;
    if (*exponentBegin == '+') {
        ++exponentBegin; // from_chars takes a "-" but no "+"
    }
    std::from_chars(exponentBegin, scientific.data() + scientific.size(), decimal.exponent);
    return decimal;
}

} // namespace

std::string formatResult(double value, Pattern pattern, std::string_view separator) {
    if (!std::isfinite(value)) {
        return {};
    }
    const int decimals = decimalsOf(pattern);

    // The 15 significant digits decide the rounding, not the binary value: 2.675 is "2.68".
    const auto [digits, exponent] = decimal15(value);

    // Digit i has the weight 10^(exponent - i); keep those down to 10^-decimals.
    const long kept = static_cast<long>(exponent) + decimals + 1;
    std::string units;
    bool roundUp = false;
    if (kept >= static_cast<long>(digits.size())) {
        units = digits + std::string(static_cast<std::size_t>(kept) - digits.size(), '0');
    } else if (kept >= 0) {
        units = digits.substr(0, static_cast<std::size_t>(kept));
        roundUp = digits[static_cast<std::size_t>(kept)] >= '5';
    }
    if (units.empty()) {
        units.assign(1, '0'); // not = "0": g++ 12 -O2 warns falsely (-Wrestrict) there
    }
    if (roundUp) {
        incrementDigits(units);
    }

    const bool isZero = units.find_first_not_of('0') == std::string::npos;
    if (units.size() < static_cast<std::size_t>(decimals)) {
        units.insert(0, static_cast<std::size_t>(decimals) - units.size(), '0');
    }
    const std::size_t integerLength = units.size() - static_cast<std::size_t>(decimals);
    std::string integerPart = units.substr(0, integerLength);
    const std::size_t leadingZeros = integerPart.find_first_not_of('0');
    integerPart.erase(0, leadingZeros == std::string::npos ? integerPart.size() : leadingZeros);

    std::string text;
    if (value < 0 && !isZero) {
        text += '-';
    }
    text += integerPart;
    if (decimals == 0) {
        return integerPart.empty() ? "0" : text; // a whole number shows its digit, even 0
    }
    text += separator;
    text += units.substr(integerLength);
    return text;
}

std::string formatSignificant(double value, int figures, std::string_view separator) {
    if (!std::isfinite(value)) {
        return {};
    }
    auto [digits, exponent] = decimal15(value);
    const auto kept = static_cast<std::size_t>(std::clamp(figures, 1, significantDigits));
    const bool roundUp = kept < digits.size() && digits[kept] >= '5';
    digits.resize(kept);
    if (roundUp) {
        incrementDigits(digits);
        if (digits.size() > kept) { // 9.99 to 10.0: one more power of ten, the same figures
            digits.pop_back();
            ++exponent;
        }
    }

    // Digit i has the weight 10^(exponent - i): figures beyond the units are decimals.
    const long decimals = static_cast<long>(kept) - 1 - exponent;
    std::string integerPart;
    std::string fraction;
    if (decimals <= 0) {
        integerPart = digits + std::string(static_cast<std::size_t>(-decimals), '0');
    } else if (exponent >= 0) {
        integerPart = digits.substr(0, static_cast<std::size_t>(exponent) + 1);
        fraction = digits.substr(static_cast<std::size_t>(exponent) + 1);
    } else {
        fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    const bool isZero = digits.find_first_not_of('0') == std::string::npos;
    if (isZero) {
        integerPart.clear(); // zero shows as its decimals only, like ".00"
    }

    std::string text;
    if (value < 0 && !isZero) {
        text += '-';
    }
    text += integerPart;
    if (!fraction.empty()) {
        text += separator;
        text += fraction;
    }
    return text.empty() ? std::string(1, '0') : text;
}

std::optional<double> readNumber(std::string_view text, std::string_view separator) {
    // Checked here first: from_chars alone would also take "inf", "nan" and exponents.
    std::string normalised;
    std::size_t at = 0;
    if (at < text.size() && text[at] == '-') {
        normalised += '-';
        ++at;
    }
    int digitCount = 0;
    bool pointSeen = false;
    while (at < text.size()) {
        const char c = text[at];
        if (c >= '0' && c <= '9') {
            normalised += c;
            ++digitCount;
            ++at;
        } else if (!pointSeen && c == '.') {
            normalised += '.';
            pointSeen = true;
            ++at;
        } else if (!pointSeen && !separator.empty() && text.substr(at).starts_with(separator)) {
            normalised += '.';
            pointSeen = true;
            at += separator.size();
        } else {
            return std::nullopt;
        }
    }
    if (digitCount == 0) {
        return std::nullopt;
    }
    double value = 0;
    const char* end = normalised.data() + normalised.size();
    const auto [ptr, ec] = std::from_chars(normalised.data(), end, value, std::chars_format::fixed);
    if (ec != std::errc() || ptr != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> readNumber(const std::optional<std::string>& field,
                                 std::string_view separator) {
    if (!field) {
        return 0.0;
    }
    return readNumber(*field, separator);
}

} // namespace kavrel
