#pragma once

namespace kavrel {

// The three families of hollow section; each has its own option and size list in the window.
enum class SectionFamily {
    RHS, // rectangular hollow section
    SHS, // square hollow section
    CHS, // circular hollow section
};

inline constexpr SectionFamily allFamilies[] = {SectionFamily::RHS, SectionFamily::SHS,
                                                SectionFamily::CHS};

// "RHS", "SHS" or "CHS".
const char* familyCode(SectionFamily family);

} // namespace kavrel
