#pragma once

#include "design/design_columns.hpp"
#include "table/table_columns.hpp"

#include <QString>

#include <cstddef>
#include <string_view>

namespace kavrel {

// The columns the window offers: the fixed ones, then the design columns of a grade with at
// most one buckling length, numbered as the engine numbers them (columnCount + i).
inline constexpr std::size_t windowColumnCount =
    columnCount + designColumns.size() + bucklingColumns.size();

// Whether a window column is a design column, shown only with a grade (a buckling one also
// needs a length).
inline bool isDesignColumn(std::size_t column) {
    return column >= columnCount;
}
inline bool isBucklingColumn(std::size_t column) {
    return column >= columnCount + designColumns.size();
}

// How the window names a column of the section table (a position in columnNames, or a design
// column): the engine's name, its unit as the window writes it ("cm²"), and what it means.
QString columnName(std::size_t column);
// Empty for the family and the designation; the design columns are metric only.
QString columnUnit(std::size_t column, UnitSystem units = UnitSystem::Metric);
QString columnMeaning(std::size_t column);
// The meaning, the unit and for those who think in AISC's names, what AISC calls the column:
// "elastic modulus about x, in³; AISC's Sx (elastic)".
QString columnToolTip(std::size_t column, UnitSystem units);

// The header of a column: its name, and its unit on a second line when it has one.
QString columnHeader(std::size_t column, UnitSystem units = UnitSystem::Metric);

} // namespace kavrel
