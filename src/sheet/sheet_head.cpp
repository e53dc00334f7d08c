#include "kavrel_version.hpp"
#include "properties/formula_sets.hpp"
#include "properties/units.hpp"
#include "sheet/formula_text.hpp"
#include "sheet/sheet_writers.hpp"

#include <algorithm>

namespace kavrel {

namespace {

std::string_view systemName(UnitSystem system) {
    return system == UnitSystem::US ? "US customary" : "metric";
}

bool readsBackConverted(const StepLog& log) {
    return std::ranges::any_of(
        log.steps, [](const RecordedStep& step) { return step.readBackConversion != nullptr; });
}

// The units of the steps and of the results: the catalogue's own lengths, or the units shown,
// in which the steps are then worked from the dimensions on.
std::string unitsOf(const CalculationSheet& sheet) {
    const UnitSystem home = describe(sheet.size.catalogue).home;
    const UnitSystem shown = sheet.computation.units;
    if (shown != home) {
        std::string text =
            "every step in " + std::string(systemName(shown)) + " units: lengths in " +
            std::string(shown == UnitSystem::US ? "inches" : "mm") +
            ", each step gives the unit of its value; the catalogue's dimensions in " +
            std::string(home == UnitSystem::US ? "inches" : "mm") +
            " converted as they are read, and its steel's weight per area, with 1 in = 25.4 mm, "
            "1 ft = 12 in, 1 lb = 0.45359237 kg";
        if (readsBackConverted(*sheet.log)) {
            text += "; a result that later steps use is read back, as the IS formulas do, from its "
                    "text in the catalogue's " +
                    std::string(systemName(home)) + " units, then converted";
        }
        return text;
    }
    std::string text = "lengths in " + std::string(home == UnitSystem::US ? "inches" : "mm") +
                       "; each step gives the unit of its value";
    if (sheet.computation.unitLabels) {
        text += "; the results in " + std::string(systemName(shown)) + " units";
    }
    return text;
}

} // namespace

std::vector<std::pair<std::string_view, std::string>> sheetHead(const CalculationSheet& sheet) {
    const TableSize& size = sheet.size;
    const ReadDimensions read = readDimensions(size);
    const UnitSystem home = describe(size.catalogue).home;
    const UnitSystem worked = sheet.computation.units;
    const std::string lengthUnit(unitOf(Quantity::Length, home));
    const std::string workedUnit(unitOf(Quantity::Length, worked));
    const auto mm = [&lengthUnit](double number) { return personText(number) + " " + lengthUnit; };
    const auto inWorked = [&](double number) {
        return personText(convert(number, Quantity::Length, home, worked)) + " " + workedUnit;
    };
    const auto shown = [](const std::optional<std::string>& text) {
        std::string quoted(1, '"');
        quoted += text.value_or("");
        quoted += '"';
        return quoted;
    };
    const std::string texts = shown(size.dimensions.depth) + ", " + shown(size.dimensions.width) +
                              ", " + shown(size.dimensions.thickness);
    std::string dimensions;
    if (worked == home) {
        dimensions = "D = " + mm(read.depth) + ", B = " + mm(read.width) +
                     ", t = " + mm(read.thickness) + ", read from " + texts;
    } else {
        dimensions = "D = " + inWorked(read.depth) + ", B = " + inWorked(read.width) +
                     ", t = " + inWorked(read.thickness) + ": " + mm(read.depth) + ", " +
                     mm(read.width) + ", " + mm(read.thickness) + " read from " + texts +
                     ", converted";
    }
    if (size.dimensions.nominalThickness) {
        const double nominal = readNumber(size.dimensions.nominalThickness).value_or(0);
        dimensions +=
            "; t is the design wall tdes; the nominal wall tnom = " +
            (worked == home ? mm(nominal)
                            : inWorked(nominal) + ": " + mm(nominal) + " read from " +
                                  shown(size.dimensions.nominalThickness) + ", converted");
        if (worked == home) {
            dimensions += ", read from " + shown(size.dimensions.nominalThickness);
        }
    }
    if (size.shown) {
        const SectionDimensions& given = *size.shown;
        dimensions += "; given as " + shown(given.depth) + ", " + shown(given.width) + ", " +
                      shown(given.thickness) + " " +
                      std::string(unitOf(Quantity::Length, sheet.computation.units));
    }

    std::string geometry;
    for (const std::string_view sentence : sheet.log->geometry) {
        if (geometry.find(sentence) == std::string::npos) {
            if (!geometry.empty()) {
                geometry += ' ';
            }
            geometry += sentence;
        }
    }
    const double pi = piUsed(sheet);
    const CatalogueDescription& catalogue = describe(size.catalogue);
    const std::optional<int> significant = sheet.computation.significant;
    // The fields a checked calculation carries, first, left empty for the pen unless given.
    return {
        {"Project", sheet.fields.project},
        {"Made by", sheet.fields.calculatedBy},
        {"Checked by", sheet.fields.checkedBy},
        {"Date", sheet.fields.date},
        {"Program", "Kavrel " + std::string(version)},
        {"Catalogue", std::string(catalogue.name) + ", " + std::string(catalogue.title)},
        {"Family",
         std::string(familyCode(size.family)) + ", " + std::string(familyName(size.family))},
        {"Designation", size.designation},
        {"Dimensions", dimensions},
        {"pi", (pi == fractionPi ? "22/7 = " : "the true value, ") + personText(pi)},
        {"Geometry", geometry},
        {"Units", unitsOf(sheet)},
        {"Rounding", "a result's text is its value written to 15 significant digits, then rounded "
                     "half away from zero to " +
                         (significant ? std::to_string(*significant) + " significant figures"
                          : home == UnitSystem::US
                              ? std::string("the significant figures or decimals its step states")
                              : std::string("the decimals its step states"))},
    };
}

std::string roundingOf(const RecordedStep& step) {
    const Rounding rounding = step.rounding.value_or(Rounding{0, false});
    return std::to_string(rounding.digits) +
           (rounding.significant ? " significant figures" : " decimals");
}

std::string readBackOf(const RecordedStep& step, std::string_view name) {
    std::string out = "read back";
    if (const FormulaNode* conversion = step.readBackConversion) {
        return out + " from its text in " + std::string(step.readBackUnit) + ", \"" +
               step.readBackText + "\", as " + std::string(name) + " = " +
               asciiFormula(*conversion, Notation::Numbers, Figures::ForPeople) + " = " +
               shownValue(conversion->value, conversion);
    }
    if (step.readBackText != step.text) {
        out += " from its fixed-decimal text \"" + step.readBackText + "\"";
    }
    return out + " as " + std::string(name) + " = " + personText(*step.readBack);
}

std::optional<std::string_view> partAt(const StepLog& log, std::size_t step) {
    for (const StepPart& part : log.parts) {
        if (part.from == step) {
            return part.title;
        }
    }
    return std::nullopt;
}

std::string failureText(const StepFailure& failure) {
    const std::string operand =
        failure.operand ? asciiFormula(*failure.operand, Notation::Symbols, Figures::ForPeople)
                        : std::string("it");
    switch (failure.kind) {
    case StepFailure::Kind::DivisionByZero:
        return "division by zero: the divisor " + operand + " is 0";
    case StepFailure::Kind::NegativeRoot:
        return "the square root of a negative number: " + operand + " = " +
               personText(failure.operand ? failure.operand->value : 0);
    case StepFailure::Kind::Overflow:
        return "the value is too large for a double";
    case StepFailure::Kind::UnreadableNumber:
        break;
    }
    return "\"" + failure.text + "\" is not a number";
}

std::string writeSheets(SheetFormat format, std::span<const CalculationSheet> sheets) {
    switch (format) {
    case SheetFormat::Html:
        return htmlSheets(sheets);
    case SheetFormat::Json:
        return jsonSheets(sheets);
    case SheetFormat::Text:
        break;
    }
    return textSheets(sheets);
}

} // namespace kavrel
