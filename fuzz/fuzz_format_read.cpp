// Format result, then readNumber, on any double: the text is the value's 15-significant-digit
// decimal form rounded half away from zero (worked out here on integers, apart from the core's
// digit strings), and it reads back to the double nearest to what it shows.
#include "properties/number_text.hpp"
#include "result_text.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <system_error>

namespace {

using kavrel::fuzz::require;

constexpr std::array<std::string_view, 3> separators = {".", ",", "\xD9\xAB"}; // U+066B

// The digits of |value| * 10^decimals, rounded half away from zero on the 15-digit form.
std::string scaledDigits(double value, int decimals) {
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                       std::chars_format::scientific, 14);
    const std::string_view form(buffer, static_cast<std::size_t>(written.ptr - buffer));
    const std::size_t e = form.find('e');
    std::uint64_t mantissa = 0; // the 15 significant digits as an integer
    for (const char c : form.substr(0, e)) {
        if (c != '.') {
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
        }
    }
    int exponent = 0;
    const char* exponentAt = form.data() + e + 1;
    const bool negativeExponent = *exponentAt == '-';
    std::from_chars(exponentAt + 1, form.data() + form.size(), exponent);
    if (negativeExponent) {
        exponent = -exponent;
    }
    // mantissa * 10^(exponent - 14) * 10^decimals; drop `dropped` digits, or append zeros.
    const int dropped = 14 - exponent - decimals;
    if (dropped <= 0) {
        return std::to_string(mantissa) + std::string(static_cast<std::size_t>(-dropped), '0');
    }
    if (dropped >= 19) { // mantissa < 10^15, far below half of 10^dropped
        return "0";
    }
    std::uint64_t unit = 1;
    for (int i = 0; i < dropped; ++i) {
        unit *= 10;
    }
    return std::to_string((mantissa + unit / 2) / unit);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // One byte picks the pattern and the separator; the rest is either the eight bytes of a
    // double or a number text such as "2.675" (ties are easiest to reach written out).
    if (size < 1) {
        return 0;
    }
    const auto pattern = static_cast<kavrel::Pattern>(data[0] % 5);
    const std::string_view separator = separators[(data[0] / 5) % separators.size()];
    const int decimals = kavrel::decimalsOf(pattern);
    double value = 0;
    if (size == 9) {
        std::memcpy(&value, data + 1, sizeof value);
    } else {
        const char* first = reinterpret_cast<const char*>(data + 1);
        const auto [end, ec] = std::from_chars(first, first + size - 1, value);
        if (ec != std::errc() || end != first + size - 1) {
            return 0;
        }
    }

    const std::string text = kavrel::formatResult(value, pattern, separator);
    if (!std::isfinite(value)) {
        require(text.empty(), "a value that is not finite gives the empty text");
        require(!kavrel::readNumber(text, separator), "the empty text is no number");
        return 0;
    }
    require(kavrel::fuzz::isResultText(text, decimals, separator), "text is well formed");

    std::string digits = scaledDigits(value, decimals);
    const bool negative = std::signbit(value) && digits != "0";
    if (digits.size() <= static_cast<std::size_t>(decimals)) {
        digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
    }
    std::string integer = digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
    if (integer == "0") {
        integer.clear();
    }
    const std::string expected = (negative ? "-" : "") + integer + std::string(separator) +
                                 digits.substr(digits.size() - static_cast<std::size_t>(decimals));
    require(text == expected, "text is the rounded 15-digit form");

    // What the text shows, converted from a scientific form rather than from the text itself.
    const std::string shownForm = (negative ? "-" : "") + digits + "e-" + std::to_string(decimals);
    double shown = 0;
    const auto converted =
        std::from_chars(shownForm.data(), shownForm.data() + shownForm.size(), shown);
    const std::optional<double> read = kavrel::readNumber(text, separator);
    if (converted.ec == std::errc::result_out_of_range) {
        // Only next to the largest double: its 15-digit form lies beyond every double.
        require(!read, "a text beyond the range of a double is no number");
        return 0;
    }
    require(read.has_value(), "every finite text reads back");
    require(*read == shown, "reads back as the value it shows");
    require(kavrel::formatResult(*read, pattern, separator) == text,
            "the read value keeps its text");
    return 0;
}
