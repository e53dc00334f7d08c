#include "properties/formulas.hpp"
#include "properties/result_descriptions.hpp"
#include "properties/steps.hpp"

namespace kavrel {

// The same corner geometry as the area and second moments: straight walls of lengths b1 and
// d1, and quarter-ring corners of radii 2t and t whose first moment gives the 9pi and 56t
// terms. Each expression keeps the grouping of the published formula.
PlasticOutcome rectangularPlasticModuli(const SectionDimensions& dimensions, double pi,
                                        std::string_view separator,
                                        std::optional<int> significant) {
    constexpr Shape shape = Shape::Rectangular;
    Steps s(separator, significant);
    PlasticModuli p;

    const double B = s.read(dimensions.width);
    const double t = s.read(dimensions.thickness);
    const double b1 = s.value(B - 4 * t);
    const double D = s.read(dimensions.depth);
    const double d1 = s.value(D - 4 * t);

    p.zpx = s.text(0.001 * (((b1 * t) * (D - t) + (t * square(d1)) / 2) +
                            (square(t) / 6) * ((9 * pi) * d1 + 56 * t)),
                   patternOf(&PlasticModuli::zpx, shape));
    p.zpy = s.text(0.001 * (((d1 * t) * (B - t) + (t * square(b1)) / 2) +
                            (square(t) / 6) * ((9 * pi) * b1 + 56 * t)),
                   patternOf(&PlasticModuli::zpy, shape));
    return s.finish(std::move(p));
}

PlasticOutcome circularPlasticModuli(const SectionDimensions& dimensions,
                                     std::string_view separator, std::optional<int> significant) {
    constexpr Shape shape = Shape::Circular;
    Steps s(separator, significant);
    PlasticModuli p;

    const double D = s.read(dimensions.depth);
    const double t = s.read(dimensions.thickness);
    const double modulus = 0.001 * ((cube(D) - cube(D - 2 * t)) / 6);
    p.zpx = s.text(modulus, patternOf(&PlasticModuli::zpx, shape));
    p.zpy = s.text(modulus, patternOf(&PlasticModuli::zpy, shape));
    return s.finish(std::move(p));
}

} // namespace kavrel
