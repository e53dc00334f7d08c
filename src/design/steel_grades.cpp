#include "design/steel_grades.hpp"

#include <algorithm>

namespace kavrel {
namespace {

constexpr std::array<std::string_view, allGrades.size()> gradeNames = {"S235", "S275", "S355",
                                                                       "S420", "S460"};

// The minimum upper yield strengths in N/mm^2 of EN 10210-1 (hot finished, up to 63 mm) and
// EN 10219-1 (cold formed, up to 40 mm), grades in the order of allGrades.
constexpr YieldBand hotFinishedBands[] = {
    {16, "t <= 16 mm", {235, 275, 355, 420, 460}},
    {40, "16 < t <= 40 mm", {225, 265, 345, 400, 440}},
    {63, "40 < t <= 63 mm", {215, 255, 335, 390, 430}},
};
constexpr YieldBand coldFormedBands[] = {
    {16, "t <= 16 mm", {235, 275, 355, 420, 460}},
    {40, "16 < t <= 40 mm", {225, 265, 345, 400, 440}},
};

constexpr ProductStandard en10210{"EN 10210-1", FormingRoute::HotFinished, hotFinishedBands};
constexpr ProductStandard en10219{"EN 10219-1", FormingRoute::ColdFormed, coldFormedBands};

std::size_t indexOf(SteelGrade grade) {
    return static_cast<std::size_t>(grade);
}

} // namespace

std::string_view gradeName(SteelGrade grade) {
    return gradeNames[indexOf(grade)];
}

std::optional<SteelGrade> gradeNamed(std::string_view name) {
    const auto* found = std::ranges::find(gradeNames, name);
    if (found == gradeNames.end()) {
        return std::nullopt;
    }
    return allGrades[static_cast<std::size_t>(found - gradeNames.begin())];
}

const ProductStandard* productStandardOf(Catalogue catalogue) {
    switch (catalogue) {
    case Catalogue::EN10210:
        return &en10210;
    case Catalogue::EN10219:
        return &en10219;
    case Catalogue::AISC: // no design resistances are given for AISC
    case Catalogue::IS:
        break;
    }
    return nullptr;
}

std::optional<YieldStrength> yieldStrengthOf(const ProductStandard& standard, SteelGrade grade,
                                             double t) {
    for (const YieldBand& band : standard.bands) {
        if (t <= band.upTo) {
            return YieldStrength{band.fy[indexOf(grade)], &band};
        }
    }
    return std::nullopt;
}

} // namespace kavrel
