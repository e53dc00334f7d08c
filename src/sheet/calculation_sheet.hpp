#pragma once

#include "catalogue/catalogues.hpp"
#include "catalogue/section_family.hpp"
#include "properties/step_log.hpp"
#include "table/table_request.hpp"
#include "table/table_rows.hpp"
#include "table/table_sizes.hpp"

#include <memory>
#include <optional>
#include <string_view>

namespace kavrel {

// The working of one size: what it is, and every step the formula set of its catalogue took
// for it, as recorded while computing the very texts the table shows.
struct CalculationSheet {
    TableSize size;
    Computation computation;         // pi and the rounding of the results
    std::unique_ptr<StepLog> log;    // the geometry, the steps and their parts
    std::optional<TableError> error; // the table's error for this size: its formulas failed
    bool refused = false;    // the design rules refused the size (no fy): a usage error, no sheet
    SheetFields fields = {}; // the head's project, names and date; empty unless given
};

// Runs the size's formula set, recording; the log ends at a failing step.
CalculationSheet calculationSheet(const TableSize& size, const Computation& computation,
                                  bool givenSize);

// The pi the size's formulas used: the one asked for by the IS formulas, else the true pi.
double piUsed(const CalculationSheet& sheet);

// The dimensions as the formulas read them: D, B, t (B equals D for a tube).
struct ReadDimensions {
    double depth, width, thickness;
};
ReadDimensions readDimensions(const TableSize& size);
// The same in the units the sheet's steps are worked in, the units shown, as the formulas
// convert them.
ReadDimensions workedDimensions(const CalculationSheet& sheet);

// "rectangular hollow section" and so on.
std::string_view familyName(SectionFamily family);

} // namespace kavrel
