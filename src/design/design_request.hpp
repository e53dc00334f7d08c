#pragma once

#include "design/design_code.hpp"
#include "design/steel_grades.hpp"

#include <optional>
#include <string>
#include <vector>

namespace kavrel {

// How the flat width c of a rectangular section's wall is taken for classification.
enum class FlatWidth {
    ThreeT,  // D - 3t and B - 3t, as the UK published tables take it
    Corners, // the straight part of the inside face, D - 2t - 2ri and B - 2t - 2ri
    TwoT,    // D - 2t and B - 2t, the clear width of IS 800 as Indian practice takes it
};

// A buckling length as the user wrote it, which names its columns ("3.5"), and in metres.
struct BucklingLength {
    std::string text;
    double metres;
    bool operator==(const BucklingLength&) const = default;
};

// What the design resistances are asked with. Without a grade nothing of them is computed;
// the other fields are given only with one.
struct DesignRequest {
    std::optional<SteelGrade> grade = {};
    std::optional<double> fy = {};           // one yield strength for every size, N/mm^2
    std::optional<double> gammaM0 = {};      // none: 1.0
    std::optional<double> gammaM1 = {};      // none: 1.0
    std::optional<FlatWidth> flatWidth = {}; // none: the code's (3t EN, 2t IS)
    std::vector<BucklingLength> lengths = {};
    const DesignCode* code = &en1993;
    std::optional<FormingRoute> forming = {}; // IS only; none: the product standard's route

    // Whether resistances are asked for: a grade, or a yield strength where the code takes it
    // alone (IS 800).
    bool asked() const { return grade.has_value() || (fy.has_value() && code->fyAlone); }
};

} // namespace kavrel
