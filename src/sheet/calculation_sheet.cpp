#include "sheet/calculation_sheet.hpp"

#include "design/design.hpp"
#include "properties/formula_sets.hpp"
#include "properties/number_text.hpp"
#include "properties/units.hpp"

#include <numbers>

namespace kavrel {

CalculationSheet calculationSheet(const TableSize& size, const Computation& computation,
                                  bool givenSize) {
    CalculationSheet sheet{size, computation, std::make_unique<StepLog>(), std::nullopt};
    // The table's own call, with a log, worked in the units shown: every step of the sheet is in
    // them, and the results are the table's, which converts each one from the catalogue's
    // units, but for the last bit of a double.
    const ResultsOutcome outcome =
        resultsOf(size.catalogue, size.family, size.dimensions, computation.pi, defaultSeparator,
                  computation.significant, sheet.log.get(), computation.units, true);
    const auto* results = std::get_if<SectionResults>(&outcome);
    if (!results) {
        sheet.error = notComputed(size, givenSize);
        return sheet;
    }
    // The design rules go on in the same log, from the same unrounded values.
    if (computation.design.asked()) {
        auto design = designResults(designSectionOf(size, *results), computation.design,
                                    computation.significant, sheet.log.get());
        if (auto* error = std::get_if<DesignError>(&design)) {
            sheet.error = badRequest(std::move(error->message));
            sheet.refused = true;
        }
    }
    return sheet;
}

double piUsed(const CalculationSheet& sheet) {
    return takesPi(formulaSetOf(sheet.size.catalogue, sheet.size.family)) ? sheet.computation.pi
                                                                          : std::numbers::pi;
}

ReadDimensions readDimensions(const TableSize& size) {
    const auto read = [](const std::optional<std::string>& field) {
        return readNumber(field).value_or(0);
    };
    return {read(size.dimensions.depth), read(size.dimensions.width),
            read(size.dimensions.thickness)};
}

ReadDimensions workedDimensions(const CalculationSheet& sheet) {
    const ReadDimensions read = readDimensions(sheet.size);
    const UnitSystem home = describe(sheet.size.catalogue).home;
    const auto worked = [&](double length) {
        return convert(length, Quantity::Length, home, sheet.computation.units);
    };
    return {worked(read.depth), worked(read.width), worked(read.thickness)};
}

std::string_view familyName(SectionFamily family) {
    switch (family) {
    case SectionFamily::RHS:
        return "rectangular hollow section";
    case SectionFamily::SHS:
        return "square hollow section";
    case SectionFamily::CHS:
        break;
    }
    return "circular hollow section";
}

} // namespace kavrel
