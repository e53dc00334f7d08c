#pragma once

#include "design/design_results.hpp"
#include "table/table_formats.hpp"
#include "table/table_request.hpp"
#include "table/table_sizes.hpp"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace kavrel {

// One row a table shows: every column's text, and whether it is a size of one's own.
struct ShownRow {
    TableRow texts;
    bool own = false;
    DesignRow design = {}; // with a grade: the texts of the design columns
};

// What a request selects, before it is written: the chosen columns (positions in columnNames),
// the rows in the order they are written, and how many sizes there were before the families
// and conditions picked from them.
struct TableRows {
    std::vector<std::size_t> columns;
    std::vector<ShownRow> rows;
    std::size_t sizeCount = 0;
    std::vector<std::string> designNames = {}; // columnCount + i is the column designNames[i]
    UnitSystem units = UnitSystem::Metric;     // of every figure
    bool unitLabels = false;                   // the headers name the units
};

using TableRowsOutcome = std::variant<TableRows, TableError>;

// A column of these rows by its position: its name and a row's text in it.
std::string_view columnNameIn(const TableRows& rows, std::size_t column);
const std::string& cellOf(const ShownRow& row, std::size_t column);
// The unit of a column's figures in these units (empty for names, ratios and classes).
std::string_view columnUnitIn(const TableRows& rows, std::size_t column);
// The position of the column of this name among the fixed ones and the rows' design columns.
std::optional<std::size_t> columnIndexIn(const TableRows& rows, std::string_view name);

// The rows of the request: its sizes (or the catalogue), then `ownSizes` (RHS:DxBxt, SHS:DxBxt,
// CHS:Dxt) after them, in the families, meeting every condition, sorted, limited. An own size
// that cannot be computed is a bad request, whatever the families.
TableRowsOutcome tableRows(const TableRequest& request, std::span<const std::string> ownSizes = {});

// Why a size of one's own (RHS:DxBxt, SHS:DxBxt, CHS:Dxt) cannot be a row of the request: it
// does not parse, or its walls do not fit the corners of the request's catalogue, or its
// formulas fail. None when it computes. The table refuses a request holding such a size; a
// client that keeps sizes for several catalogues leaves these out first.
std::optional<TableError> ownSizeRefusal(const TableRequest& request, const std::string& ownSize);
// The request's design options with the code of its catalogues: IS 800 where IS is among
// them, else EN 1993-1-1.
DesignRequest designOf(const TableRequest& request);

// The request's catalogues, each once in the order first given; none gives IS.
std::vector<Catalogue> chosenCatalogues(const TableRequest& request);

// How the rows are computed: pi for the IS formulas and the rounding of the results.
struct Computation {
    double pi = fractionPi;
    std::optional<int> significant;
    DesignRequest design = {};             // with a grade: the design resistances too
    UnitSystem units = UnitSystem::Metric; // of every figure and of the sizes of one's own
    bool unitLabels = false;               // --units given, or AISC chosen
};

// A pi other than the true one is refused for a catalogue whose formulas take only that;
// design options without a grade (or for IS a yield strength), a grade of another catalogue's
// steel, an option of the other code, and any with AISC or in US units are refused.
std::variant<Computation, TableError> computationOf(const TableRequest& request,
                                                    std::span<const Catalogue> catalogues);

// The error of a size whose formulas fail: bad input when the user named it, else a fault.
TableError notComputed(const TableSize& size, bool given);

// The section the design rules take: the size and the unrounded values of its results.
DesignSection designSectionOf(const TableSize& size, const SectionResults& results);

// The rows as the request's format writes them.
std::string writeRows(TableFormat format, const TableRows& rows);

} // namespace kavrel
