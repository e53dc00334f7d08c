#include "table/table_sizes.hpp"

#include "catalogue/catalogue.hpp"
#include "properties/formula_sets.hpp"
#include "properties/number_text.hpp"
#include "properties/units.hpp"

#include <algorithm>
#include <array>
#include <charconv>

namespace kavrel {
namespace {

TableError bad(std::string_view argument, std::string_view what) {
    return {TableError::Kind::BadRequest, quoted(argument) + ": " + std::string(what)};
}

// The shortest text that reads back as the number, in the catalogue's style: "100.0", "3.25".
std::string dimensionText(double number) {
    std::string text = roundTripText(number);
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

// A radius for a message, in the units the size was typed in, to ten figures: 1.5 x 6.1 mm is
// 9.15 mm there, not the 9.149999999999999 of binary arithmetic.
std::string radiusText(double radius, UnitSystem home, UnitSystem typed) {
    // to_chars, unlike printf, writes "." whatever the locale.
    std::array<char, 32> buffer;
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                   convert(radius, Quantity::Length, home, typed),
                                   std::chars_format::general, 10)
                         .ptr;
    std::string text(buffer.data(), end);
    return text + (text.find_first_of(".e") == std::string::npos ? ".0 " : " ") +
           std::string(unitOf(Quantity::Length, typed));
}

// Whether the corners of the catalogue's geometry fit the walls of a rectangular size, whose
// dimensions are given in the catalogue's units and were typed in `typed`.
std::optional<std::string> cornersMisfit(Catalogue catalogue, SectionFamily family, double D,
                                         double B, double t, UnitSystem typed) {
    const std::optional<CornerRadii> radii = cornerRadiiOf(formulaSetOf(catalogue, family), t);
    if (!radii) { // the IS formulas' corners: radii 2t and t
        if (4 * t > B || 4 * t > D) {
            return "no room for the corners: 4t is more than the width or depth";
        }
        return std::nullopt;
    }
    const CornerRadii corners = *radii;
    if (2 * corners.outer > B || 2 * corners.outer > D || 2 * corners.inner > B - 2 * t ||
        2 * corners.inner > D - 2 * t) {
        const UnitSystem home = describe(catalogue).home;
        return "no room for the corners: radii " + radiusText(corners.outer, home, typed) +
               " outside and " + radiusText(corners.inner, home, typed) +
               " inside do not fit the width or depth";
    }
    return std::nullopt;
}

// A converted dimension: mm to two decimals, inches to four.
std::string convertedText(const std::optional<std::string>& text, UnitSystem from, UnitSystem to) {
    const double value = convert(readNumber(text).value_or(0), Quantity::Length, from, to);
    if (from == to) {
        return text.value_or("");
    }
    std::array<char, 64> buffer;
    const int decimals = to == UnitSystem::US ? 4 : 2;
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::fixed, decimals)
                         .ptr;
    return std::string(buffer.data(), end);
}

std::variant<TableSize, TableError> ownSize(std::string_view argument, const OwnSizeForm& form,
                                            Catalogue catalogue, UnitSystem units) {
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
    if (form.family == SectionFamily::SHS && numbers[0] != numbers[1]) {
        return bad(argument, "a square section needs equal depth and width");
    }
    // The catalogue's formulas take its home units; AISC's take the design wall.
    const UnitSystem home = describe(catalogue).home;
    const auto inHome = [&](double given) { return convert(given, Quantity::Length, units, home); };
    const double D = inHome(numbers[0]);
    const double B = form.numbers == 3 ? inHome(numbers[1]) : D;
    const double nominal = inHome(numbers.back());
    const bool aisc = catalogue == Catalogue::AISC;
    const double t = aisc ? aiscDesignWall(nominal) : nominal;
    if (!(t > 0)) {
        return bad(argument, "the design wall 0.93t is 0 to three decimals of an inch");
    }
    if (form.family == SectionFamily::CHS && 2 * t >= D) {
        return bad(argument, "the wall must be thinner than half the diameter");
    }
    if (form.family != SectionFamily::CHS) {
        if (const auto misfit = cornersMisfit(catalogue, form.family, D, B, t, units)) {
            return bad(argument, *misfit);
        }
    }
    TableSize size{form.family,
                   std::string(argument),
                   {dimensionText(D), dimensionText(B), dimensionText(t)},
                   catalogue};
    if (aisc) {
        size.dimensions.nominalThickness = dimensionText(nominal);
    }
    if (units != home || aisc) {
        // As given, but the design wall, which shows as a catalogue size's does.
        const double given = form.numbers == 3 ? numbers[1] : numbers[0];
        size.shown = SectionDimensions{dimensionText(numbers[0]), dimensionText(given),
                                       aisc ? convertedText(size.dimensions.thickness, home, units)
                                            : dimensionText(numbers.back())};
    }
    return size;
}

// "IS", "EN10210 or EN10219", "IS, EN10210 or EN10219" (or "and").
std::string namesOf(std::span<const Catalogue> catalogues, std::string_view conjunction) {
    std::string names;
    for (std::size_t i = 0; i < catalogues.size(); ++i) {
        names += i == 0 ? "" : i + 1 == catalogues.size() ? conjunction : ", ";
        names += describe(catalogues[i]).name;
    }
    return names;
}

} // namespace

