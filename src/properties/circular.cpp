#include "properties/formulas.hpp"
#include "properties/result_steps.hpp"
#include "properties/steps.hpp"

namespace kavrel {
namespace {

// A thin-walled tube of outside diameter D and wall t. The width is read only where the
// elastic modulus about y needs it, so an unusable width fails no earlier step.
template <typename Number>
FindOutcome circular(const SectionDimensions& dimensions, double piValue,
                     std::string_view separator, StepLog* log) {
    constexpr Shape shape = Shape::Circular;
    Steps<Number> s(separator, log);
    s.assume("A tube of outside diameter D and wall thickness t; the width B enters only Zyy.");
    SectionProperties p;

    const Number pi = s.symbol(piValue, "pi");
    const Number D = s.read(dimensions.depth, "D");
    const Number t = s.read(dimensions.thickness, "t");

    p.a = s.text((((D - t) * pi) * t) * 0.01, resultStep(&SectionProperties::a, shape));
    const Number areaShown = s.readBack(p.a);
    p.wt = s.text(areaShown * 0.785, resultStep(&SectionProperties::wt, shape));

    const Number secondMoment = 0.0001 * ((pi / 64) * (fourthPower(D) - fourthPower(D - 2 * t)));
    p.ixx = s.text(secondMoment, resultStep(&SectionProperties::ixx, shape));
    const Number ixxShown = s.readBack(p.ixx);
    p.iyy = s.text(secondMoment, resultStep(&SectionProperties::iyy, shape));
    const Number iyyShown = s.readBack(p.iyy);

    p.zxx = s.text(s.divide(ixxShown * 2, 0.1 * D), resultStep(&SectionProperties::zxx, shape));
    const Number zxxShown = s.readBack(p.zxx);
    const Number B = s.read(dimensions.width, "B");
    p.zyy = s.text(s.divide(iyyShown * 2, 0.1 * B), resultStep(&SectionProperties::zyy, shape));
    p.rxx = s.text(s.squareRoot(s.divide(ixxShown, areaShown)),
                   resultStep(&SectionProperties::rxx, shape));
    p.ryy = s.text(s.squareRoot(s.divide(iyyShown, areaShown)),
                   resultStep(&SectionProperties::ryy, shape));

    p.j = s.text(2 * ixxShown, resultStep(&SectionProperties::j, shape));
    p.c = s.text(2 * zxxShown, resultStep(&SectionProperties::c, shape));
    // The outer perimeter per metre of length, in m^2/m like the rectangular sections.
    p.sa = s.text((D * pi) * 0.001, resultStep(&SectionProperties::sa, shape));
    return s.finish(std::move(p));
}

} // namespace

FindOutcome circularProperties(const SectionDimensions& dimensions, double pi,
                               std::string_view separator, StepLog* log) {
    return log ? circular<Term>(dimensions, pi, separator, log)
               : circular<Plain>(dimensions, pi, separator, log);
}

} // namespace kavrel
