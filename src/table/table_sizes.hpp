#pragma once

#include "catalogue/section_dimensions.hpp"
#include "catalogue/section_family.hpp"
#include "table/table_request.hpp"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kavrel {

// One row's section: its family, the designation the table shows and its dimension texts.
struct TableSize {
    SectionFamily family;
    std::string designation;
    SectionDimensions dimensions;
};

// Every catalogue size, RHS then SHS then CHS, each in display order.
std::vector<TableSize> catalogueSizes();

// A size argument: a catalogue designation exactly as the lists show it, or a size of one's
// own, RHS:DxBxt, SHS:DxBxt or CHS:Dxt in millimetres, kept as its designation. Its dimension
// texts are the shortest that read back to the same numbers, with ".0" when they have no point.
// Fails on a malformed size, a number that is not positive, an SHS that is not square, walls
// too thick for the corners (4t > B or 4t > D) and a tube with 2t >= D.
std::variant<TableSize, TableError> sizeOf(std::string_view argument);

} // namespace kavrel
