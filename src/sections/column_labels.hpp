#pragma once

#include <QString>

#include <cstddef>
#include <string_view>

namespace kavrel {

// How the window names a column of the section table (a position in columnNames): the
// engine's name, its unit as the window writes it ("cm²"), and what it means in words.
QString columnName(std::size_t column);
QString columnUnit(std::size_t column); // empty for the family and the designation
QString columnMeaning(std::size_t column);

// The header of a column: its name, and its unit on a second line when it has one.
QString columnHeader(std::size_t column);

} // namespace kavrel
