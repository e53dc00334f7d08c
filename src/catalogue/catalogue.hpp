#pragma once

#include "catalogue/section_dimensions.hpp"
#include "catalogue/section_family.hpp"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kavrel {

// One standard size: its designation exactly as the size list shows it, and its dimensions.
// The thickness is the wall the properties take; a catalogue that distinguishes a nominal wall
// (AISC: the properties take the design wall, the weight the nominal one) gives it too.
struct CatalogueEntry {
    std::string_view designation;
    std::string_view depth;
    std::string_view width;
    std::string_view thickness;
    std::string_view nominalThickness = {};

    SectionDimensions dimensions() const;
};

// The family's entries in display order (by size, then by thickness). Constant for the run.
std::span<const CatalogueEntry> entriesOf(SectionFamily family);

// The family's designations in display order, to fill its size list.
std::vector<std::string> designationsOf(SectionFamily family);

// Resolves the three size lists' texts (RHS, SHS, CHS list, in that order) to dimensions.
// Each text is compared exactly with its own family's designations only; the RHS list wins
// over the SHS list, and that over the CHS list. Nothing found gives no value in all fields.
SectionDimensions lookupDimensions(std::string_view rhsText, std::string_view shsText,
                                   std::string_view chsText);

} // namespace kavrel
