#pragma once

#include "catalogue/section_family.hpp"
#include "properties/section_properties.hpp"

#include <optional>
#include <string>

namespace kavrel {

// What Print reads from the window.
struct ReportInputs {
    std::optional<SectionFamily> family; // first selected option in the order RHS, SHS, CHS
    std::string designation;             // UTF-8 text of that family's size list
    SectionProperties boxes;             // the eleven result box texts as shown, UTF-8
};

} // namespace kavrel
