#include "table/table_sizes.hpp"

#include "catalogue/catalogue.hpp"
#include "properties/number_text.hpp"

#include <algorithm>
#include <array>
#include <charconv>

namespace kavrel {
namespace {

TableError bad(std::string_view argument, std::string_view what) {
    return {TableError::Kind::BadRequest, std::string(argument) + ": " + std::string(what)};
}

// The shortest text that reads back as the number, in the catalogue's style: "100.0", "3.25".
std::string dimensionText(double number) {
    std::array<char, 400> buffer;
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), number,
                                   std::chars_format::fixed)
                         .ptr;
    std::string text(buffer.data(), end);
    if (text.find('.') == std::string::npos) {
        text += ".0";
    }
    if (text.starts_with("0.")) {
        text.erase(0, 1);
    }
    return text;
}

struct OwnSizeForm {
    std::string_view prefix;
    SectionFamily family;
    std::size_t numbers; // D, B, t or D, t
};

constexpr OwnSizeForm ownSizeForms[] = {{"RHS:", SectionFamily::RHS, 3},
                                        {"SHS:", SectionFamily::SHS, 3},
                                        {"CHS:", SectionFamily::CHS, 2}};

std::variant<TableSize, TableError> ownSize(std::string_view argument, const OwnSizeForm& form) {
    std::vector<double> numbers;
    for (std::string_view rest = argument.substr(form.prefix.size());;) {
        const auto end = std::min(rest.find('x'), rest.size());
        const std::string_view text = rest.substr(0, end);
        const std::optional<double> number = readNumber(text);
        if (!number) {
            double ignored = 0;
            const bool tooLarge =
                std::from_chars(text.data(), text.data() + text.size(), ignored).ec ==
                std::errc::result_out_of_range;
            return bad(argument, quoted(text) + (tooLarge ? " is too large" : " is not a number"));
        }
        if (!(*number > 0)) {
            return bad(argument, "every dimension must be more than 0");
        }
        numbers.push_back(*number);
        if (end == rest.size()) {
            break;
        }
        rest.remove_prefix(end + 1);
    }
    if (numbers.size() != form.numbers) {
        return bad(argument, form.numbers == 3 ? "write it as " + std::string(form.prefix) + "DxBxt"
                                               : std::string("write it as CHS:Dxt"));
    }
    const double D = numbers[0];
    const double B = form.numbers == 3 ? numbers[1] : D;
    const double t = numbers.back();
    if (form.family == SectionFamily::SHS && D != B) {
        return bad(argument, "a square section needs equal depth and width");
    }
    if (form.family == SectionFamily::CHS && 2 * t >= D) {
        return bad(argument, "the wall must be thinner than half the diameter");
    }
    if (form.family != SectionFamily::CHS && (4 * t > B || 4 * t > D)) {
        return bad(argument, "no room for the corners: 4t is more than the width or depth");
    }
    return TableSize{
        form.family, std::string(argument), {dimensionText(D), dimensionText(B), dimensionText(t)}};
}

} // namespace

std::vector<TableSize> catalogueSizes() {
    std::vector<TableSize> sizes;
    for (const SectionFamily family : allFamilies) {
        for (const CatalogueEntry& entry : entriesOf(family)) {
            sizes.push_back({family, std::string(entry.designation), entry.dimensions()});
        }
    }
    return sizes;
}

std::variant<TableSize, TableError> sizeOf(std::string_view argument) {
    for (const OwnSizeForm& form : ownSizeForms) {
        if (argument.starts_with(form.prefix)) {
            return ownSize(argument, form);
        }
    }
    for (const SectionFamily family : allFamilies) {
        for (const CatalogueEntry& entry : entriesOf(family)) {
            if (entry.designation == argument) {
                return TableSize{family, std::string(argument), entry.dimensions()};
            }
        }
    }
    return bad(argument, "not a catalogue size, nor RHS:DxBxt, SHS:DxBxt or CHS:Dxt");
}

} // namespace kavrel
