#pragma once

#include "table/table_columns.hpp"
#include "table/table_request.hpp"

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kavrel {

// One row's texts in the order of columnNames.
using TableRow = std::array<std::string, columnCount>;

// The texts of a row's design columns, in the order of the request's design column names;
// position columnCount + i of a row is design text i. An empty text is a figure the rules do
// not give.
using DesignRow = std::vector<std::string>;

// A row as it is written: its fixed texts and its design texts.
struct WrittenRow {
    const TableRow* texts;
    const DesignRow* design;
};

// The chosen columns (positions in columnNames, then columnCount + i for the design column
// named designNames[i]) of the rows, with a header, in the format: CSV as the texts stand;
// JSON as an array of objects whose numbers carry the texts' digits (null for an empty
// design text); text as aligned columns for a terminal. Given the unit of each chosen column
// (empty for none), CSV headers and JSON keys name it as "A (in^2)", and text writes a line of
// the units under the names.
std::string writeTable(TableFormat format, std::span<const std::size_t> columns,
                       std::span<const std::string> designNames, std::span<const WrittenRow> rows,
                       std::span<const std::string_view> units = {});

// The same of rows with the fixed columns only.
std::string writeTable(TableFormat format, std::span<const std::size_t> columns,
                       std::span<const TableRow* const> rows);

// Appends the text as a JSON string: quotes, backslashes and control bytes escaped.
void appendJsonString(std::string& out, std::string_view text);

} // namespace kavrel
