#pragma once

#include "catalogue/catalogue.hpp"
#include "catalogue/section_family.hpp"

#include <optional>
#include <span>
#include <string_view>

namespace kavrel {

// The catalogues Kavrel knows. IS is the window's; the others are the European sizes, which
// only the section table offers.
enum class Catalogue {
    IS,      // the window's Indian-standard sizes
    EN10210, // hot-finished hollow sections
    EN10219, // cold-formed hollow sections
};

// What a list of catalogues shows of one: the name a user types and words for it.
struct CatalogueDescription {
    Catalogue catalogue;
    std::string_view name;  // "IS", "EN10210", "EN10219"
    std::string_view title; // "EN 10210-2 hot-finished"
};

// Every catalogue, IS first.
std::span<const CatalogueDescription> allCatalogues();

const CatalogueDescription& describe(Catalogue catalogue);

// The catalogue of this name, exactly as allCatalogues() writes it.
std::optional<Catalogue> catalogueNamed(std::string_view name);

// The catalogue's entries of the family in table order; for IS the window's entriesOf(family).
std::span<const CatalogueEntry> entriesOf(Catalogue catalogue, SectionFamily family);

} // namespace kavrel
