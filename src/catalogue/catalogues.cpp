#include "catalogue/catalogues.hpp"
#include "catalogue/hss_designation.hpp"

namespace kavrel {
namespace {

constexpr CatalogueDescription descriptions[] = {
    {Catalogue::IS, "IS", "Indian-standard sizes", UnitSystem::Metric},
    {Catalogue::EN10210, "EN10210", "EN 10210-2 hot-finished", UnitSystem::Metric},
    {Catalogue::EN10219, "EN10219", "EN 10219-2 cold-formed", UnitSystem::Metric},
    {Catalogue::AISC, "AISC", "AISC HSS (Shapes Database v16.0)", UnitSystem::US},
};

// The sizes of the two European catalogues, made from their CSV files at build time.
namespace hotFinished {
#include "EN10210_sizes.inc"
} // namespace hotFinished

namespace coldFormed {
#include "EN10219_sizes.inc"
} // namespace coldFormed

namespace northAmerican {
#include "AISC_sizes.inc"
} // namespace northAmerican

// A catalogue's three families.
struct FamilySizes {
    std::span<const CatalogueEntry> rhs, shs, chs;

    std::span<const CatalogueEntry> of(SectionFamily family) const {
        return family == SectionFamily::RHS ? rhs : family == SectionFamily::SHS ? shs : chs;
    }
};

constexpr FamilySizes hotFinishedSizes{hotFinished::rhsEntries, hotFinished::shsEntries,
                                       hotFinished::chsEntries};
constexpr FamilySizes coldFormedSizes{coldFormed::rhsEntries, coldFormed::shsEntries,
                                      coldFormed::chsEntries};
constexpr FamilySizes northAmericanSizes{northAmerican::rhsEntries, northAmerican::shsEntries,
                                         northAmerican::chsEntries};

} // namespace

std::span<const CatalogueDescription> allCatalogues() {
    return descriptions;
}

const CatalogueDescription& describe(Catalogue catalogue) {
    return descriptions[static_cast<int>(catalogue)];
}

std::optional<Catalogue> catalogueNamed(std::string_view name) {
    for (const CatalogueDescription& description : descriptions) {
        if (description.name == name) {
            return description.catalogue;
        }
    }
    return std::nullopt;
}

std::span<const CatalogueEntry> entriesOf(Catalogue catalogue, SectionFamily family) {
    switch (catalogue) {
    case Catalogue::EN10210:
        return hotFinishedSizes.of(family);
    case Catalogue::EN10219:
        return coldFormedSizes.of(family);
    case Catalogue::AISC:
        return northAmericanSizes.of(family);
    case Catalogue::IS:
        break;
    }
    return entriesOf(family);
}

} // namespace kavrel

namespace kavrel {

bool designates(Catalogue catalogue, std::string_view designation, std::string_view text) {
    if (catalogue == Catalogue::AISC) {
        return namesHss(designation, text);
    }
    return designation == text;
}

} // namespace kavrel
