#include "design/design_code.hpp"

namespace kavrel {
namespace {

// EN 1993-1-1, Table 6.2: hollow sections, hot finished a (a0 in S460), cold formed c.
BucklingCurve eurocodeCurve(FormingRoute route, SteelGrade grade) {
    if (route == FormingRoute::ColdFormed) {
        return {"c", 0.49};
    }
    if (grade == SteelGrade::S460) {
        return {"a0", 0.13};
    }
    return {"a", 0.21};
}

} // namespace

const DesignCode en1993{
    "EN 1993-1-1",
    235,
    210000,
    {33, 38, 42},
    {72, 83, 124},
    {50, 70, 90},
    28.4,
    4,
    eurocodeCurve,
    {
        "EN 1993-1-1, 3.2",
        "EN 1993-1-1, 6.1",
        "EN 1993-1-1, 5.5 and Table 5.2",
        "EN 1993-1-5, 4.4",
        "EN 1993-1-1, 6.2.4",
        "EN 1993-1-1, 6.2.5",
        "EN 1993-1-1, 6.2.6",
        "EN 1993-1-1, 6.2.6(3)",
        "EN 1993-1-1, 6.3.1.2",
        "EN 1993-1-1, 6.3.1.2 and 6.3.1.1",
        "EN 1993-1-1, Table 6.2",
    },
};

} // namespace kavrel
