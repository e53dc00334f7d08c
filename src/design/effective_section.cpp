#include "design/design_steps.hpp"

namespace kavrel::design {
namespace {

// The reduction factor rho of a wall wholly in compression (psi = 1, k_sigma of the code), its
// lost part taken from the middle of the wall.
Term reduction(Context& c, std::string_view wall, Term ratio) {
    const std::string clause = " (" + std::string(c.code.clauses.effectiveWidth) + ")";
    const Term kSigma = c.s.symbol(c.code.kSigma, "ksigma");
    const Term lp =
        c.s.step({c.kept([&] { return std::string("lp" + std::string(wall)); }), c.kept([&] {
                      return std::string(
                          "plate slenderness of the walls along the " +
                          std::string(wall == "D" ? "depth" : "width") +
                          ", (c/t) / (28.4 eps sqrt(ksigma)), ksigma = 4 for psi = 1" + clause);
                  }),
                  ""},
                 c.s.divide(ratio, c.code.plateFactor * c.eps * c.s.squareRoot(kSigma)));
    const Term psi = c.s.symbol(1.0, "psi");
    const Term limit =
        c.s.step({"lpLim", c.kept([&] {
                      return std::string(
                          "the limit of a whole wall, 0.5 + sqrt(0.085 - 0.055 psi)" + clause);
                  }),
                  ""},
                 0.5 + c.s.squareRoot(0.085 - 0.055 * psi));
    const StepName rho{c.kept([&] { return std::string("rho" + std::string(wall)); }), c.kept([&] {
                           return std::string(
                               "reduction factor, 1 for lp up to the limit, else (lp - 0.055 (3 + "
                               "psi)) / lp^2, at most 1" +
                               clause);
                       }),
                       ""};
    if (lp.value <= limit.value) {
        return c.s.step(rho, 1.0);
    }
    const Term reduced = c.s.divide(lp - 0.055 * (3 + psi), square(lp));
    return c.s.step(rho, reduced.value > 1 ? Term(1.0) : reduced);
}

// Weff about one axis: the compression flange (flat width cf, factor rho) effective, the
// webs whole; `depth` is the section's extent across the axis, I its second moment (cm^4).
Term effectiveModulus(Context& c, std::string_view axis, Term cf, Term rho, Term depth, Term I) {
    const std::string on = " about " + std::string(axis) + "-" + std::string(axis);
    const std::string clause = " (" + std::string(c.code.clauses.effectiveWidth) + ")";
    const Term lost = c.s.step(
        {c.kept([&] { return std::string("dA" + std::string(axis)); }),
         c.kept([&] { return std::string("the flange's lost part, (1 - rho) c t" + on); }), "mm^2"},
        (1 - rho) * cf * c.t);
    const Term a = c.s.step(
        {c.kept([&] { return std::string("a" + std::string(axis)); }), c.kept([&] {
             return std::string("distance of the flange's mid-plane from the gross axis" + on);
         }),
         "mm"},
        (depth - c.t) / 2);
    const Term area = c.s.step(
        {c.kept([&] { return std::string("Ae" + std::string(axis)); }),
         c.kept([&] { return std::string("area with the flange effective" + on); }), "mm^2"},
        100 * c.A - lost);
    const Term e = c.s.step(
        {c.kept([&] { return std::string("e" + std::string(axis)); }),
         c.kept([&] { return std::string("shift of the neutral axis away from the flange" + on); }),
         "mm"},
        c.s.divide(lost * a, area));
    const Term ieff = c.s.step(
        {c.kept([&] { return std::string("Ieff" + std::string(axis)); }), c.kept([&] {
             return std::string(
                 "second moment of the effective section about its own axis: the gross one less "
                 "the lost part's (a^2 and its own t^2/12 terms), less the shift's" +
                 clause);
         }),
         "mm^4"},
        10000 * I - lost * (square(a) + square(c.t) / 12) - area * square(e));
    const Term zmax =
        c.s.step({c.kept([&] { return std::string("zmax" + std::string(axis)); }), c.kept([&] {
                      return std::string("largest distance from the new axis to an extreme fibre");
                  }),
                  "mm"},
                 depth / 2 + e);
    return 0.001 * c.s.divide(ieff, zmax);
}

} // namespace

EffectiveSection effectiveSection(Context& c, const Classes& classes, DesignResults& out) {
    EffectiveSection effective;
    const bool compression = classes.n == 4;
    // A modulus whose webs are slender has no effective width rule here.
    const bool aboutX = classes.mx == 4 && !classes.webSlenderX;
    const bool aboutY = classes.my == 4 && !classes.webSlenderY;
    if (c.circular() || (!compression && !aboutX && !aboutY)) {
        return effective;
    }
    c.s.part(c.kept([&] {
        return std::string("Effective section of class 4 (" +
                           std::string(c.code.clauses.effectiveWidth) +
                           ", internal parts in compression)");
    }));
    std::optional<Term> rhoD, rhoB;
    const auto rhoOfDepth = [&] {
        if (!rhoD) {
            rhoD = reduction(c, "D", classes.ratioD);
        }
        return *rhoD;
    };
    const auto rhoOfWidth = [&] {
        if (!rhoB) {
            rhoB = reduction(c, "B", classes.ratioB);
        }
        return *rhoB;
    };
    if (compression) {
        const Term lostD = (1 - rhoOfDepth()) * classes.cD * c.t;
        const Term lostB = (1 - rhoOfWidth()) * classes.cB * c.t;
        effective.aeff = c.shown(c.A - 0.01 * (2 * lostD + 2 * lostB),
                                 {"Aeff", "effective area, every wall in compression", "cm^2"},
                                 Pattern::Int4Dec2, out.aeff);
    }
    if (aboutX) {
        effective.weffx = c.shown(effectiveModulus(c, "x", classes.cB, rhoOfWidth(), c.D, c.Ixx),
                                  {"Weffx",
                                   "effective elastic modulus about x-x, Ieff / zmax: the walls "
                                   "along the width the compression flange, the webs whole",
                                   "cm^3"},
                                  Pattern::Int6Dec2, out.weffx);
    }
    if (aboutY) {
        effective.weffy = c.shown(effectiveModulus(c, "y", classes.cD, rhoOfDepth(), c.B, c.Iyy),
                                  {"Weffy",
                                   "effective elastic modulus about y-y, Ieff / zmax: the walls "
                                   "along the depth the compression flange, the webs whole",
                                   "cm^3"},
                                  Pattern::Int6Dec2, out.weffy);
    }
    return effective;
}

} // namespace kavrel::design
