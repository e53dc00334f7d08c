#include "properties/formulas.hpp"
#include "properties/result_descriptions.hpp"
#include "properties/steps.hpp"

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
ResultsOutcome roundedCornerResults(Steps& s, double D, double B, double t, double ro, double ri) {
    constexpr Shape shape = Shape::Rectangular;
    constexpr double pi = std::numbers::pi;
    SectionResults results;
    SectionProperties& p = results.properties;
    PlasticModuli& z = results.plastic;

    const double Di = s.value(D - 2 * t);
    const double Bi = s.value(B - 2 * t);
    const double k = s.value(4 - pi); // a corner's area lacking, per r²
    const double cxo = s.value(D / 2 - ro);
    const double cyo = s.value(B / 2 - ro);
    const double cxi = s.value(Di / 2 - ri);
    const double cyi = s.value(Bi / 2 - ri);

    const double Ao = s.value(B * D - k * square(ro));
    const double Ai = s.value(Bi * Di - k * square(ri));
    const double area = s.value(0.01 * (Ao - Ai));
    p.a = s.text(area, patternOf(&SectionProperties::a, shape));
    p.wt = s.text(0.785 * area, patternOf(&SectionProperties::wt, shape));

    const double Ixo =
        s.value((B * cube(D - 2 * ro) + (B - 2 * ro) * (cube(D) - cube(D - 2 * ro))) / 12 +
                pi * square(ro) * (square(ro) / 4 + square(cxo)) + (8.0 / 3) * cube(ro) * cxo);
    const double Ixi =
        s.value((Bi * cube(Di - 2 * ri) + (Bi - 2 * ri) * (cube(Di) - cube(Di - 2 * ri))) / 12 +
                pi * square(ri) * (square(ri) / 4 + square(cxi)) + (8.0 / 3) * cube(ri) * cxi);
    const double ixx = s.value(0.0001 * (Ixo - Ixi));
    p.ixx = s.text(ixx, patternOf(&SectionProperties::ixx, shape));

    const double Iyo =
        s.value((D * cube(B - 2 * ro) + (D - 2 * ro) * (cube(B) - cube(B - 2 * ro))) / 12 +
                pi * square(ro) * (square(ro) / 4 + square(cyo)) + (8.0 / 3) * cube(ro) * cyo);
    const double Iyi =
        s.value((Di * cube(Bi - 2 * ri) + (Di - 2 * ri) * (cube(Bi) - cube(Bi - 2 * ri))) / 12 +
                pi * square(ri) * (square(ri) / 4 + square(cyi)) + (8.0 / 3) * cube(ri) * cyi);
    const double iyy = s.value(0.0001 * (Iyo - Iyi));
    p.iyy = s.text(iyy, patternOf(&SectionProperties::iyy, shape));

    p.zxx = s.text(s.divide(2 * ixx, 0.1 * D), patternOf(&SectionProperties::zxx, shape));
    p.zyy = s.text(s.divide(2 * iyy, 0.1 * B), patternOf(&SectionProperties::zyy, shape));
    p.rxx = s.text(s.squareRoot(s.divide(ixx, area)), patternOf(&SectionProperties::rxx, shape));
    p.ryy = s.text(s.squareRoot(s.divide(iyy, area)), patternOf(&SectionProperties::ryy, shape));

    // Torsion of the thin-walled tube along the wall's mid-line, whose corners have radius rm.
    const double rm = s.value((ro + ri) / 2);
    const double h = s.value(2 * ((B - t) + (D - t)) - 2 * rm * k);
    const double Ah = s.value((B - t) * (D - t) - square(rm) * k);
    const double K = s.divide(2 * Ah * t, h);
    const double Jmm = s.value(cube(t) * h / 3 + 2 * K * Ah);
    p.j = s.text(0.0001 * Jmm, patternOf(&SectionProperties::j, shape));
    p.c =
        s.text(0.001 * s.divide(Jmm, t + s.divide(K, t)), patternOf(&SectionProperties::c, shape));

    p.sa = s.text(0.001 * (2 * (B + D) - 2 * ro * k), patternOf(&SectionProperties::sa, shape));

    const double Zpxo = s.value(B * square(D - 2 * ro) / 4 + (B - 2 * ro) * ro * (D - ro) +
                                pi * square(ro) * cxo + (4.0 / 3) * cube(ro));
    const double Zpxi = s.value(Bi * square(Di - 2 * ri) / 4 + (Bi - 2 * ri) * ri * (Di - ri) +
                                pi * square(ri) * cxi + (4.0 / 3) * cube(ri));
    z.zpx = s.text(0.001 * (Zpxo - Zpxi), patternOf(&PlasticModuli::zpx, shape));
    const double Zpyo = s.value(D * square(B - 2 * ro) / 4 + (D - 2 * ro) * ro * (B - ro) +
                                pi * square(ro) * cyo + (4.0 / 3) * cube(ro));
    const double Zpyi = s.value(Di * square(Bi - 2 * ri) / 4 + (Di - 2 * ri) * ri * (Bi - ri) +
                                pi * square(ri) * cyi + (4.0 / 3) * cube(ri));
    z.zpy = s.text(0.001 * (Zpyo - Zpyi), patternOf(&PlasticModuli::zpy, shape));
    return s.finish(std::move(results));
}

} // namespace kavrel
