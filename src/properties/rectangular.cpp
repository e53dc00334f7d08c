#include "properties/formulas.hpp"
#include "properties/result_steps.hpp"
#include "properties/step_names.hpp"
#include "properties/steps.hpp"
#include "properties/worked_units.hpp"

namespace kavrel {

// Straight walls of thickness t joined by quarter-ring corners of radii 2t and t for the area
// and second moments; the torsion terms take a mid-line corner radius of 3t, the surface an
// outer radius of 3t. Each expression keeps the grouping of the published formula.
// Later steps read the shown values back through readBack, on the handle of the result.
FindOutcome rectangularProperties(const SectionDimensions& dimensions, double piValue,
                                  std::string_view separator, std::optional<int> significant,
                                  StepLog* log, UnitSystem shown, bool workedInShown) {
    using namespace stepNames;
    constexpr Shape shape = Shape::Rectangular;
    constexpr ResultStep aStep = resultStep(&SectionProperties::a, shape);
    constexpr ResultStep ixxStep = resultStep(&SectionProperties::ixx, shape);
    constexpr ResultStep iyyStep = resultStep(&SectionProperties::iyy, shape);
    constexpr ResultStep jStep = resultStep(&SectionProperties::j, shape);
    Steps s(separator, significant, log, {UnitSystem::Metric, shown, workedInShown});
    s.assume("A, Ixx and Iyy: four straight walls of thickness t (two of length b1 = B - 4t, two "
             "of length d1 = D - 4t) joined by four quarter-ring corners of outer radius 2t and "
             "inner radius t.");
    s.assume("J and C: the wall's mid-line with corners of radius 3t in h and Ah.");
    s.assume("S: the outer perimeter with corners of outer radius 3t.");
    SectionProperties p;

    const Term pi = s.symbol(piValue, "pi");
    const Term B = s.read(dimensions.width, "B");
    const Term t = s.read(dimensions.thickness, "t");
    const Term b1 = s.step(stepNames::b1, B - 4 * t);
    const Term D = s.read(dimensions.depth, "D");
    const Term d1 = s.step(stepNames::d1, D - 4 * t);
    const Term h = s.step(stepNames::h, 2 * ((B - t) + (D - t)) - (6 * t) * (4 - pi));
    const Term Ah = s.step(stepNames::Ah, (B - t) * (D - t) - square(3 * t) * (4 - pi));
    const Term K = s.step(stepNames::K, s.divide((2 * Ah) * t, h));

    const ShownResult area =
        s.result(fromMillimetres(s, 0.01, (2 * t) * ((b1 + d1) + (1.5 * pi) * t)), aStep, p.a);
    const Term areaShown = s.readBack(area);
    p.wt = s.text(steelWeightOf(s, areaShown, false), resultStep(&SectionProperties::wt, shape));

    const Term cornersOwn =
        s.step(P3, s.divide(pi * fourthPower(t), 108) * (405 - s.divide(3136, square(pi))));
    const Term p1 = s.step(P1, t * (cube(d1) / 6));
    const Term p2 = s.step(P2, 0.5 * ((b1 * cube(t)) / 3 + (b1 * square(D - t)) * t));
    const Term p4 =
        s.step(P4, ((3 * pi) * square(t)) * square(s.divide((9 * pi) * d1 + 56 * t, 18 * pi)));
    const ShownResult ixx =
        s.result(fromMillimetres(s, 0.0001, ((p1 + p2) + cornersOwn) + p4), ixxStep, p.ixx);
    const Term ixxShown = s.readBack(ixx);

    const Term q1 = s.step(Q1, t * (cube(b1) / 6));
    const Term q2 = s.step(Q2, 0.5 * ((d1 * cube(t)) / 3 + (d1 * square(B - t)) * t));
    const Term q4 =
        s.step(Q4, ((3 * pi) * square(t)) * square(s.divide((9 * pi) * b1 + 56 * t, 18 * pi)));
    const ShownResult iyy =
        s.result(fromMillimetres(s, 0.0001, ((q1 + q2) + cornersOwn) + q4), iyyStep, p.iyy);
    const Term iyyShown = s.readBack(iyy);

    // Ixx' in cm^4 over D in cm (or both in inches).
    p.zxx = s.text(s.divide(ixxShown * 2, fromMillimetres(s, 0.1, D)),
                   resultStep(&SectionProperties::zxx, shape));
    p.zyy = s.text(s.divide(iyyShown * 2, fromMillimetres(s, 0.1, B)),
                   resultStep(&SectionProperties::zyy, shape));
    p.rxx = s.text(s.squareRoot(s.divide(ixxShown, areaShown)),
                   resultStep(&SectionProperties::rxx, shape));
    p.ryy = s.text(s.squareRoot(s.divide(iyyShown, areaShown)),
                   resultStep(&SectionProperties::ryy, shape));

    const ShownResult j =
        s.result(fromMillimetres(s, 0.0001, (cube(t) * h) / 3 + (K + K) * Ah), jStep, p.j);
    const Term jShown = s.readBack(j);
    // J' in cm^4 is 10000 J' in mm^4 (worked in inches, J' is in in^4 already).
    const Term cDivisor = t + s.divide(K, t);
    p.c = s.text(s.worksIn() == UnitSystem::US ? s.divide(jShown, cDivisor)
                                               : 0.001 * s.divide(jShown * 10000, cDivisor),
                 resultStep(&SectionProperties::c, shape));

    p.sa = s.text(surfaceOf(s, 2 * (((b1 + 4 * t) + (d1 + 4 * t)) - 12 * t) + (6 * pi) * t),
                  resultStep(&SectionProperties::sa, shape));
    return s.finish(std::move(p));
}

} // namespace kavrel
