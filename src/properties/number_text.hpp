#pragma once

#include "catalogue/section_dimensions.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace kavrel {

// The fixed-decimal patterns of the results. Every "#" is an optional digit: all integer
// digits are shown whatever their number, and a zero integer part shows no digit at all.
enum class Pattern {
    Int4Dec2, // "####.00"
    Int5Dec2, // "#####.00"
    Int6Dec2, // "######.00"
    Int7Dec2, // "#######.00"
    Int6Dec3, // "######.000"
    Dec1,     // "#.0": forces and moments of the design resistances
    Dec0,     // "#": whole numbers, without the separator
};

inline constexpr std::string_view defaultSeparator = ".";

int decimalsOf(Pattern pattern);

// The display text of a result: the value's 15-significant-digit decimal form rounded half away
// from zero to the pattern's decimals, as in ".95", "2.68", "-1.23". A negative value that
// rounds to zero has no "-". A value that is not finite gives the empty text.
std::string formatResult(double value, Pattern pattern,
                         std::string_view separator = defaultSeparator);

// The display text of a result rounded to `figures` significant figures (1 to 15) instead of
// fixed decimals: the same 15-significant-digit decimal form rounded half away from zero, the
// significant trailing zeros kept, no digit before the point below 1, no exponent: "7.30",
// "2440", ".924". A value that is not finite gives the empty text.
std::string formatSignificant(double value, int figures,
                              std::string_view separator = defaultSeparator);

// The shortest decimal text that reads back to exactly this double, without an exponent:
// "0.0001", "131.71428571428572", "100".
std::string roundTripText(double value);

// Reads an optional "-", digits, optionally the separator (or ".") and digits, with at least
// one digit: "25.0", ".95", "-1.23", "2,74" under ",". Anything else gives no value: blanks,
// "+", exponents, "inf", a lone "-" or separator, and numbers beyond the range of a double.
std::optional<double> readNumber(std::string_view text,
                                 std::string_view separator = defaultSeparator);

inline std::optional<double> readNumber(const std::string& text,
                                        std::string_view separator = defaultSeparator) {
    return readNumber(std::string_view(text), separator);
}

// A dimension field: no value reads as 0.
std::optional<double> readNumber(const std::optional<std::string>& field,
                                 std::string_view separator = defaultSeparator);

} // namespace kavrel
