// readNumber on any bytes: it accepts exactly an optional "-", digits, optionally the separator
// (or ".") and digits, with at least one digit, and then gives the value those digits write.
#include "properties/number_text.hpp"
#include "result_text.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>

namespace {

using kavrel::fuzz::allDigits;
using kavrel::fuzz::require;

constexpr std::array<std::string_view, 3> separators = {".", ",", "\xD9\xAB"}; // U+066B

struct Written {
    bool negative = false;
    std::string_view integer;
    std::string_view fraction;
};

// The grammar, matched piece by piece: sign, the longest run of digits, then at most one
// point or separator followed by nothing but digits.
std::optional<Written> matchNumber(std::string_view text, std::string_view separator) {
    Written number;
    number.negative = text.starts_with('-');
    if (number.negative) {
        text.remove_prefix(1);
    }
    const std::size_t integerEnd = std::min(text.find_first_not_of("0123456789"), text.size());
    number.integer = text.substr(0, integerEnd);
    std::string_view rest = text.substr(integerEnd);
    if (rest.starts_with('.')) {
        rest.remove_prefix(1);
    } else if (rest.starts_with(separator)) {
        rest.remove_prefix(separator.size());
    } else if (!rest.empty()) {
        return std::nullopt;
    }
    if (!allDigits(rest) || number.integer.size() + rest.size() == 0) {
        return std::nullopt;
    }
    number.fraction = rest;
    return number;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const std::string_view separator = separators[data[0] % separators.size()];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    const std::optional<double> read = kavrel::readNumber(text, separator);
    const std::optional<Written> written = matchNumber(text, separator);
    if (!written) {
        require(!read, "a text outside the grammar is no number");
        return 0;
    }
    // The same digits as an integer mantissa and a power of ten, converted by from_chars.
    const std::string form = (written->negative ? "-" : "") + std::string(written->integer) +
                             std::string(written->fraction) + "e-" +
                             std::to_string(written->fraction.size());
    double expected = 0;
    const auto converted = std::from_chars(form.data(), form.data() + form.size(), expected);
    if (converted.ec == std::errc::result_out_of_range) {
        require(!read, "a number beyond the range of a double is no number");
        return 0;
    }
    require(converted.ec == std::errc() && converted.ptr == form.data() + form.size(),
            "the scientific form converts");
    require(read.has_value(), "a text of the grammar reads");
    require(std::isfinite(*read) && *read == expected, "reads the value its digits write");
    return 0;
}
