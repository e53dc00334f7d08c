#include "design/design_columns.hpp"
#include "design/design_steps.hpp"
#include "properties/number_text.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <numbers>
#include <span>
#include <tuple>
#include <utility>

// IS 800:2007's classes and resistances of a hollow section. The limits of Table 2 are the
// code's data (is800.cpp); what is IS 800's own and has no place in the EN rules is here.
namespace kavrel::design {
namespace {

constexpr std::string_view table2 = "IS 800:2007, Table 2";
constexpr std::string_view tensionClause = "IS 800:2007, 6.2";
constexpr std::string_view slendernessClause = "IS 800:2007, Table 3";
// Table 2: a hollow section in axial compression is at best semi-compact, its walls within
// 42 eps and a tube's D/t within 88 eps^2.
constexpr double wallAxialLimit = 42;
constexpr double tubeAxialLimit = 88;
// 8.2.1.2: Md of a simply supported beam at most 1.2 Ze fy / gm0.
constexpr double elasticCap = 1.2;
// Table 3: the largest KL/r of a member carrying compression from dead and imposed loads.
constexpr double slendernessLimit = 180;
// The clear width of IS 800 Fig. 2, as Indian practice takes it for tubes.
constexpr FlatWidth defaultFlatWidth = FlatWidth::TwoT;
constexpr std::string_view slenderWords =
    "slender: IS 800 7.3.2's effective area is not given here";

std::string number(double x) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, x).ptr;
    return {buffer, end};
}

std::string clause(std::string_view where) {
    return " (" + std::string(where) + ")";
}

std::string_view wordOf(const Context& c, int k) {
    const auto& words = c.code.classWords ? *c.code.classWords : *is800.classWords;
    return words[static_cast<std::size_t>(k - 1)];
}

// A limit of one class (1 plastic, 2 compact, 3 semi-compact) as recorded.
struct Limit {
    int klass;
    Term value;
};

// The limits of a row of Table 2, each `factor` times `scale` (eps or eps^2).
std::vector<Limit> limits(Context& c, std::string_view prefix, std::string_view row,
                          std::span<const std::pair<int, double>> factors, Term scale,
                          std::string_view scaleText) {
    std::vector<Limit> out;
    for (const auto& [boundClass, boundFactor] : factors) {
        // Named copies: clang 14 lets no lambda capture a structured binding.
        const int klass = boundClass;
        const double factor = boundFactor;
        const StepName name{
            c.kept([&] { return std::string(std::string(prefix) + std::to_string(klass)); }),
            c.kept([&] {
                return std::string("limit of " + std::string(wordOf(c, klass)) + ", " +
                                   number(factor) + " " + std::string(scaleText) + ": " +
                                   std::string(row) + clause(table2));
            }),
            ""};
        out.push_back({klass, c.s.step(name, factor * scale)});
    }
    return out;
}

std::vector<Limit> limits(Context& c, std::string_view prefix, std::string_view row,
                          const ClassLimits& factors, Term scale, std::string_view scaleText) {
    const std::pair<int, double> all[] = {{1, factors[0]}, {2, factors[1]}, {3, factors[2]}};
    return limits(c, prefix, row, all, scale, scaleText);
}

// The first class whose limit the ratio does not exceed, else slender; compared unrounded, so
// that a ratio equal to a limit is in the better class.
int classOf(double ratio, std::span<const Limit> limits) {
    for (const Limit& limit : limits) {
        if (ratio <= limit.value.value) {
            return limit.klass;
        }
    }
    return 4;
}

void recordClass(Context& c, std::string_view name, std::string_view meaning, int k,
                 DesignValue& into) {
    c.s.step({name, c.kept([&] {
                  return std::string(std::string(meaning) + ": " + std::string(wordOf(c, k)));
              }),
              ""},
             Term(static_cast<double>(k)));
    into.value = k;
    into.text = wordOf(c, k);
}

// A part's ratio against the limit that placed it, "b/t 28.00 <= 29.30: plastic", or against
// the last one, "b/t 43.00 > 42.00: slender"; for the sheet, compared unrounded as classOf.
std::string against(const Context& c, std::string_view ratioName, Term ratio,
                    std::span<const Limit> limits) {
    const int k = classOf(ratio.value, limits);
    const auto two = [](double x) { return formatResult(x, Pattern::Int4Dec2); };
    const std::string head = std::string(ratioName) + " " + two(ratio.value);
    if (k == 4) {
        return head + " > " + two(limits.back().value.value) + ": slender";
    }
    const auto placed = std::ranges::find(limits, k, &Limit::klass);
    return head + " <= " + two(placed->value.value) + ": " + std::string(wordOf(c, k));
}

