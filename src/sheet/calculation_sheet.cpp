#include "sheet/calculation_sheet.hpp"

#include "properties/formulas.hpp"
#include "properties/number_text.hpp"

namespace kavrel {

CalculationSheet calculationSheet(const TableSize& size, double pi, bool givenSize) {
    CalculationSheet sheet{"IS", size, pi, std::make_unique<StepLog>(), 0, std::nullopt};
    StepLog* log = sheet.log.get();
    const bool circular = size.family == SectionFamily::CHS;
    // The same formula sets, in the same order, as a table row: the eleven, then the moduli.
    const FindOutcome found =
        circular ? circularProperties(size.dimensions, pi, defaultSeparator, log)
                 : rectangularProperties(size.dimensions, pi, defaultSeparator, log);
    bool computed = std::holds_alternative<SectionProperties>(found);
    sheet.plasticFrom = log->steps.size();
    if (computed) {
        const PlasticOutcome plastic =
            circular ? circularPlasticModuli(size.dimensions, defaultSeparator, log)
                     : rectangularPlasticModuli(size.dimensions, pi, defaultSeparator, log);
        computed = std::holds_alternative<PlasticModuli>(plastic);
    }
    if (!computed) {
        sheet.error = TableError{givenSize ? TableError::Kind::BadRequest
                                           : TableError::Kind::CatalogueFailure,
                                 size.designation + ": no properties can be computed for it"};
    }
    return sheet;
}

ReadDimensions readDimensions(const TableSize& size) {
    const auto read = [](const std::optional<std::string>& field) {
        return readNumber(field).value_or(0);
    };
    return {read(size.dimensions.depth), read(size.dimensions.width),
            read(size.dimensions.thickness)};
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
