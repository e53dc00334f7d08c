#include "properties/formulas.hpp"
#include "properties/result_descriptions.hpp"
#include "properties/steps.hpp"

#include <numbers>

namespace kavrel {

CornerRadii hotFinishedCorners(double t) {
    return {1.5 * t, t};
}

CornerRadii coldFormedCorners(double t) {
    if (t <= 6) {
        return {2 * t, t};
    }
    if (t <= 10) {
        return {2.5 * t, 1.5 * t};
    }
    return {3 * t, 2 * t};
}

ResultsOutcome hotFinishedRectangularResults(const SectionDimensions& dimensions,
                                             std::string_view separator,
                                             std::optional<int> significant) {
    Steps s(separator, significant);
    const double D = s.read(dimensions.depth);
    const double B = s.read(dimensions.width);
    const double t = s.read(dimensions.thickness);
    const CornerRadii corners = hotFinishedCorners(t);
    const double ro = s.value(corners.outer);
    const double ri = s.value(corners.inner);
    return roundedCornerResults(s, D, B, t, ro, ri);
}

ResultsOutcome coldFormedRectangularResults(const SectionDimensions& dimensions,
                                            std::string_view separator,
                                            std::optional<int> significant) {
    Steps s(separator, significant);
    const double D = s.read(dimensions.depth);
    const double B = s.read(dimensions.width);
    const double t = s.read(dimensions.thickness);
    const CornerRadii corners = coldFormedCorners(t);
    const double ro = s.value(corners.outer);
    const double ri = s.value(corners.inner);
    return roundedCornerResults(s, D, B, t, ro, ri);
}

// The exact annulus: no thin-wall approximation, the true pi, nothing read back.
ResultsOutcome annulusResults(const SectionDimensions& dimensions, std::string_view separator,
                              std::optional<int> significant) {
    constexpr Shape shape = Shape::Circular;
    constexpr double pi = std::numbers::pi;
    Steps s(separator, significant);
    SectionResults results;
    SectionProperties& p = results.properties;
    PlasticModuli& z = results.plastic;

    const double D = s.read(dimensions.depth);
    const double t = s.read(dimensions.thickness);
    const double Di = s.value(D - 2 * t);

    const double area = s.value(0.01 * (pi * t * (D - t))); // π/4·(D² - Di²), factored
    p.a = s.text(area, patternOf(&SectionProperties::a, shape));
    p.wt = s.text(0.785 * area, patternOf(&SectionProperties::wt, shape));

    const double I = s.value(0.0001 * (pi / 64 * (fourthPower(D) - fourthPower(Di))));
    p.ixx = s.text(I, patternOf(&SectionProperties::ixx, shape));
    p.iyy = s.text(I, patternOf(&SectionProperties::iyy, shape));
    const double Z = s.divide(2 * I, 0.1 * D);
    p.zxx = s.text(Z, patternOf(&SectionProperties::zxx, shape));
    p.zyy = s.text(Z, patternOf(&SectionProperties::zyy, shape));
    const double r = s.squareRoot(s.divide(I, area));
    p.rxx = s.text(r, patternOf(&SectionProperties::rxx, shape));
    p.ryy = s.text(r, patternOf(&SectionProperties::ryy, shape));

    p.j = s.text(2 * I, patternOf(&SectionProperties::j, shape));
    p.c = s.text(2 * Z, patternOf(&SectionProperties::c, shape));
    p.sa = s.text(0.001 * (pi * D), patternOf(&SectionProperties::sa, shape));

    const double Zp = s.value(0.001 * ((cube(D) - cube(Di)) / 6));
    z.zpx = s.text(Zp, patternOf(&PlasticModuli::zpx, shape));
    z.zpy = s.text(Zp, patternOf(&PlasticModuli::zpy, shape));
    return s.finish(std::move(results));
}

} // namespace kavrel
