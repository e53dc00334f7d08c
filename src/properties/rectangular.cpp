#include "properties/formulas.hpp"
#include "properties/result_descriptions.hpp"
#include "properties/steps.hpp"

namespace kavrel {

// Straight walls of thickness t joined by quarter-ring corners of radii 2t and t for the area
// and second moments; the torsion terms take a mid-line corner radius of 3t, the surface an
// outer radius of 3t. Each expression keeps the grouping of the published formula.
// Later steps read the shown values back through readBack(value, pattern).
FindOutcome rectangularProperties(const SectionDimensions& dimensions, double pi,
                                  std::string_view separator, std::optional<int> significant) {
    constexpr Shape shape = Shape::Rectangular;
    constexpr Pattern aPattern = patternOf(&SectionProperties::a, shape);
    constexpr Pattern ixxPattern = patternOf(&SectionProperties::ixx, shape);
    constexpr Pattern iyyPattern = patternOf(&SectionProperties::iyy, shape);
    constexpr Pattern jPattern = patternOf(&SectionProperties::j, shape);
    Steps s(separator, significant);
    SectionProperties p;

    const double B = s.read(dimensions.width);
    const double t = s.read(dimensions.thickness);
    const double b1 = s.value(B - 4 * t);
    const double D = s.read(dimensions.depth);
    const double d1 = s.value(D - 4 * t);
    const double h = s.value(2 * ((B - t) + (D - t)) - (6 * t) * (4 - pi));
    const double Ah = s.value((B - t) * (D - t) - square(3 * t) * (4 - pi));
    const double K = s.divide((2 * Ah) * t, h);

    const double area = s.value(0.01 * ((2 * t) * ((b1 + d1) + (1.5 * pi) * t)));
    p.a = s.text(area, aPattern);
    const double areaShown = s.readBack(area, aPattern);
    p.wt = s.text(areaShown * 0.785, patternOf(&SectionProperties::wt, shape));

    const double cornersOwn =
        s.value(s.divide(pi * fourthPower(t), 108) * (405 - s.divide(3136, square(pi))));
    const double P1 = s.value(t * (cube(d1) / 6));
    const double P2 = s.value(0.5 * ((b1 * cube(t)) / 3 + (b1 * square(D - t)) * t));
    const double P4 =
        s.value(((3 * pi) * square(t)) * square(s.divide((9 * pi) * d1 + 56 * t, 18 * pi)));
    const double ixx = s.value(0.0001 * (((P1 + P2) + cornersOwn) + P4));
    p.ixx = s.text(ixx, ixxPattern);
    const double ixxShown = s.readBack(ixx, ixxPattern);

    const double Q1 = s.value(t * (cube(b1) / 6));
    const double Q2 = s.value(0.5 * ((d1 * cube(t)) / 3 + (d1 * square(B - t)) * t));
    const double Q4 =
        s.value(((3 * pi) * square(t)) * square(s.divide((9 * pi) * b1 + 56 * t, 18 * pi)));
    const double iyy = s.value(0.0001 * (((Q1 + Q2) + cornersOwn) + Q4));
    p.iyy = s.text(iyy, iyyPattern);
    const double iyyShown = s.readBack(iyy, iyyPattern);

    p.zxx = s.text(s.divide(ixxShown * 2, 0.1 * D), patternOf(&SectionProperties::zxx, shape));
    p.zyy = s.text(s.divide(iyyShown * 2, 0.1 * B), patternOf(&SectionProperties::zyy, shape));
    p.rxx = s.text(s.squareRoot(s.divide(ixxShown, areaShown)),
                   patternOf(&SectionProperties::rxx, shape));
    p.ryy = s.text(s.squareRoot(s.divide(iyyShown, areaShown)),
                   patternOf(&SectionProperties::ryy, shape));

    const double j = s.value(0.0001 * ((cube(t) * h) / 3 + (K + K) * Ah));
    p.j = s.text(j, jPattern);
    const double jShown = s.readBack(j, jPattern);
    p.c = s.text(0.001 * s.divide(jShown * 10000, t + s.divide(K, t)),
                 patternOf(&SectionProperties::c, shape));

    p.sa = s.text(0.001 * (2 * (((b1 + 4 * t) + (d1 + 4 * t)) - 12 * t) + (6 * pi) * t),
                  patternOf(&SectionProperties::sa, shape));
    return s.finish(std::move(p));
}

} // namespace kavrel