// Each wall's flat width by the rule asked for, IS 800's own where none is.
std::pair<Term, Term> flatWidths(Context& c) {
    switch (c.request.flatWidth.value_or(defaultFlatWidth)) {
    case FlatWidth::ThreeT:
        return {
            c.s.step({"d", "width of the walls along the depth, D - 3t (flat width rule 3t)", "mm"},
                     c.D - 3 * c.t),
            c.s.step({"b", "width of the walls along the width, B - 3t (flat width rule 3t)", "mm"},
                     c.B - 3 * c.t)};
    case FlatWidth::Corners: {
        // The IS geometry's inner corner radius is t.
        const Term ri = c.s.step({"ri", "inner corner radius of the IS geometry, t", "mm"}, c.t);
        return {c.s.step({"d",
                          "width of the walls along the depth, the straight part of the inside "
                          "face, D - 2t - 2ri (flat width rule corners)",
                          "mm"},
                         c.D - 2 * c.t - 2 * ri),
                c.s.step({"b",
                          "width of the walls along the width, B - 2t - 2ri (flat width rule "
                          "corners)",
                          "mm"},
                         c.B - 2 * c.t - 2 * ri)};
    }
    case FlatWidth::TwoT:
        break;
    }
    return {c.s.step({"d",
                      "width of the walls along the depth, D - 2t, the clear width of IS 800 "
                      "Fig. 2 (flat width rule 2t)",
                      "mm"},
                     c.D - 2 * c.t),
            c.s.step({"b", "width of the walls along the width, B - 2t (flat width rule 2t)", "mm"},
                     c.B - 2 * c.t)};
}

Classes rectangular(Context& c, DesignResults& out) {
    Classes k;
    std::tie(k.cD, k.cB) = flatWidths(c);
    k.ratioD = c.shown(c.s.divide(k.cD, c.t), {"cD_t", "d/t of the walls along the depth", ""},
                       Pattern::Int4Dec2, out.cD_t);
    k.ratioB = c.shown(c.s.divide(k.cB, c.t), {"cB_t", "b/t of the walls along the width", ""},
                       Pattern::Int4Dec2, out.cB_t);
    const auto flange = limits(c, "lf", "internal element of a compression flange, b/t",
                               c.code.internalCompression, c.eps, "eps");
    const auto web = limits(c, "lw", "web, neutral axis at mid-depth, d/t", c.code.internalBending,
                            c.eps, "eps");
    const std::pair<int, double> axialFactor[] = {{3, wallAxialLimit}};
    const auto axial = limits(c, "la", "axial compression, every wall", axialFactor, c.eps, "eps");

    k.n = std::max(classOf(k.ratioD.value, axial), classOf(k.ratioB.value, axial));
    // About x-x the walls along the width are the compression flange, those along the depth
    // the webs; about y-y the roles swap.
    k.mx = std::max(classOf(k.ratioB.value, flange), classOf(k.ratioD.value, web));
    k.my = std::max(classOf(k.ratioD.value, flange), classOf(k.ratioB.value, web));
    k.webSlenderX = classOf(k.ratioD.value, web) == 4;
    k.webSlenderY = classOf(k.ratioB.value, web) == 4;
    recordClass(c, "classN", c.kept([&] {
        return "class in axial compression, the worse wall (" + against(c, "d/t", k.ratioD, axial) +
               "; " + against(c, "b/t", k.ratioB, axial) + ")";
    }),
                *k.n, out.classN);
    recordClass(c, "classMx", c.kept([&] {
        return "class in bending about x-x, the worse of the compression flange (" +
               against(c, "b/t", k.ratioB, flange) + ") and the webs (" +
               against(c, "d/t", k.ratioD, web) + ")";
    }),
                *k.mx, out.classMx);
    recordClass(c, "classMy", c.kept([&] {
        return "class in bending about y-y, the worse of the compression flange (" +
               against(c, "d/t", k.ratioD, flange) + ") and the webs (" +
               against(c, "b/t", k.ratioB, web) + ")";
    }),
                *k.my, out.classMy);
    return k;
}

