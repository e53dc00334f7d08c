#pragma once

#include "table/table_request.hpp"

#include <string>
#include <variant>

namespace kavrel {

// The section table a request asks for, as the bytes to write (lines end with "\n"), or why
// there is none. Every row runs the formula set of its family through the same step as Find;
// numbers are written with ".". Nothing is written when any size or option is unusable.
using TableOutcome = std::variant<std::string, TableError>;

TableOutcome sectionTable(const TableRequest& request);

} // namespace kavrel
