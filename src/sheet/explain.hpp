#pragma once

#include "sheet/sheet_writers.hpp"
#include "table/table_request.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kavrel {

// text, html or json.
std::variant<SheetFormat, TableError> parseSheetFormat(std::string_view text);

// Sheets and what went wrong. A size whose formulas fail still has its sheet, up to the
// failing step, and the error the table gives for the same size; an unusable size argument
// has no sheet at all.
struct ExplainOutcome {
    std::string bytes;
    std::optional<TableError> error;
    std::vector<std::string> leftOut = {}; // each given size the families leave out, and why
    std::size_t sheetCount = 0;
};

// The sheets of a request's sizes (the given ones, or the catalogue), of its families, with
// its pi. Selection, sorting, limits and columns do not apply to sheets.
// `fields` fill each sheet's head.
ExplainOutcome explainSizes(const TableRequest& request, SheetFormat format,
                            const SheetFields& fields = {});

// The sheet of one size of a request (a designation or a size of one's own, as the table
// takes them), for a window's "Show working".
ExplainOutcome sheetOf(const TableRequest& request, std::string_view size, SheetFormat format,
                       const SheetFields& fields = {});

} // namespace kavrel
