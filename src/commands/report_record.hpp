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

// The record one Print appends, as the bytes of the report file: the description line (only
// when a family is selected), 38 hyphens, the eleven result lines and a line of one blank,
// each ended by CR LF. Texts are written in Latin-1 by reportLatin1(), so the record always
// has exactly these lines whatever was typed.
std::string reportRecord(const ReportInputs& inputs);

} // namespace kavrel
