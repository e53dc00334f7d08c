#include "design/design_columns.hpp"
#include "design/design_steps.hpp"

#include <numbers>

namespace kavrel::design {
namespace {

std::string clause(std::string_view where) {
    return " (" + std::string(where) + ")";
}

// Mc,Rd about one axis with the modulus its class gives; none when its webs are class 4.
void bending(Context& c, std::string_view axis, std::optional<int> klass, bool slenderWebs,
             Term webRatio, Term wpl, Term wel, std::optional<Term> weff, DesignValue& into) {
    const std::string a(axis);
    if (slenderWebs || !klass) {
        // EN 1993-1-5, 4.4 is applied here to walls in compression only.
        c.s.step({c.kept([&] { return std::string("webs" + a); }), c.kept([&] {
                      return std::string(
                          "c/t of the webs in bending about " + a + "-" + a +
                          ", above the limit of class 3: McRd" + a +
                          " is not computed (effective webs in bending are not covered here)");
                  }),
                  ""},
                 webRatio);
        return;
    }
    const Term W = *klass <= 2 ? wpl : *klass == 3 ? wel : *weff;
    const auto which = [&] {
        return *klass <= 2   ? "Wpl = Zp" + a + " (class 1 or 2)"
               : *klass == 3 ? "Wel = Z" + a + a + " (class 3)"
                             : "Weff" + a + " (class 4)";
    };
    c.shown(0.001 * c.s.divide(W * c.fy, c.gM0),
            {c.kept([&] { return std::string("McRd" + a); }), c.kept([&] {
                 return std::string("design resistance in bending about " + a + "-" + a +
                                    ", W fy / gM0 with " + which() +
                                    clause(c.code.clauses.bending));
             }),
             "kNm"},
            Pattern::Dec1, into);
}

void shear(Context& c, DesignResults& out) {
    const auto where = [&c] { return clause(c.code.clauses.shear); };
    const auto areaClause = [&c] { return clause(c.code.clauses.shearArea); };
    Term avx = 0, avy = 0;
    if (c.circular()) {
        const Term pi = c.s.symbol(std::numbers::pi, "pi");
        avx = avy = c.s.step(
            {"Av",
             c.kept([&] { return std::string("shear area of a tube, 2A / pi" + areaClause()); }),
             "cm^2"},
            c.s.divide(2 * c.A, pi));
    } else {
        avx = c.s.step({"Avx", c.kept([&] {
                            return std::string("shear area along the depth, A D / (B + D)" +
                                               areaClause());
                        }),
                        "cm^2"},
                       c.s.divide(c.A * c.D, c.B + c.D));
        avy = c.s.step({"Avy", c.kept([&] {
                            return std::string("shear area along the width, A B / (B + D)" +
                                               areaClause());
                        }),
                        "cm^2"},
                       c.s.divide(c.A * c.B, c.B + c.D));
    }
    const Term root3 = c.s.squareRoot(3);
    c.shown(0.1 * c.s.divide(avx * c.s.divide(c.fy, root3), c.gM0),
            {"VplRdx", c.kept([&] {
                 return std::string(
                     "plastic shear resistance along the depth, with bending about x-x, Av (fy / "
                     "sqrt(3)) / gM0" +
                     where());
             }),
             "kN"},
            Pattern::Dec1, out.vplRdx);
    c.shown(0.1 * c.s.divide(avy * c.s.divide(c.fy, root3), c.gM0),
            {"VplRdy", c.kept([&] {
                 return std::string(
                     "plastic shear resistance along the width, with bending about y-y, Av (fy / "
                     "sqrt(3)) / gM0" +
                     where());
             }),
             "kN"},
            Pattern::Dec1, out.vplRdy);
}

Term bucklingAbout(Context& c, std::string_view axis, Term I, Term L, Term area, Term alpha,
                   const std::string& name, DesignValue& into) {
    const std::string a(axis);
    const auto where = [&c] { return clause(c.code.clauses.buckling); };
    const Term pi = c.s.symbol(std::numbers::pi, "pi");
    const Term E = c.s.symbol(c.code.youngsModulus, "E");
    const Term ncr = c.s.step({c.kept([&] { return std::string("Ncr" + a); }), c.kept([&] {
                                   return std::string("elastic critical force about " + a + "-" +
                                                      a + ", pi^2 E I" + a + a + " / L^2" +
                                                      clause(c.code.clauses.criticalForce));
                               }),
                               "kN"},
                              0.001 * c.s.divide(square(pi) * E * (10000 * I), square(L)));
    const Term lambda =
        c.s.step({c.kept([&] { return std::string("lam" + a); }), c.kept([&] {
                      return std::string("non-dimensional slenderness about " + a + "-" + a +
                                         ", sqrt(A fy / Ncr), Aeff for class 4" + where());
                  }),
                  ""},
                 c.s.squareRoot(c.s.divide(0.1 * area * c.fy, ncr)));
    const Term phi =
        c.s.step({c.kept([&] { return std::string("Phi" + a); }), c.kept([&] {
                      return std::string(
                          "the curve's value Phi, 0.5 (1 + alpha (lam - 0.2) + lam^2)" + where());
                  }),
                  ""},
                 0.5 * (1 + alpha * (lambda - 0.2) + square(lambda)));
    const Term raw = c.s.divide(1, phi + c.s.squareRoot(square(phi) - square(lambda)));
    const Term chi =
        c.s.step({c.kept([&] { return std::string("chi" + a); }), c.kept([&] {
                      return std::string("reduction factor, 1 / (Phi + sqrt(Phi^2 - lam^2)), at "
                                         "most 1" +
                                         where());
                  }),
                  ""},
                 raw.value > 1 ? Term(1.0) : raw);
    return c.shown(0.1 * c.s.divide(chi * area * c.fy, c.gM1),
                   {c.kept([&] { return std::string(name); }), c.kept([&] {
                        return std::string("buckling resistance about " + a + "-" + a +
                                           ", chi A fy / gM1" + where());
                    }),
                    "kN"},
                   Pattern::Dec1, into);
}

} // namespace

void resistances(Context& c, const Classes& classes, const EffectiveSection& effective,
                 DesignResults& out) {
    c.s.part(c.kept([&] {
        return std::string("Resistances of the cross-section (" +
                           std::string(c.code.clauses.compression) + " to 6.2.6)");
    }));
    const bool slender = classes.n == 4;
    const Term area = slender ? *effective.aeff : c.A;
    c.shown(0.1 * c.s.divide(area * c.fy, c.gM0),
            {"NcRd", c.kept([&] {
                 return std::string(
                     std::string("design resistance in compression, ") +
                     (slender ? "Aeff fy / gM0 (class 4)" : "A fy / gM0 (classes 1 to 3)") +
                     clause(c.code.clauses.compression));
             }),
             "kN"},
            Pattern::Dec1, out.ncRd);
    bending(c, "x", classes.mx, classes.webSlenderX, classes.ratioD, c.Zpx, c.Zxx, effective.weffx,
            out.mcRdx);
    bending(c, "y", classes.my, classes.webSlenderY, classes.ratioB, c.Zpy, c.Zyy, effective.weffy,
            out.mcRdy);
    shear(c, out);

    const ProductStandard* standard = productStandardOf(c.section.catalogue);
    const BucklingCurve curve = c.code.curveOf(standard->route, *c.request.grade);
    for (const BucklingLength& length : c.request.lengths) {
        c.s.part(c.kept([&] {
            return std::string("Flexural buckling at L = " + length.text + " m (" +
                               std::string(c.code.clauses.buckling) + ")");
        }));
        const Term L = c.s.step({"L", "buckling length", "mm"}, 1000 * length.metres);
        const Term alpha = c.s.step(
            {"alpha", c.kept([&] {
                 return std::string("imperfection factor of buckling curve " +
                                    std::string(curve.name) + ", " +
                                    (standard->route == FormingRoute::HotFinished ? "hot finished"
                                                                                  : "cold formed") +
                                    " " + std::string(gradeName(*c.request.grade)) +
                                    clause(c.code.clauses.curves));
             }),
             ""},
            curve.alpha);
        BucklingResults& b = out.buckling.emplace_back();
        const Term x = bucklingAbout(c, "x", c.Ixx, L, area, alpha,
                                     bucklingColumnName(c.request, "NbRdx", length), b.nbRdx);
        const Term y = bucklingAbout(c, "y", c.Iyy, L, area, alpha,
                                     bucklingColumnName(c.request, "NbRdy", length), b.nbRdy);
        c.shown(y.value < x.value ? y : x,
                {c.kept([&] { return std::string(bucklingColumnName(c.request, "NbRd", length)); }),
                 "buckling resistance, the smaller of the two axes", "kN"},
                Pattern::Dec1, b.nbRd);
    }
}

} // namespace kavrel::design
