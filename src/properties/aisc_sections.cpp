#include "properties/formulas.hpp"
#include "properties/result_steps.hpp"
#include "properties/rounded_corners.hpp"
#include "properties/step_names.hpp"
#include "properties/steps.hpp"
#include "properties/worked_units.hpp"

#include <numbers>

namespace kavrel {
namespace {

// The database prints its properties with three significant figures, W with two decimals.
constexpr int databaseFigures = 3;

// Steel of 490 lb/ft^3: the weight in lb/ft of an area in in^2, 490 lb per 144 in^2 of a foot;
// worked in mm, the same in kg/m of an area in cm^2 (a lb is 0.45359237 kg, a foot 0.3048 m,
// an in^2 6.4516 cm^2).
Term weightOf(Steps& s, Term area) {
    if (s.worksIn() == UnitSystem::Metric) {
        const Term wA = s.step(stepNames::aiscWeightInMetric,
                               s.number(490) / 144 * 0.45359237 / 0.3048 / 6.4516);
        return area * wA;
    }
    return 490 * area / 144;
}

// A result step that keeps its decimals where the others show significant figures.
constexpr ResultStep keepingDecimals(ResultStep step) {
    step.keepsDecimals = true;
    return step;
}

void assumeDatabase(Steps& s) {
    if (s.worksIn() == UnitSystem::Metric) {
        s.assume("AISC Shapes Database conventions, worked in mm from the database's inches: "
                 "every property takes the design wall t = tdes; the weight W = (490/144) lb/ft "
                 "per in^2 (steel of 490 lb/ft^3), in kg/m per cm^2, of the area worked out with "
                 "the nominal wall tnom.");
        s.assume("The true pi; every step uses the unrounded values of the earlier ones.");
        return;
    }
    s.assume("AISC Shapes Database conventions, in inches: every property takes the design wall "
             "t = tdes; the weight W = (490/144) lb/ft per in^2 of the area worked out with the "
             "nominal wall tnom.");
    s.assume("The true pi; every step uses the unrounded values of the earlier ones; each result "
             "is converted once, unrounded, to the units shown.");
}

} // namespace

// The rectangular HSS as the database makes its figures: straight walls and corners of outer
// radius 2t and inner radius t; A, Zpx and Zpy exact. Ixx and Iyy are the exact value plus
// (64/(27pi))·t^4: the database takes each corner's own second moment as
// (pi/16 - 4/(9pi))·(ro^4 - ri^4), the difference of the two quarter discs' own moments, which
// for ro = 2t and ri = t exceeds the exact corner by that much in all. J and C are the
// thin-walled forms on the mid-line with corners of radius 1.5t.
ResultsOutcome aiscRectangularResults(const SectionDimensions& dimensions,
                                      std::string_view separator, std::optional<int> significant,
                                      StepLog* log, UnitSystem shown, bool workedInShown) {
    using namespace stepNames;
    constexpr Shape shape = Shape::Rectangular;
    Steps s(separator, significant, log, {UnitSystem::US, shown, workedInShown});
    s.showFigures(databaseFigures);
    s.assume("Rectangular HSS: straight walls with rounded corners of outer radius ro = 2t and "
             "inner radius ri = t; A, Zpx and Zpy exact, those of the outer rounded rectangle "
             "less the inner one.");
    s.assume("Ixx and Iyy: the exact value plus the corner term Ic = (64/(27 pi)) t^4, as the "
             "database takes each corner's own second moment as (pi/16 - 4/(9 pi))(ro^4 - ri^4), "
             "the difference of the two quarter discs' own moments.");
    s.assume(s.worksIn() == UnitSystem::US
                 ? "J = 4 Ap^2 t / p and C = 2 (B - t)(D - t) t - 4.5 (4 - pi) t^3 on the wall's "
                   "mid-line with corners of radius 1.5t; S the outer perimeter with radius 2t, "
                   "per foot."
                 : "J = 4 Ap^2 t / p and C = 2 (B - t)(D - t) t - 4.5 (4 - pi) t^3 on the wall's "
                   "mid-line with corners of radius 1.5t; S the outer perimeter with radius 2t, "
                   "per metre.");
    assumeDatabase(s);
    SectionResults results;
    SectionProperties& p = results.properties;
    PlasticModuli& z = results.plastic;

    const Term pi = s.symbol(std::numbers::pi, "pi");
    const Term D = s.read(dimensions.depth, "D");
    const Term B = s.read(dimensions.width, "B");
    const Term t = s.read(dimensions.thickness, "t");
    const Term tnom = s.read(dimensions.nominalThickness, "tnom");
    const Term ro = s.step(stepNames::ro, 2 * t);
    const Term ri = s.step(stepNames::ri, t);
    const RoundedWall w = roundedWallOf(s, pi, D, B, t, ro, ri);
    const Term k = w.k;
    const Term area = s.result(fromMillimetres(s, 0.01, w.Ao - w.Ai),
                               resultStep(&SectionProperties::a, shape), p.a)
                          .value;

    // The weight: the same corners, 2tnom and tnom, on the nominal wall.
    const Term An = s.step(
        aiscNominalArea, fromMillimetres(s, 0.01,
                                         B * D - k * square(2 * tnom) -
                                             ((B - 2 * tnom) * (D - 2 * tnom) - k * square(tnom))));
    p.wt = s.text(weightOf(s, An), keepingDecimals(resultStep(&SectionProperties::wt, shape)));

    const Term Ic = s.step(aiscCornerTerm, s.divide(64 * fourthPower(t), 27 * pi));
    const Term ixx =
        s.result(fromMillimetres(s, 0.0001, wallSecondMomentX(s, pi, D, B, w, ro, ri) + Ic),
                 resultStep(&SectionProperties::ixx, shape), p.ixx)
            .value;
    const Term iyy =
        s.result(fromMillimetres(s, 0.0001, wallSecondMomentY(s, pi, D, B, w, ro, ri) + Ic),
                 resultStep(&SectionProperties::iyy, shape), p.iyy)
            .value;

    // I in cm^4 over a half depth in cm (or both in inches).
    const Term zxx = s.divide(ixx, fromMillimetres(s, 0.1, D) / 2);
    p.zxx = s.text(zxx, resultStep(&SectionProperties::zxx, shape));
    const Term zyy = s.divide(iyy, fromMillimetres(s, 0.1, B) / 2);
    p.zyy = s.text(zyy, resultStep(&SectionProperties::zyy, shape));
    p.rxx = s.text(s.squareRoot(s.divide(ixx, area)), resultStep(&SectionProperties::rxx, shape));
    p.ryy = s.text(s.squareRoot(s.divide(iyy, area)), resultStep(&SectionProperties::ryy, shape));

    const Term rm = s.step(stepNames::rm, 1.5 * t);
    const Term Ap = s.step(aiscAp, (B - t) * (D - t) - k * square(rm));
    const Term perimeter = s.step(aiscP, 2 * (B - t) + 2 * (D - t) - (8 - 2 * pi) * rm);
    p.j = s.text(fromMillimetres(s, 0.0001, s.divide(4 * square(Ap) * t, perimeter)),
                 resultStep(&SectionProperties::j, shape));
    p.c = s.text(fromMillimetres(s, 0.001, 2 * (B - t) * (D - t) * t - 4.5 * k * cube(t)),
                 resultStep(&SectionProperties::c, shape));
    p.sa =
        s.text(surfaceOf(s, 2 * (B + D) - 2 * ro * k), resultStep(&SectionProperties::sa, shape));

    const auto [zpx, zpy] = wallPlasticModuli(s, pi, D, B, w, ro, ri, z);
    results.values = metricValuesOf(
        {area.value, ixx.value, iyy.value, zxx.value, zyy.value, zpx.value, zpy.value},
        s.worksIn());
    return s.finish(std::move(results));
}

// The round HSS: the exact annulus of outside diameter D and the design wall; J = 2I and
// C = 2J/D, as the database gives them.
ResultsOutcome aiscRoundResults(const SectionDimensions& dimensions, std::string_view separator,
                                std::optional<int> significant, StepLog* log, UnitSystem shown,
                                bool workedInShown) {
    using namespace stepNames;
    constexpr Shape shape = Shape::Circular;
    Steps s(separator, significant, log, {UnitSystem::US, shown, workedInShown});
    s.showFigures(databaseFigures);
    s.assume(s.worksIn() == UnitSystem::US
                 ? "Round HSS: the exact annulus of outside diameter D and wall t; J = 2I, "
                   "C = 2J/D; S the outer perimeter pi D, per foot."
                 : "Round HSS: the exact annulus of outside diameter D and wall t; J = 2I, "
                   "C = 2J/D; S the outer perimeter pi D, per metre.");
    assumeDatabase(s);
    SectionResults results;
    SectionProperties& p = results.properties;
    PlasticModuli& z = results.plastic;

    const Term pi = s.symbol(std::numbers::pi, "pi");
    const Term D = s.read(dimensions.depth, "D");
    const Term t = s.read(dimensions.thickness, "t");
    const Term tnom = s.read(dimensions.nominalThickness, "tnom");
    const Term Di = s.step(stepNames::Di, D - 2 * t);

    const Term area = s.result(fromMillimetres(s, 0.01, pi * t * (D - t)),
                               resultStep(&SectionProperties::a, shape), p.a)
                          .value;
    const Term An = s.step(aiscNominalArea, fromMillimetres(s, 0.01, pi * tnom * (D - tnom)));
    p.wt = s.text(weightOf(s, An), keepingDecimals(resultStep(&SectionProperties::wt, shape)));

    const Term I_ =
        s.step(I, fromMillimetres(s, 0.0001, pi / 64 * (fourthPower(D) - fourthPower(Di))));
    p.ixx = s.text(I_, resultStep(&SectionProperties::ixx, shape));
    p.iyy = s.text(I_, resultStep(&SectionProperties::iyy, shape));
    // I in cm^4 over D in cm (or both in inches).
    const Term Z_ = s.step(Z, s.divide(2 * I_, fromMillimetres(s, 0.1, D)));
    p.zxx = s.text(Z_, resultStep(&SectionProperties::zxx, shape));
    p.zyy = s.text(Z_, resultStep(&SectionProperties::zyy, shape));
    const Term r_ = s.step(r, s.squareRoot(s.divide(I_, area)));
    p.rxx = s.text(r_, resultStep(&SectionProperties::rxx, shape));
    p.ryy = s.text(r_, resultStep(&SectionProperties::ryy, shape));

    const Term J_ = s.result(2 * I_, resultStep(&SectionProperties::j, shape), p.j).value;
    p.c = s.text(s.divide(2 * J_, fromMillimetres(s, 0.1, D)),
                 resultStep(&SectionProperties::c, shape));
    p.sa = s.text(surfaceOf(s, pi * D), resultStep(&SectionProperties::sa, shape));

    const Term Zp_ = s.step(Zp, fromMillimetres(s, 0.001, (cube(D) - cube(Di)) / 6));
    z.zpx = s.text(Zp_, resultStep(&PlasticModuli::zpx, shape));
    z.zpy = s.text(Zp_, resultStep(&PlasticModuli::zpy, shape));
    results.values = metricValuesOf(
        {area.value, I_.value, I_.value, Z_.value, Z_.value, Zp_.value, Zp_.value}, s.worksIn());
    return s.finish(std::move(results));
}

} // namespace kavrel