Classes tube(Context& c, DesignResults& out) {
    Classes k;
    const Term eps2 =
        c.s.step({"eps2", c.kept([&] {
                      return std::string("epsilon squared, " + number(c.code.fyReference) + "/fy");
                  }),
                  ""},
                 c.s.divide(c.code.fyReference, c.fy));
    const Term ratio = c.shown(c.s.divide(c.D, c.t), {"D_t", "diameter to thickness ratio D/t", ""},
                               Pattern::Int4Dec2, out.D_t);
    const auto moment = limits(c, "lm", "circular hollow tube subjected to moment, D/t",
                               c.code.tube, eps2, "eps^2");
    const std::pair<int, double> axialFactor[] = {{3, tubeAxialLimit}};
    const auto axial = limits(c, "la", "circular hollow tube subjected to axial compression, D/t",
                              axialFactor, eps2, "eps^2");
    k.ratioD = k.ratioB = ratio;
    k.n = classOf(ratio.value, axial);
    k.mx = k.my = classOf(ratio.value, moment);
    recordClass(c, "classN", c.kept([&] {
        return "class in axial compression (" + against(c, "D/t", ratio, axial) + ")";
    }),
                *k.n, out.classN);
    for (const auto& [boundName, into] :
         {std::pair{"classMx", &out.classMx}, {"classMy", &out.classMy}}) {
        const char* const name = boundName; // captured below, which clang 14 refuses a binding
        recordClass(c, name, c.kept([&] {
            return std::string("class in bending about ") + name[6] + "-" + name[6] + " (" +
                   against(c, "D/t", ratio, moment) + ")";
        }),
                    *k.mx, *into);
    }
    return k;
}

// A resistance that a slender section does not get, said where it would be, with the ratio
// that made it slender.
void slender(Context& c, std::string_view column, std::string_view what, Term ratio) {
    c.s.step({c.kept([&] { return std::string("no" + std::string(column)); }), c.kept([&] {
                  return std::string("no " + std::string(column) + ": " + std::string(what) +
                                     " is above the limit of semi-compact; " +
                                     std::string(slenderWords));
              }),
              ""},
             ratio);
}

// The ratio that makes a case slender: the worse wall's, or a tube's D/t.
Term worse(Term x, Term y) {
    return y.value > x.value ? y : x;
}

// Md about one axis (8.2.1.2), laterally supported and with shear not high.
void bending(Context& c, std::string_view axis, int klass, Term ratio, Term zp, Term ze,
             DesignValue& into) {
    const std::string a(axis);
    const std::string name = "McRd" + a;
    const std::string where = clause(c.code.clauses.bending);
    if (klass == 4) {
        slender(c, name, "in bending about " + a + "-" + a + ", the ratio", ratio);
        return;
    }
    const Term betaB = c.s.step(
        {c.kept([&] { return std::string("bb" + a); }), c.kept([&] {
             return std::string(klass <= 2 ? "beta_b, 1 for a plastic or compact section" + where
                                           : "beta_b, Ze/Zp for a semi-compact section, Z" + a + a +
                                                 " / Zp" + a + where);
         }),
         ""},
        klass <= 2 ? Term(1.0) : c.s.divide(ze, zp));
    const Term plastic = c.s.step(
        {c.kept([&] { return std::string("Mdb" + a); }), c.kept([&] {
             return std::string("design bending strength by the plastic modulus, beta_b Zp" + a +
                                " fy / gm0" + where);
         }),
         "kNm"},
        0.001 * c.s.divide(betaB * zp * c.fy, c.gM0));
    const Term cap =
        c.s.step({c.kept([&] { return std::string("Mde" + a); }), c.kept([&] {
                      return std::string("the limit of a simply supported beam, 1.2 Z" + a + a +
                                         " fy / gm0" + where);
                  }),
                  "kNm"},
                 0.001 * c.s.divide(elasticCap * ze * c.fy, c.gM0));
    const bool capped = cap.value < plastic.value;
    c.shown(capped ? cap : plastic,
            {c.kept([&] { return std::string(name); }), c.kept([&] {
                 return std::string(
                     "design bending strength about " + a + "-" + a +
                     ", laterally supported, shear not high: the smaller of Mdb" + a + " and Mde" +
                     a + "; " +
                     (capped ? "1.2 Ze fy / gm0 governs" : "beta_b Zp fy / gm0 governs") + where);
             }),
             "kNm"},
            Pattern::Dec1, into);
}