double aiscDesignWall(double nominal) {
    // 0.93t written to 15 digits and rounded half away from zero, as the database rounds
    return readNumber(formatResult(0.93 * nominal, Pattern::Int6Dec3)).value_or(0);
}

SectionDimensions shownDimensions(const TableSize& size, UnitSystem units) {
    if (size.shown) {
        return *size.shown;
    }
    const UnitSystem home = describe(size.catalogue).home;
    if (units == home) {
        return size.dimensions;
    }
    const SectionDimensions& d = size.dimensions;
    return {convertedText(d.depth, home, units), convertedText(d.width, home, units),
            convertedText(d.thickness, home, units)};
}

std::vector<TableSize> catalogueSizes(std::span<const Catalogue> catalogues) {
    std::vector<TableSize> sizes;
    for (const Catalogue catalogue : catalogues) {
        for (const SectionFamily family : allFamilies) {
            for (const CatalogueEntry& entry : entriesOf(catalogue, family)) {
                sizes.push_back(
                    {family, std::string(entry.designation), entry.dimensions(), catalogue});
            }
        }
    }
    return sizes;
}

std::string_view ownSizePrefix(SectionFamily family) {
    return std::ranges::find(ownSizeForms, family, &OwnSizeForm::family)->prefix;
}

bool isOwnSizeText(std::string_view argument) {
    return std::ranges::any_of(ownSizeForms, [argument](const OwnSizeForm& form) {
        return argument.starts_with(form.prefix);
    });
}

std::variant<TableSize, TableError> sizeOf(std::string_view argument,
                                           std::span<const Catalogue> catalogues,
                                           std::optional<UnitSystem> units) {
    for (const OwnSizeForm& form : ownSizeForms) {
        if (argument.starts_with(form.prefix)) {
            if (catalogues.size() != 1) {
                return bad(argument, "a size of one's own takes the geometry of one catalogue, "
                                     "not of " +
                                         namesOf(catalogues, " and "));
            }
            const Catalogue catalogue = catalogues.front();
            return ownSize(argument, form, catalogue, units.value_or(describe(catalogue).home));
        }
    }
    std::optional<TableSize> found;
    for (const Catalogue catalogue : catalogues) {
        for (const SectionFamily family : allFamilies) {
            for (const CatalogueEntry& entry : entriesOf(catalogue, family)) {
                if (!designates(catalogue, entry.designation, argument)) {
                    continue;
                }
                if (found && found->catalogue != catalogue) {
                    return bad(argument, "a size of both " +
                                             std::string(describe(found->catalogue).name) +
                                             " and " + std::string(describe(catalogue).name) +
                                             ": choose one catalogue");
                }
                if (!found) {
                    // AISC's other spellings show as the Manual labels the size.
                    const std::string_view shown =
                        entry.designation == argument ? argument : entry.designation;
                    found = TableSize{family, std::string(shown), entry.dimensions(), catalogue};
                }
            }
        }
    }
    if (!found) {
        return bad(argument, "not a size of " + namesOf(catalogues, " or ") +
                                 ", nor RHS:DxBxt, SHS:DxBxt or CHS:Dxt");
    }
    return std::move(*found);
}

} // namespace kavrel
