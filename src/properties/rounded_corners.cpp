#include "properties/rounded_corners.hpp"
#include "properties/result_steps.hpp"
#include "properties/step_names.hpp"
#include "properties/steps.hpp"
#include "properties/worked_units.hpp"

#include <numbers>

namespace kavrel {

// How the closed forms come about. A solid rectangle b wide and d deep whose corners are
// rounded to radius r is cut into a full-width band b x (d - 2r), two end bands (b - 2r) x r
// between the corners, and four quarter discs of radius r whose centres lie c = d/2 - r from
// the x axis. Summing the parts, each exactly:
//   area   b·d - (4 - π)·r²                       (each corner lacks r² - π·r²/4)
//   Ix     b·(d - 2r)³/12 + (b - 2r)·(d³ - (d - 2r)³)/12           the three bands
//          + π·r⁴/4 + π·r²·c² + (8/3)·r³·c
//   The last line is the four quarter discs moved out to the distance c: each has π·r⁴/16
//   about its centre, π·r²/4·c² by the parallel axis, and 2·c times its first moment about its
//   centre, (π·r²/4)·(4r/3π) = r³/3.
//   Zp     the integral of |y| over the section (the plastic neutral axis of a doubly
//          symmetric section is its axis of symmetry):
//          b·(d - 2r)²/4 + (b - 2r)·r·(d - r) + π·r²·c + (4/3)·r³
// The wall is the outer shape (B, D, ro) less the inner one (B - 2t, D - 2t, ri); about y the
// same with B and D exchanged. Nothing is read back from a shown text.
Term roundedRectangleSecondMoment(Term pi, Term b, Term d, Term r, Term c) {
    const Term eightThirds = Term(8.0) / 3;
    return (b * cube(d - 2 * r) + (b - 2 * r) * (cube(d) - cube(d - 2 * r))) / 12 +
           pi * square(r) * (square(r) / 4 + square(c)) + eightThirds * cube(r) * c;
}

Term roundedRectanglePlasticModulus(Term pi, Term b, Term d, Term r, Term c) {
    const Term fourThirds = Term(4.0) / 3;
    return b * square(d - 2 * r) / 4 + (b - 2 * r) * r * (d - r) + pi * square(r) * c +
           fourThirds * cube(r);
}

RoundedWall roundedWallOf(Steps& s, Term pi, Term D, Term B, Term t, Term ro, Term ri) {
    const Term Di = s.step(stepNames::Di, D - 2 * t);
    const Term Bi = s.step(stepNames::Bi, B - 2 * t);
    const Term k =
        s.step(stepNames::k, 4 - pi); // what four corners lack against square ones, per r²
    const Term cxo = s.step(stepNames::cxo, D / 2 - ro);
    const Term cyo = s.step(stepNames::cyo, B / 2 - ro);
    const Term cxi = s.step(stepNames::cxi, Di / 2 - ri);
    const Term cyi = s.step(stepNames::cyi, Bi / 2 - ri);
    const Term Ao = s.step(stepNames::Ao, B * D - k * square(ro));
    const Term Ai = s.step(stepNames::Ai, Bi * Di - k * square(ri));
    return {Di, Bi, k, cxo, cyo, cxi, cyi, Ao, Ai};
}

Term wallSecondMomentX(Steps& s, Term pi, Term D, Term B, const RoundedWall& w, Term ro, Term ri) {
    const Term Ixo = s.step(stepNames::Ixo, roundedRectangleSecondMoment(pi, B, D, ro, w.cxo));
    const Term Ixi =
        s.step(stepNames::Ixi, roundedRectangleSecondMoment(pi, w.Bi, w.Di, ri, w.cxi));
    return Ixo - Ixi;
}

Term wallSecondMomentY(Steps& s, Term pi, Term D, Term B, const RoundedWall& w, Term ro, Term ri) {
    const Term Iyo = s.step(stepNames::Iyo, roundedRectangleSecondMoment(pi, D, B, ro, w.cyo));
    const Term Iyi =
        s.step(stepNames::Iyi, roundedRectangleSecondMoment(pi, w.Di, w.Bi, ri, w.cyi));
    return Iyo - Iyi;
}

std::pair<Term, Term> wallPlasticModuli(Steps& s, Term pi, Term D, Term B, const RoundedWall& w,
                                        Term ro, Term ri, PlasticModuli& z) {
    constexpr Shape shape = Shape::Rectangular;
    const Term Zpxo = s.step(stepNames::Zpxo, roundedRectanglePlasticModulus(pi, B, D, ro, w.cxo));
    const Term Zpxi =
        s.step(stepNames::Zpxi, roundedRectanglePlasticModulus(pi, w.Bi, w.Di, ri, w.cxi));
    const Term zpx = fromMillimetres(s, 0.001, Zpxo - Zpxi);
    z.zpx = s.text(zpx, resultStep(&PlasticModuli::zpx, shape));
    const Term Zpyo = s.step(stepNames::Zpyo, roundedRectanglePlasticModulus(pi, D, B, ro, w.cyo));
    const Term Zpyi =
        s.step(stepNames::Zpyi, roundedRectanglePlasticModulus(pi, w.Di, w.Bi, ri, w.cyi));
    const Term zpy = fromMillimetres(s, 0.001, Zpyo - Zpyi);
    z.zpy = s.text(zpy, resultStep(&PlasticModuli::zpy, shape));
    return {zpx, zpy};
}

ResultsOutcome roundedCornerResults(Steps& s, Term D, Term B, Term t, Term ro, Term ri) {
    using namespace stepNames;
    constexpr Shape shape = Shape::Rectangular;
    constexpr ResultStep aStep = resultStep(&SectionProperties::a, shape);
    constexpr ResultStep ixxStep = resultStep(&SectionProperties::ixx, shape);
    constexpr ResultStep iyyStep = resultStep(&SectionProperties::iyy, shape);
    SectionResults results;
    SectionProperties& p = results.properties;
    PlasticModuli& z = results.plastic;

    const Term pi = s.symbol(std::numbers::pi, "pi");
    const RoundedWall w = roundedWallOf(s, pi, D, B, t, ro, ri);
    const Term k = w.k;
    const Term area = s.result(fromMillimetres(s, 0.01, w.Ao - w.Ai), aStep, p.a).value;
    p.wt = s.text(steelWeightOf(s, area, true), resultStep(&SectionProperties::wt, shape));

    const Term ixx = s.result(fromMillimetres(s, 0.0001, wallSecondMomentX(s, pi, D, B, w, ro, ri)),
                              ixxStep, p.ixx)
                         .value;
    const Term iyy = s.result(fromMillimetres(s, 0.0001, wallSecondMomentY(s, pi, D, B, w, ro, ri)),
                              iyyStep, p.iyy)
                         .value;

    const Term zxx = s.divide(2 * ixx, fromMillimetres(s, 0.1, D));
    p.zxx = s.text(zxx, resultStep(&SectionProperties::zxx, shape));
    const Term zyy = s.divide(2 * iyy, fromMillimetres(s, 0.1, B));
    p.zyy = s.text(zyy, resultStep(&SectionProperties::zyy, shape));
    p.rxx = s.text(s.squareRoot(s.divide(ixx, area)), resultStep(&SectionProperties::rxx, shape));
    p.ryy = s.text(s.squareRoot(s.divide(iyy, area)), resultStep(&SectionProperties::ryy, shape));

    // Torsion of the thin-walled tube along the wall's mid-line, whose corners have radius rm.
    const Term rm = s.step(stepNames::rm, (ro + ri) / 2);
    const Term h = s.step(stepNames::h, 2 * ((B - t) + (D - t)) - 2 * rm * k);
    const Term Ah = s.step(stepNames::Ah, (B - t) * (D - t) - square(rm) * k);
    const Term K = s.step(stepNames::K, s.divide(2 * Ah * t, h));
    const Term J = s.step(Jm, cube(t) * h / 3 + 2 * K * Ah);
    p.j = s.text(fromMillimetres(s, 0.0001, J), resultStep(&SectionProperties::j, shape));
    p.c = s.text(fromMillimetres(s, 0.001, s.divide(J, t + s.divide(K, t))),
                 resultStep(&SectionProperties::c, shape));

    p.sa =
        s.text(surfaceOf(s, 2 * (B + D) - 2 * ro * k), resultStep(&SectionProperties::sa, shape));

    const auto [zpx, zpy] = wallPlasticModuli(s, pi, D, B, w, ro, ri, z);
    results.values = metricValuesOf(
        {area.value, ixx.value, iyy.value, zxx.value, zyy.value, zpx.value, zpy.value},
        s.worksIn());
    return s.finish(std::move(results));
}

} // namespace kavrel
