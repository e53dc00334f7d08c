#pragma once

#include "catalogue/section_family.hpp"
#include "properties/step_log.hpp"
#include "table/table_request.hpp"
#include "table/table_sizes.hpp"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kavrel {

// The working of one size: what it is, and every step the formula sets took for it, as they
// recorded it while computing the very texts the table shows.
struct CalculationSheet {
    std::string_view catalogue; // "IS"
    TableSize size;
    double pi;
    std::unique_ptr<StepLog> log;    // the geometry and the steps
    std::size_t plasticFrom = 0;     // the first step of the plastic moduli
    std::optional<TableError> error; // the table's error for this size: its formulas failed
};

// Runs the size's formula sets, recording; the log ends at a failing step.
CalculationSheet calculationSheet(const TableSize& size, double pi, bool givenSize);

// The dimensions as the formulas read them: D, B, t (B equals D for a tube).
struct ReadDimensions {
    double depth, width, thickness;
};
ReadDimensions readDimensions(const TableSize& size);

// "rectangular hollow section" and so on.
std::string_view familyName(SectionFamily family);

} // namespace kavrel
