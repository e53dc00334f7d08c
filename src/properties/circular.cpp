#include "properties/formulas.hpp"
#include "properties/result_descriptions.hpp"
#include "properties/steps.hpp"

namespace kavrel {

// A thin-walled tube of outside diameter D and wall t. The width is read only where the
// elastic modulus about y needs it, so an unusable width fails no earlier step.
FindOutcome circularProperties(const SectionDimensions& dimensions, double pi,
                               std::string_view separator, std::optional<int> significant) {
    constexpr Shape shape = Shape::Circular;
    constexpr Pattern aPattern = patternOf(&SectionProperties::a, shape);
    constexpr Pattern iPattern = patternOf(&SectionProperties::ixx, shape);
    constexpr Pattern zxxPattern = patternOf(&SectionProperties::zxx, shape);
    static_assert(iPattern == patternOf(&SectionProperties::iyy, shape));
    Steps s(separator, significant);
    SectionProperties p;

    const double D = s.read(dimensions.depth);
    const double t = s.read(dimensions.thickness);

    const double area = s.value((((D - t) * pi) * t) * 0.01);
    p.a = s.text(area, aPattern);
    const double areaShown = s.readBack(area, aPattern);
    p.wt = s.text(areaShown * 0.785, patternOf(&SectionProperties::wt, shape));

    const double secondMoment = 0.0001 * ((pi / 64) * (fourthPower(D) - fourthPower(D - 2 * t)));
    p.ixx = s.text(secondMoment, iPattern);
    const double ixxShown = s.readBack(secondMoment, iPattern);
    p.iyy = s.text(secondMoment, iPattern);
    const double iyyShown = s.readBack(secondMoment, iPattern);

    const double zxx = s.divide(ixxShown * 2, 0.1 * D);
    p.zxx = s.text(zxx, zxxPattern);
    const double zxxShown = s.readBack(zxx, zxxPattern);
    const double B = s.read(dimensions.width);
    p.zyy = s.text(s.divide(iyyShown * 2, 0.1 * B), patternOf(&SectionProperties::zyy, shape));
    p.rxx = s.text(s.squareRoot(s.divide(ixxShown, areaShown)),
                   patternOf(&SectionProperties::rxx, shape));
    p.ryy = s.text(s.squareRoot(s.divide(iyyShown, areaShown)),
                   patternOf(&SectionProperties::ryy, shape));

    p.j = s.text(2 * ixxShown, patternOf(&SectionProperties::j, shape));
    p.c = s.text(2 * zxxShown, patternOf(&SectionProperties::c, shape));
    // The outer perimeter per metre of length, in m^2/m like the rectangular sections.
    p.sa = s.text((D * pi) * 0.001, patternOf(&SectionProperties::sa, shape));
    return s.finish(std::move(p));
}

} // namespace kavrel
