#include "properties/formulas.hpp"
#include "properties/result_steps.hpp"
#include "properties/rounded_corners.hpp"
#include "properties/step_names.hpp"
#include "properties/steps.hpp"
#include "properties/worked_units.hpp"

#include <numbers>

namespace kavrel {

CornerRadii hotFinishedCorners(double t) {
    const Corners corners = hotFinishedCornersOf(Term(t), t);
    return {corners.outer.value, corners.inner.value};
}

CornerRadii coldFormedCorners(double t) {
    const Corners corners = coldFormedCornersOf(Term(t), t);
    return {corners.outer.value, corners.inner.value};
}

namespace {

constexpr std::string_view exactness =
    "The true pi; every step uses the unrounded values of the earlier ones.";

// The dimensions, then the radii that the rule gives for t, then the exact geometry.
ResultsOutcome rectangularWithRadii(const SectionDimensions& dimensions, std::string_view separator,
                                    std::optional<int> significant, StepLog* log, ShownUnits units,
                                    std::string_view geometry,
                                    Corners (*rule)(Term t, double millimetres)) {
    Steps s(separator, significant, log, units);
    s.assume(geometry);
    s.assume("A, Ixx, Iyy, Zpx and Zpy are those of the outer rounded rectangle less the inner "
             "one; J and C take the wall's mid-line with corners of radius rm = (ro + ri)/2; S "
             "the outer perimeter.");
    s.assume(exactness);
    const Term D = s.read(dimensions.depth, "D");
    const Term B = s.read(dimensions.width, "B");
    const Term t = s.read(dimensions.thickness, "t");
    const Corners corners = rule(t, readNumber(dimensions.thickness, separator).value_or(0));
    const Term ro = s.step(stepNames::ro, corners.outer);
    const Term ri = s.step(stepNames::ri, corners.inner);
    return roundedCornerResults(s, D, B, t, ro, ri);
}

} // namespace

ResultsOutcome hotFinishedRectangularResults(const SectionDimensions& dimensions,
                                             std::string_view separator,
                                             std::optional<int> significant, StepLog* log,
                                             UnitSystem shown, bool workedInShown) {
    return rectangularWithRadii(
        dimensions, separator, significant, log, {UnitSystem::Metric, shown, workedInShown},
        "Hot finished: straight walls with rounded corners of outer radius ro = 1.5t and inner "
        "radius ri = t.",
        hotFinishedCornersOf);
}

ResultsOutcome coldFormedRectangularResults(const SectionDimensions& dimensions,
                                            std::string_view separator,
                                            std::optional<int> significant, StepLog* log,
                                            UnitSystem shown, bool workedInShown) {
    return rectangularWithRadii(
        dimensions, separator, significant, log, {UnitSystem::Metric, shown, workedInShown},
        "Cold formed: straight walls with rounded corners of outer radius ro and inner radius "
        "ri: for t up to 6 mm ro = 2t, ri = t; above 6 up to 10 mm ro = 2.5t, ri = 1.5t; above "
        "10 mm ro = 3t, ri = 2t.",
        coldFormedCornersOf);
}

// The exact annulus: no thin-wall approximation, the true pi, nothing read back.
ResultsOutcome annulusResults(const SectionDimensions& dimensions, std::string_view separator,
                              std::optional<int> significant, StepLog* log, UnitSystem shown,
                              bool workedInShown) {
    using namespace stepNames;
    constexpr Shape shape = Shape::Circular;
    Steps s(separator, significant, log, {UnitSystem::Metric, shown, workedInShown});
    s.assume("The exact annulus of outside diameter D and wall thickness t.");
    s.assume(exactness);
    SectionResults results;
    SectionProperties& p = results.properties;
    PlasticModuli& z = results.plastic;

    const Term pi = s.symbol(std::numbers::pi, "pi");
    const Term D = s.read(dimensions.depth, "D");
    const Term t = s.read(dimensions.thickness, "t");
    const Term Di = s.step(stepNames::Di, D - 2 * t);

    // π/4·(D² - Di²), factored
    const Term area = s.result(fromMillimetres(s, 0.01, pi * t * (D - t)),
                               resultStep(&SectionProperties::a, shape), p.a)
                          .value;
    p.wt = s.text(steelWeightOf(s, area, true), resultStep(&SectionProperties::wt, shape));

    const Term I_ =
        s.step(I, fromMillimetres(s, 0.0001, pi / 64 * (fourthPower(D) - fourthPower(Di))));
    p.ixx = s.text(I_, resultStep(&SectionProperties::ixx, shape));
    p.iyy = s.text(I_, resultStep(&SectionProperties::iyy, shape));
    const Term Z_ = s.step(Z, s.divide(2 * I_, fromMillimetres(s, 0.1, D)));
    p.zxx = s.text(Z_, resultStep(&SectionProperties::zxx, shape));
    p.zyy = s.text(Z_, resultStep(&SectionProperties::zyy, shape));
    const Term r_ = s.step(r, s.squareRoot(s.divide(I_, area)));
    p.rxx = s.text(r_, resultStep(&SectionProperties::rxx, shape));
    p.ryy = s.text(r_, resultStep(&SectionProperties::ryy, shape));

    p.j = s.text(2 * I_, resultStep(&SectionProperties::j, shape));
    p.c = s.text(2 * Z_, resultStep(&SectionProperties::c, shape));
    p.sa = s.text(surfaceOf(s, pi * D), resultStep(&SectionProperties::sa, shape));

    const Term Zp_ = s.step(Zp, fromMillimetres(s, 0.001, (cube(D) - cube(Di)) / 6));
    z.zpx = s.text(Zp_, resultStep(&PlasticModuli::zpx, shape));
    z.zpy = s.text(Zp_, resultStep(&PlasticModuli::zpy, shape));
    results.values = metricValuesOf(
        {area.value, I_.value, I_.value, Z_.value, Z_.value, Zp_.value, Zp_.value}, s.worksIn());
    return s.finish(std::move(results));
}

} // namespace kavrel
