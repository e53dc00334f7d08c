#pragma once

#include <string>
#include <vector>

namespace kavrel {

// The whole catalogue as CSV: a header line, then one line per entry in display order
// (RHS, SHS, CHS), each with its dimensions and the eleven texts Find shows for it with its
// own family selected. Numbers use ".", lines end with "\n".
struct SectionTable {
    std::string csv;
    std::vector<std::string> failed; // designations whose Find computed nothing (values empty)
};

SectionTable sectionTable();

} // namespace kavrel
