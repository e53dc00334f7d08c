#include "catalogue/hss_designation.hpp"

#include <cstdint>
#include <optional>
#include <vector>

namespace kavrel {
namespace {

// Dimensions in ten-thousandths of an inch: every sixteenth and every decimal of the database
// is a whole number of them.
constexpr std::int64_t scale = 10000;

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

// Digits as a number; none, or too many to be a dimension, gives no value.
std::optional<std::int64_t> digitsOf(std::string_view text) {
    if (text.empty() || text.size() > 9) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

// A decimal "8", ".250", "3.500": its value in units of 10^-decimals, and the decimals.
struct Decimal {
    std::int64_t units;
    int decimals;
};

std::optional<Decimal> decimalOf(std::string_view text) {
    const auto point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if ((whole.empty() && fraction.empty()) || fraction.size() > 4 ||
        (point != std::string_view::npos && fraction.empty())) {
        return std::nullopt;
    }
    const std::optional<std::int64_t> w = whole.empty() ? std::int64_t{0} : digitsOf(whole);
    const std::optional<std::int64_t> f = fraction.empty() ? std::int64_t{0} : digitsOf(fraction);
    if (!w || !f) {
        return std::nullopt;
    }
    std::int64_t power = 1;
    for (std::size_t i = 0; i < fraction.size(); ++i) {
        power *= 10;
    }
    return Decimal{*w * power + *f, static_cast<int>(fraction.size())};
}

// A label's dimension: "8", "1-1/2", "3/16", "6.625", in ten-thousandths.
std::optional<std::int64_t> labelDimension(std::string_view text) {
    const auto slash = text.find('/');
    if (slash == std::string_view::npos) {
        const std::optional<Decimal> decimal = decimalOf(text);
        if (!decimal) {
            return std::nullopt;
        }
        std::int64_t units = decimal->units;
        for (int i = decimal->decimals; i < 4; ++i) {
            units *= 10;
        }
        return units;
    }
    const auto dash = text.find('-');
    const std::string_view whole = dash == std::string_view::npos ? "0" : text.substr(0, dash);
    const std::size_t from = dash == std::string_view::npos ? 0 : dash + 1;
    const auto w = digitsOf(whole);
    const auto n = digitsOf(text.substr(from, slash - from));
    const auto d = digitsOf(text.substr(slash + 1));
    if (!w || !n || !d || *d == 0 || (scale * *n) % *d != 0) {
        return std::nullopt;
    }
    return *w * scale + scale * *n / *d;
}

// The parts between the "X"s after "HSS", or none if the text does not begin so.
std::optional<std::vector<std::string_view>> partsOf(std::string_view text) {
    if (text.size() < 3 || !equalIgnoringCase(text.substr(0, 3), "HSS")) {
        return std::nullopt;
    }
    std::vector<std::string_view> parts;
    for (std::string_view rest = text.substr(3);;) {
        const auto x = rest.find_first_of("Xx");
        parts.push_back(rest.substr(0, x));
        if (x == std::string_view::npos) {
            return parts;
        }
        rest.remove_prefix(x + 1);
    }
}

// Whether a written decimal names this dimension, as namesHss() says.
bool namesDimension(std::int64_t dimension, const Decimal& written) {
    std::int64_t step = scale;
    for (int i = 0; i < written.decimals; ++i) {
        step /= 10;
    }
    const std::int64_t rounded = (dimension + step / 2) / step; // half away from zero, >= 0
    int needed = 0;
    for (std::int64_t rest = scale; dimension % rest != 0 && needed < 4; rest /= 10) {
        ++needed;
    }
    return rounded == written.units && written.decimals >= (needed < 3 ? needed : 3);
}

} // namespace

bool namesHss(std::string_view label, std::string_view text) {
    if (equalIgnoringCase(label, text)) {
        return true;
    }
    const auto labelParts = partsOf(label);
    const auto textParts = partsOf(text);
    if (!labelParts || !textParts || labelParts->size() != textParts->size()) {
        return false;
    }
    for (std::size_t i = 0; i < labelParts->size(); ++i) {
        const std::optional<std::int64_t> dimension = labelDimension((*labelParts)[i]);
        const std::optional<Decimal> written = decimalOf((*textParts)[i]);
        if (!dimension || !written || !namesDimension(*dimension, *written)) {
            return false;
        }
    }
    return true;
}

} // namespace kavrel
