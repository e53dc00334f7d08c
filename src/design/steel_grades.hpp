#pragma once

#include "catalogue/catalogues.hpp"

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace kavrel {

// The steel grades resistances are given for, in the order of the product standards' tables:
// the EN grades, then the IS 4923 and IS 1161 tube grades.
enum class SteelGrade { S235, S275, S355, S420, S460, YSt210, YSt240, YSt310, YSt355 };

// The EN grades, in the order of the EN product standards' yield bands.
inline constexpr std::array<SteelGrade, 5> allGrades = {
    SteelGrade::S235, SteelGrade::S275, SteelGrade::S355, SteelGrade::S420, SteelGrade::S460};

// The IS tube grades, in the order of the IS standard's yield band.
inline constexpr std::array<SteelGrade, 4> isGrades = {SteelGrade::YSt210, SteelGrade::YSt240,
                                                       SteelGrade::YSt310, SteelGrade::YSt355};

std::string_view gradeName(SteelGrade grade); // "S355"
std::optional<SteelGrade> gradeNamed(std::string_view name);

// How a catalogue's sections are made: it chooses the buckling curve.
enum class FormingRoute { HotFinished, ColdFormed };

// One thickness band of a product standard: the minimum upper yield strength of each grade
// for walls up to `upTo` mm (and above the band before), grades in the standard's order.
struct YieldBand {
    double upTo;
    std::string_view words; // "t <= 16 mm"
    std::array<double, allGrades.size()> fy;
};

// The product standard of a catalogue's steel: its name, forming route and yield bands.
struct ProductStandard {
    std::string_view name; // "EN 10210-1"
    FormingRoute route;
    std::span<const YieldBand> bands;
    std::span<const SteelGrade> grades = allGrades; // the order of each band's fy
};

// The product standard of a catalogue's sections. IS 4923 and IS 1161 do not fix the forming
// route of a size: `route` is the one taken where the user does not say.
const ProductStandard* productStandardOf(Catalogue catalogue);

// The yield strength of the grade for a wall of thickness t, with the band it came from; none
// for a wall thicker than the standard's last band, or a grade of another standard.
struct YieldStrength {
    double fy;
    const YieldBand* band;
};
std::optional<YieldStrength> yieldStrengthOf(const ProductStandard& standard, SteelGrade grade,
                                             double t);

} // namespace kavrel
