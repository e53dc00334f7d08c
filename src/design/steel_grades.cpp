#include "design/steel_grades.hpp"

#include <algorithm>
#include <limits>

namespace kavrel {
namespace {

// Every grade, in the order of the enumeration, and its name.
constexpr std::array<SteelGrade, allGrades.size() + isGrades.size()> everyGrade = {
    SteelGrade::S235,   SteelGrade::S275,   SteelGrade::S355,   SteelGrade::S420,  SteelGrade::S460,
    SteelGrade::YSt210, SteelGrade::YSt240, SteelGrade::YSt310, SteelGrade::YSt355};
constexpr std::array<std::string_view, everyGrade.size()> gradeNames = {
    "S235", "S275", "S355", "S420", "S460", "YSt210", "YSt240", "YSt310", "YSt355"};

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

// IS 4923 (hollow sections) and IS 1161 (tubes): one yield strength of each grade for every
// wall thickness, grades in the order of isGrades; the last entry is unused.
constexpr YieldBand isBand[] = {
    {std::numeric_limits<double>::infinity(), "every wall thickness", {210, 240, 310, 355, 0}},
};

constexpr ProductStandard en10210{"EN 10210-1", FormingRoute::HotFinished, hotFinishedBands};
constexpr ProductStandard en10219{"EN 10219-1", FormingRoute::ColdFormed, coldFormedBands};
// Cold formed where the route is not known: the lower buckling strength.
constexpr ProductStandard is4923{"IS 4923 and IS 1161", FormingRoute::ColdFormed, isBand, isGrades};

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
    return everyGrade[static_cast<std::size_t>(found - gradeNames.begin())];
}

const ProductStandard* productStandardOf(Catalogue catalogue) {
    switch (catalogue) {
    case Catalogue::EN10210:
        return &en10210;
    case Catalogue::EN10219:
        return &en10219;
    case Catalogue::AISC: // no design resistances are given for AISC
        return nullptr;
    case Catalogue::IS:
        break;
    }
    return &is4923;
}

std::optional<YieldStrength> yieldStrengthOf(const ProductStandard& standard, SteelGrade grade,
                                             double t) {
    const auto at = std::ranges::find(standard.grades, grade);
    if (at == standard.grades.end()) {
        return std::nullopt;
    }
    const auto index = static_cast<std::size_t>(at - standard.grades.begin());
    for (const YieldBand& band : standard.bands) {
        if (t <= band.upTo) {
            return YieldStrength{band.fy[index], &band};
        }
    }
    return std::nullopt;
}

} // namespace kavrel
