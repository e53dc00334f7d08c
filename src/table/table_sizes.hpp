#pragma once

#include "catalogue/catalogues.hpp"
#include "catalogue/section_dimensions.hpp"
#include "catalogue/section_family.hpp"
#include "catalogue/unit_system.hpp"
#include "table/table_request.hpp"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kavrel {

// One row's section: its family, the designation the table shows, its dimension texts and the
// catalogue whose formulas compute it.
struct TableSize {
    SectionFamily family;
    std::string designation;
    SectionDimensions dimensions; // in the catalogue's home units, as its formulas read them
    Catalogue catalogue = Catalogue::IS;
    // A size of one's own given in other units than its catalogue's: the dimensions as given
    // (the thickness the wall the properties take), for its row.
    std::optional<SectionDimensions> shown = {};
};

// The dimension texts a row shows in these units: as the catalogue writes them in its home
// units, else converted from their numbers (mm to two decimals, inches to four).
SectionDimensions shownDimensions(const TableSize& size, UnitSystem units);

// The design wall AISC takes for a nominal wall in inches: 0.93 of it, to three decimals.
double aiscDesignWall(double nominal);

// Every size of the catalogues in their order; in each, RHS then SHS then CHS in table order.
std::vector<TableSize> catalogueSizes(std::span<const Catalogue> catalogues);

// A size argument: a designation of exactly one of the catalogues, exactly as its list writes
// it (AISC: either spelling, any case), or a size of one's own, RHS:DxBxt, SHS:DxBxt or CHS:Dxt
// in the units given (none: the catalogue's), kept as its designation and computed with the
// geometry of the one catalogue given; for AISC t is the nominal wall and the properties take
// the design wall aiscDesignWall(t). Its dimension texts
// are the shortest that read back to the same numbers, with ".0" when they have no point.
// Fails on a designation in none or several of the catalogues, an own size with several
// catalogues, a malformed size, a number that is not positive, an SHS that is not square,
// walls too thick for the catalogue's corners (IS: 4t > B or 4t > D; others: the outer or the
// inner corners wider than their side) and a tube with 2t >= D.
std::variant<TableSize, TableError> sizeOf(std::string_view argument,
                                           std::span<const Catalogue> catalogues,
                                           std::optional<UnitSystem> units = std::nullopt);

// The prefix of a size of one's own of the family: "RHS:", "SHS:" or "CHS:".
std::string_view ownSizePrefix(SectionFamily family);

// Whether the argument is written as a size of one's own, whatever follows the prefix.
bool isOwnSizeText(std::string_view argument);

} // namespace kavrel