// Vd = Av fy / (sqrt(3) gm0) along each axis (8.4), Av of a hollow section as 8.4 gives it.
void shear(Context& c, DesignResults& out) {
    const std::string where = clause(c.code.clauses.shear);
    Term avx = 0, avy = 0;
    if (c.circular()) {
        const Term pi = c.s.symbol(std::numbers::pi, "pi");
        avx = avy = c.s.step(
            {"Av",
             c.kept([&] { return std::string("shear area of a circular tube, 2A / pi" + where); }),
             "cm^2"},
            c.s.divide(2 * c.A, pi));
    } else {
        avx = c.s.step({"Avx", c.kept([&] {
                            return std::string("shear area along the depth, A D / (B + D)" + where);
                        }),
                        "cm^2"},
                       c.s.divide(c.A * c.D, c.B + c.D));
        avy = c.s.step({"Avy", c.kept([&] {
                            return std::string("shear area along the width, A B / (B + D)" + where);
                        }),
                        "cm^2"},
                       c.s.divide(c.A * c.B, c.B + c.D));
    }
    const Term root3 = c.s.squareRoot(3);
    c.shown(0.1 * c.s.divide(avx * c.fy, root3 * c.gM0),
            {"VplRdx", c.kept([&] {
                 return std::string(
                     "design shear strength along the depth, with bending about x-x, Av fy / "
                     "(sqrt(3) gm0)" +
                     where);
             }),
             "kN"},
            Pattern::Dec1, out.vplRdx);
    c.shown(0.1 * c.s.divide(avy * c.fy, root3 * c.gM0),
            {"VplRdy", c.kept([&] {
                 return std::string(
                     "design shear strength along the width, with bending about y-y, Av fy / "
                     "(sqrt(3) gm0)" +
                     where);
             }),
             "kN"},
            Pattern::Dec1, out.vplRdy);
}

// Pd = A fcd about one axis (7.1.2, 7.1.2.1); I in cm^4, KL in mm.
Term bucklingAbout(Context& c, std::string_view axis, Term I, Term KL, Term alpha,
                   const std::string& name, DesignValue& into) {
    const std::string a(axis);
    const std::string where = clause(c.code.clauses.buckling);
    const Term pi = c.s.symbol(std::numbers::pi, "pi");
    const Term E = c.s.symbol(c.code.youngsModulus, "E");
    const Term r = c.s.step(
        {c.kept([&] { return std::string("r" + a); }),
         c.kept([&] { return std::string("radius of gyration, sqrt(I" + a + a + " / A)"); }), "mm"},
        10 * c.s.squareRoot(c.s.divide(I, c.A)));
    // Table 3's limit is said, not applied: the resistance stands whatever KL/r is.
    const Term ratio = c.s.divide(KL, r);
    const bool overLimit = ratio.value > slendernessLimit;
    const Term slenderness = c.s.step(
        {c.kept([&] { return std::string("KLr" + a); }), c.kept([&] {
             return std::string(
                 "effective slenderness ratio about " + a + "-" + a + ", KL / r" + a +
                 (overLimit ? ": above 180, the limit of a member carrying compression" +
                                  clause(slendernessClause) + "; the resistance is still given"
                            : ""));
         }),
         ""},
        ratio);
    // 7.1.2.1: lambda = sqrt(fy / fcc), fcc = pi^2 E / (KL/r)^2; phi; fcd at most fy / gm0.
    const Term lambda =
        c.s.step({c.kept([&] { return std::string("lam" + a); }), c.kept([&] {
                      return std::string(
                          "non-dimensional slenderness, sqrt(fy (KL/r)^2 / (pi^2 E))" + where);
                  }),
                  ""},
                 c.s.squareRoot(c.s.divide(c.fy * square(slenderness), square(pi) * E)));
    const Term phi =
        c.s.step({c.kept([&] { return std::string("phi" + a); }), c.kept([&] {
                      return std::string(
                          "the curve's value phi, 0.5 (1 + alpha (lam - 0.2) + lam^2)" + where);
                  }),
                  ""},
                 0.5 * (1 + alpha * (lambda - 0.2) + square(lambda)));
    const Term yieldStress = c.s.divide(c.fy, c.gM0);
    const Term raw = c.s.divide(yieldStress, phi + c.s.squareRoot(square(phi) - square(lambda)));
    const Term fcd = c.s.step({c.kept([&] { return std::string("fcd" + a); }), c.kept([&] {
                                   return std::string(
                                       "design compressive stress, (fy / gm0) / (phi + sqrt(phi^2 "
                                       "- lam^2)), at most fy / gm0" +
                                       where);
                               }),
                               "N/mm^2"},
                              raw.value > yieldStress.value ? yieldStress : raw);
    return c.shown(0.1 * (c.A * fcd),
                   {c.kept([&] { return std::string(name); }), c.kept([&] {
                        return std::string("design compressive strength about " + a + "-" + a +
                                           ", A fcd" + clause("IS 800:2007, 7.1.2"));
                    }),
                    "kN"},
                   Pattern::Dec1, into);
}

