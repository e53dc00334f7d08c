#include "properties/formulas.hpp"
#include "properties/result_steps.hpp"
#include "properties/step_names.hpp"
#include "properties/steps.hpp"
#include "properties/worked_units.hpp"

namespace kavrel {

// The same corner geometry as the area and second moments: straight walls of lengths b1 and
// d1, and quarter-ring corners of radii 2t and t whose first moment gives the 9pi and 56t
// terms. Each expression keeps the grouping of the published formula.
PlasticOutcome rectangularPlasticModuli(const SectionDimensions& dimensions, double piValue,
                                        std::string_view separator, std::optional<int> significant,
                                        StepLog* log, UnitSystem shown, bool workedInShown) {
    constexpr Shape shape = Shape::Rectangular;
    Steps s(separator, significant, log, {UnitSystem::Metric, shown, workedInShown});
    s.part("The plastic moduli, computed on their own from the dimensions");
    s.assume("Zpx and Zpy: the walls and corners of A, Ixx and Iyy.");
    PlasticModuli p;

    const Term pi = s.symbol(piValue, "pi");
    const Term B = s.read(dimensions.width, "B");
    const Term t = s.read(dimensions.thickness, "t");
    const Term b1 = s.step(stepNames::b1, B - 4 * t);
    const Term D = s.read(dimensions.depth, "D");
    const Term d1 = s.step(stepNames::d1, D - 4 * t);

    p.zpx = s.text(fromMillimetres(s, 0.001,
                                   ((b1 * t) * (D - t) + (t * square(d1)) / 2) +
                                       (square(t) / 6) * ((9 * pi) * d1 + 56 * t)),
                   resultStep(&PlasticModuli::zpx, shape));
    p.zpy = s.text(fromMillimetres(s, 0.001,
                                   ((d1 * t) * (B - t) + (t * square(b1)) / 2) +
                                       (square(t) / 6) * ((9 * pi) * b1 + 56 * t)),
                   resultStep(&PlasticModuli::zpy, shape));
    return s.finish(std::move(p));
}

PlasticOutcome circularPlasticModuli(const SectionDimensions& dimensions,
                                     std::string_view separator, std::optional<int> significant,
                                     StepLog* log, UnitSystem shown, bool workedInShown) {
    constexpr Shape shape = Shape::Circular;
    Steps s(separator, significant, log, {UnitSystem::Metric, shown, workedInShown});
    s.part("The plastic moduli, computed on their own from the dimensions");
    PlasticModuli p;

    const Term D = s.read(dimensions.depth, "D");
    const Term t = s.read(dimensions.thickness, "t");
    const Term modulus = fromMillimetres(s, 0.001, (cube(D) - cube(D - 2 * t)) / 6);
    p.zpx = s.text(modulus, resultStep(&PlasticModuli::zpx, shape));
    p.zpy = s.text(modulus, resultStep(&PlasticModuli::zpy, shape));
    return s.finish(std::move(p));
}

} // namespace kavrel
