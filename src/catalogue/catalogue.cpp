#include "catalogue/catalogue.hpp"

namespace kavrel {

const char* familyCode(SectionFamily family) {
    switch (family) {
    case SectionFamily::RHS:
        return "RHS";
    case SectionFamily::SHS:
        return "SHS";
    case SectionFamily::CHS:
        return "CHS";
    }
    return "";
}

SectionDimensions CatalogueEntry::dimensions() const {
    SectionDimensions dimensions{std::string(depth), std::string(width), std::string(thickness)};
    if (!nominalThickness.empty()) {
        dimensions.nominalThickness = std::string(nominalThickness);
    }
    return dimensions;
}

std::vector<std::string> designationsOf(SectionFamily family) {
    std::vector<std::string> designations;
    for (const CatalogueEntry& entry : entriesOf(family)) {
        designations.emplace_back(entry.designation);
    }
    return designations;
}

namespace {

const CatalogueEntry* findIn(SectionFamily family, std::string_view text) {
    for (const CatalogueEntry& entry : entriesOf(family)) {
        if (entry.designation == text) {
            return &entry;
        }
    }
    return nullptr;
}

} // namespace

SectionDimensions lookupDimensions(std::string_view rhsText, std::string_view shsText,
                                   std::string_view chsText) {
    const std::pair<SectionFamily, std::string_view> searches[] = {{SectionFamily::RHS, rhsText},
                                                                   {SectionFamily::SHS, shsText},
                                                                   {SectionFamily::CHS, chsText}};
    for (const auto& [family, text] : searches) {
        if (const CatalogueEntry* entry = findIn(family, text)) {
            return entry->dimensions();
        }
    }
    return {};
}

} // namespace kavrel