void buckling(Context& c, const Classes& k, DesignResults& out) {
    const FormingRoute route =
        c.request.forming.value_or(productStandardOf(c.section.catalogue)->route);
    // Table 10 gives the class by forming route, Table 7 its alpha; the grade chooses none.
    const BucklingCurve curve = c.code.curveOf(route, c.request.grade.value_or(isGrades.front()));
    const std::string routeWords =
        route == FormingRoute::HotFinished
            ? "hot rolled (--forming hot)"
            : std::string("cold formed (--forming cold") + (c.request.forming ? ")"
                                                                              : ", the "
                                                                                "default where "
                                                                                "the route is "
                                                                                "not known)");
    for (const BucklingLength& length : c.request.lengths) {
        BucklingResults& b = out.buckling.emplace_back();
        c.s.part(c.kept([&] {
            return std::string("Flexural buckling at KL = " + length.text + " m" +
                               clause(c.code.clauses.buckling));
        }));
        const Term KL = c.s.step({"KL", "effective length", "mm"}, 1000 * length.metres);
        if (*k.n == 4) {
            slender(c, bucklingColumnName(c.request, "NbRd", length),
                    "in axial compression, the worse ratio", worse(k.ratioD, k.ratioB));
            continue;
        }
        const Term alpha =
            c.s.step({"alpha", c.kept([&] {
                          return std::string("imperfection factor of buckling class " +
                                             std::string(curve.name) + ", hollow section " +
                                             routeWords + clause(c.code.clauses.curves));
                      }),
                      ""},
                     curve.alpha);
        const Term x = bucklingAbout(c, "x", c.Ixx, KL, alpha,
                                     bucklingColumnName(c.request, "NbRdx", length), b.nbRdx);
        const Term y = bucklingAbout(c, "y", c.Iyy, KL, alpha,
                                     bucklingColumnName(c.request, "NbRdy", length), b.nbRdy);
        c.shown(y.value < x.value ? y : x,
                {c.kept([&] { return std::string(bucklingColumnName(c.request, "NbRd", length)); }),
                 "design compressive strength, the smaller of the two axes", "kN"},
                Pattern::Dec1, b.nbRd);
    }
}

} // namespace

void is800Work(Context& c, DesignResults& out) {
    c.s.part(c.kept(
        [&] { return std::string("Classification" + clause(c.code.clauses.classification)); }));
    const Classes k = c.circular() ? tube(c, out) : rectangular(c, out);

    c.s.part(c.kept([&] {
        return std::string("Resistances of the cross-section (" + std::string(tensionClause) +
                           ", 7.1.2, 8.2.1.2 and 8.4)");
    }));
    // 6.2: Tdg = Ag fy / gm0, yielding of the gross section, for every class.
    c.shown(0.1 * c.s.divide(c.A * c.fy, c.gM0),
            {"TdRd", c.kept([&] {
                 return std::string(
                     "design strength in tension, yielding of the gross section, Tdg = A fy / gm0" +
                     clause(tensionClause));
             }),
             "kN"},
            Pattern::Dec1, out.tdRd);
    // 7.1.2: Pd = Ae fcd with fcd at most fy / gm0, so a semi-compact section's squash load is
    // A fy / gm0; a slender one's Ae (7.3.2) is not given here.
    if (*k.n == 4) {
        slender(c, "NcRd", "in axial compression, the worse ratio", worse(k.ratioD, k.ratioB));
    } else {
        c.shown(0.1 * c.s.divide(c.A * c.fy, c.gM0),
                {"NcRd", c.kept([&] {
                     return std::string(
                         "design squash load of a semi-compact section, A fy / gm0, fcd being at "
                         "most fy / gm0" +
                         clause(c.code.clauses.compression));
                 }),
                 "kN"},
                Pattern::Dec1, out.ncRd);
    }
    // The ratio of the part that is slender: the webs' when they are, else the flange's.
    bending(c, "x", *k.mx, k.webSlenderX ? k.ratioD : k.ratioB, c.Zpx, c.Zxx, out.mcRdx);
    bending(c, "y", *k.my, k.webSlenderY ? k.ratioB : k.ratioD, c.Zpy, c.Zyy, out.mcRdy);
    shear(c, out);
    buckling(c, k, out);
}

} // namespace kavrel::design
