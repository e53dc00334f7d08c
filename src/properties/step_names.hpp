#pragma once

#include "properties/step_log.hpp"

namespace kavrel::stepNames {

// The quantities the formulas name, as a calculation sheet shows them.
inline constexpr StepName b1{"b1", "straight length of each wall along the width, B - 4t", "mm"};
inline constexpr StepName d1{"d1", "straight length of each wall along the depth, D - 4t", "mm"};
inline constexpr StepName h{"h", "perimeter of the wall's mid-line, for the torsion terms", "mm"};
inline constexpr StepName Ah{"Ah", "area enclosed by the wall's mid-line", "mm^2"};
inline constexpr StepName K{"K", "torsion factor 2 Ah t / h", "mm^2"};
inline constexpr StepName P1{"P1", "Ixx of the two walls along the depth", "mm^4"};
inline constexpr StepName P2{"P2", "Ixx of the two walls along the width, moved to (D - t)/2",
                             "mm^4"};
inline constexpr StepName P3{"P3", "the four corners about their own centroids (also in Iyy)",
                             "mm^4"};
inline constexpr StepName P4{"P4", "the four corners' area moved to their centroids' distance",
                             "mm^4"};
inline constexpr StepName Q1{"Q1", "Iyy of the two walls along the width", "mm^4"};
inline constexpr StepName Q2{"Q2", "Iyy of the two walls along the depth, moved to (B - t)/2",
                             "mm^4"};
inline constexpr StepName Q4{"Q4", "the four corners' area moved to their centroids' distance",
                             "mm^4"};

} // namespace kavrel::stepNames
