#pragma once

#include "properties/result_descriptions.hpp"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace kavrel {

// The section table's columns: the family, the designation, the three dimensions, the eleven
// results in Find's writing order, the plastic moduli, and last the catalogue, which "all"
// writes first, and only when catalogues are chosen.
inline constexpr std::size_t leadingColumns = 5;
inline constexpr std::size_t catalogueColumn =
    leadingColumns + findResults.size() + plasticResults.size();
inline constexpr std::size_t columnCount = catalogueColumn + 1;

// The columns a table has when none are chosen: all but the plastic moduli.
inline constexpr std::size_t defaultColumnCount = leadingColumns + findResults.size();

consteval std::array<std::string_view, columnCount> makeColumnNames() {
    std::array<std::string_view, columnCount> names = {"family", "designation", "depth", "width",
                                                       "thickness"};
    std::size_t at = leadingColumns;
    for (const ResultDescription& result : findResults) {
        names[at++] = result.column;
    }
    for (const PlasticDescription& result : plasticResults) {
        names[at++] = result.column;
    }
    names[at] = "catalogue";
    return names;
}

inline constexpr std::array<std::string_view, columnCount> columnNames = makeColumnNames();

// The position of the column of this name (names are case sensitive).
std::optional<std::size_t> columnIndex(std::string_view name);

// Every column but the family, the designation and the catalogue holds numbers.
inline bool isNumericColumn(std::size_t index) {
    return index >= 2 && index != catalogueColumn;
}

} // namespace kavrel
