#include "kavrel_version.hpp"
#include "properties/formula_sets.hpp"
#include "sheet/formula_text.hpp"
#include "sheet/sheet_writers.hpp"

namespace kavrel {

std::vector<std::pair<std::string_view, std::string>> sheetHead(const CalculationSheet& sheet) {
    const TableSize& size = sheet.size;
    const ReadDimensions read = readDimensions(size);
    const auto mm = [](double number) { return personText(number) + " mm"; };
    const auto shown = [](const std::optional<std::string>& text) {
        std::string quoted(1, '"');
        quoted += text.value_or("");
        quoted += '"';
        return quoted;
    };
    const std::string dimensions =
        "D = " + mm(read.depth) + ", B = " + mm(read.width) + ", t = " + mm(read.thickness) +
        ", read from " + shown(size.dimensions.depth) + ", " + shown(size.dimensions.width) + ", " +
        shown(size.dimensions.thickness);

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
        {"Units", "lengths in mm; each step gives the unit of its value"},
        {"Rounding", "a result's text is its value written to 15 significant digits, then rounded "
                     "half away from zero to " +
                         (significant ? std::to_string(*significant) + " significant figures"
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
