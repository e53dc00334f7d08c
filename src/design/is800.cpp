#include "design/design_code.hpp"
#include "design/design_steps.hpp"

namespace kavrel {
namespace {

// IS 800:2007, Table 10: hollow sections, hot rolled a, cold formed b; alpha of Table 7. The
// grade chooses nothing.
BucklingCurve indianCurve(FormingRoute route, SteelGrade /*grade*/) {
    if (route == FormingRoute::HotFinished) {
        return {"a", 0.21};
    }
    return {"b", 0.34};
}

// IS 800's words for the classes, in the order of merit.
constexpr std::array<std::string_view, 4> classWords = {"plastic", "compact", "semi-compact",
                                                        "slender"};

} // namespace

const DesignCode is800 = [] {
    DesignCode code{
        "IS 800:2007",
        250,
        200000,
        {29.3, 33.5, 42}, // internal element of a compression flange, Table 2
        {84, 105, 126},   // web, neutral axis at mid-depth, Table 2
        {42, 52, 146},    // tube in bending, D/t times eps^2, Table 2
        0,                // no effective widths: a slender section gets no resistance here
        0,
        indianCurve,
        {
            "IS 800:2007, 2.2.4.1",
            "Table 5",
            "IS 800:2007, 3.7.2 and Table 2",
            "IS 800:2007, 7.3.2",
            "IS 800:2007, 7.1.2",
            "IS 800:2007, 8.2.1.2",
            "IS 800:2007, 8.4",
            "IS 800:2007, 8.4",
            "IS 800:2007, 7.1.2.1",
            "IS 800:2007, 7.1.2 and 7.1.2.1",
            "IS 800:2007, Table 10 and Table 7",
        },
    };
    code.gammaM0 = 1.10;
    code.gammaM1 = 1.25;
    code.gammaM0Meaning = "partial safety factor for resistance governed by yielding and buckling";
    code.gammaM1Meaning = "partial safety factor for resistance governed by ultimate stress (no "
                          "resistance given here takes it)";
    code.effectiveProperties = false;
    code.tension = true;
    code.fyAlone = true;
    code.formingChosen = true;
    code.twoTWidth = true;
    code.gammaM1Taken = false;
    code.work = design::is800Work;
    code.classWords = &classWords;
    return code;
}();

const DesignCode& designCodeOf(Catalogue catalogue) {
    return catalogue == Catalogue::IS ? is800 : en1993;
}

std::optional<int> classNamed(std::string_view word) {
    for (std::size_t k = 0; k < classWords.size(); ++k) {
        if (word == classWords[k]) {
            return static_cast<int>(k) + 1;
        }
    }
    return std::nullopt;
}

} // namespace kavrel
