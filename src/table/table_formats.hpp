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

// The chosen columns (positions in columnNames) of the rows, with a header, in the format:
// CSV as the texts stand; JSON as an array of objects whose numbers carry the texts' digits;
// text as aligned columns for a terminal.
std::string writeTable(TableFormat format, std::span<const std::size_t> columns,
                       std::span<const TableRow* const> rows);

// Appends the text as a JSON string: quotes, backslashes and control bytes escaped.
void appendJsonString(std::string& out, std::string_view text);

} // namespace kavrel
