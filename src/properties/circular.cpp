#include "properties/formulas.hpp"
#include "properties/result_steps.hpp"
#include "properties/steps.hpp"
#include "properties/worked_units.hpp"

namespace kavrel {

// A thin-walled tube of outside diameter D and wall t. The width is read only where the
// elastic modulus about y needs it, so an unusable width fails no earlier step.
FindOutcome circularProperties(const SectionDimensions& dimensions, double piValue,
                               std::string_view separator, std::optional<int> significant,
                               StepLog* log, UnitSystem shown, bool workedInShown) {
    constexpr Shape shape = Shape::Circular;
    constexpr ResultStep aStep = resultStep(&SectionProperties::a, shape);
    constexpr ResultStep ixxStep = resultStep(&SectionProperties::ixx, shape);
    constexpr ResultStep iyyStep = resultStep(&SectionProperties::iyy, shape);
    constexpr ResultStep zxxStep = resultStep(&SectionProperties::zxx, shape);
    static_assert(ixxStep.pattern == iyyStep.pattern);
    Steps s(separator, significant, log, {UnitSystem::Metric, shown, workedInShown});
    const bool inches = s.worksIn() == UnitSystem::US;
    s.assume("A tube of outside diameter D and wall thickness t; the width B enters only Zyy.");
    SectionProperties p;

    const Term pi = s.symbol(piValue, "pi");
    const Term D = s.read(dimensions.depth, "D");
    const Term t = s.read(dimensions.thickness, "t");

    const Term areaWorked = ((D - t) * pi) * t;
    const ShownResult area = s.result(inches ? areaWorked : areaWorked * 0.01, aStep, p.a);
    const Term areaShown = s.readBack(area);
    p.wt = s.text(steelWeightOf(s, areaShown, false), resultStep(&SectionProperties::wt, shape));

    const Term secondMoment =
        fromMillimetres(s, 0.0001, (pi / 64) * (fourthPower(D) - fourthPower(D - 2 * t)));
    const ShownResult ixx = s.result(secondMoment, ixxStep, p.ixx);
    const Term ixxShown = s.readBack(ixx);
    const ShownResult iyy = s.result(secondMoment, iyyStep, p.iyy);
    const Term iyyShown = s.readBack(iyy);

    const ShownResult zxx =
        s.result(s.divide(ixxShown * 2, fromMillimetres(s, 0.1, D)), zxxStep, p.zxx);
    const Term zxxShown = s.readBack(zxx);
    const Term B = s.read(dimensions.width, "B");
    p.zyy = s.text(s.divide(iyyShown * 2, fromMillimetres(s, 0.1, B)),
                   resultStep(&SectionProperties::zyy, shape));
    p.rxx = s.text(s.squareRoot(s.divide(ixxShown, areaShown)),
                   resultStep(&SectionProperties::rxx, shape));
    p.ryy = s.text(s.squareRoot(s.divide(iyyShown, areaShown)),
                   resultStep(&SectionProperties::ryy, shape));

    p.j = s.text(2 * ixxShown, resultStep(&SectionProperties::j, shape));
    p.c = s.text(2 * zxxShown, resultStep(&SectionProperties::c, shape));
    // The outer perimeter per metre of length, in m^2/m like the rectangular sections.
    p.sa = s.text(inches ? surfaceOf(s, D * pi) : (D * pi) * 0.001,
                  resultStep(&SectionProperties::sa, shape));
    return s.finish(std::move(p));
}

} // namespace kavrel
