#pragma once

#include "catalogue/catalogue.hpp"
#include "catalogue/section_family.hpp"
#include "catalogue/unit_system.hpp"

#include <optional>
#include <span>
#include <string_view>

namespace kavrel {

// The catalogues Kavrel knows. IS is the window's; the others are the European and the
// North-American sizes, which only the section table offers.
enum class Catalogue {
    IS,      // the window's Indian-standard sizes
    EN10210, // hot-finished hollow sections
    EN10219, // cold-formed hollow sections
    AISC,    // the HSS of the AISC Shapes Database, in inches
};

// What a list of catalogues shows of one: the name a user types and words for it.
struct CatalogueDescription {
    Catalogue catalogue;
    std::string_view name;  // "IS", "EN10210", "EN10219"
    std::string_view title; // "EN 10210-2 hot-finished"
    UnitSystem home;        // the units its sizes are given and computed in
};

// Every catalogue, IS first.
std::span<const CatalogueDescription> allCatalogues();

const CatalogueDescription& describe(Catalogue catalogue);

// The catalogue of this name, exactly as allCatalogues() writes it.
std::optional<Catalogue> catalogueNamed(std::string_view name);

// Whether a user's text names the entry of this designation: exactly, or for AISC also
// without regard to case and in the database's other spelling with decimals ("HSS8X4X.250"
// for "HSS8X4X1/4", "hss3.500x2.000x.250" for "HSS3-1/2X2X1/4"); see hss_designation.hpp.
bool designates(Catalogue catalogue, std::string_view designation, std::string_view text);

// The catalogue's entries of the family in table order; for IS the window's entriesOf(family).
std::span<const CatalogueEntry> entriesOf(Catalogue catalogue, SectionFamily family);

} // namespace kavrel
