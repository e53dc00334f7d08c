#include "design/design_steps.hpp"
#include "properties/formula_sets.hpp"

#include <algorithm>
#include <array>
#include <charconv>

namespace kavrel::design {
namespace {

// A factor of the code as written: "33", "28.4".
std::string number(double x) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, x).ptr;
    return {buffer, end};
}

// The class a ratio is in: the first whose limit it does not exceed, else 4. Compared
// unrounded, so that a ratio equal to a limit is in the better class.
int classOf(double ratio, const std::array<Term, 3>& limits) {
    for (int k = 0; k < 3; ++k) {
        if (ratio <= limits[static_cast<std::size_t>(k)].value) {
            return k + 1;
        }
    }
    return 4;
}

// The limits of classes 1 to 3 of a kind of part, each recorded as `factor` times `eps`.
std::array<Term, 3> limits(Context& c, std::string_view prefix, std::string_view part,
                           const ClassLimits& factors, Term eps, std::string_view epsText) {
    std::array<Term, 3> out{0, 0, 0};
    for (std::size_t k = 0; k < 3; ++k) {
        const StepName name{
            c.kept([&] { return std::string(std::string(prefix) + std::to_string(k + 1)); }),
            c.kept([&] {
                return std::string("limit of class " + std::to_string(k + 1) + " of " +
                                   std::string(part) + ", " + number(factors[k]) + " " +
                                   std::string(epsText) + " (" +
                                   std::string(c.code.clauses.classification) + ")");
            }),
            ""};
        out[k] = c.s.step(name, factors[k] * eps);
    }
    return out;
}

// The class of a case, recorded as a step; its text is the whole number.
void recordClass(Context& c, std::string_view name, std::string_view meaning, int value,
                 DesignValue& into) {
    c.s.step({name, meaning, ""}, Term(static_cast<double>(value)));
    into.value = value;
    into.text = std::to_string(value);
}

Classes tube(Context& c, DesignResults& out) {
    Classes classes;
    const Term eps2 =
        c.s.step({"eps2", "epsilon squared, 235/fy", ""}, c.s.divide(c.code.fyReference, c.fy));
    const Term ratio = c.shown(c.s.divide(c.D, c.t), {"D_t", "diameter to thickness ratio D/t", ""},
                               Pattern::Int4Dec2, out.D_t);
    const auto tubeLimits = limits(c, "lt", "a tube, D/t", c.code.tube, eps2, "eps^2");
    const int k = classOf(ratio.value, tubeLimits);
    if (k == 4) {
        // Beyond class 3 a tube's local buckling is a shell's, outside this code.
        c.s.part(c.kept([&] {
            return std::string(
                "D/t is above the limit of class 3: the tube is outside " +
                std::string(c.code.name) +
                " (its local buckling is shell buckling, EN 1993-1-6): no class and no "
                "resistances");
        }));
        c.s.step({"D_t", "diameter to thickness ratio, outside the limits", ""}, ratio);
        return classes;
    }
    recordClass(c, "classN", "class in compression", k, out.classN);
    recordClass(c, "classMx", "class in bending about x-x", k, out.classMx);
    recordClass(c, "classMy", "class in bending about y-y", k, out.classMy);
    classes.n = classes.mx = classes.my = k;
    return classes;
}

Classes rectangular(Context& c, DesignResults& out) {
    Classes classes;
    const bool corners = c.request.flatWidth.value_or(FlatWidth::ThreeT) == FlatWidth::Corners;
    if (corners) {
        const auto radii =
            cornerRadiiOf(formulaSetOf(c.section.catalogue, c.section.family), c.section.thickness);
        const Term ri = c.s.step({"ri", "inner corner radius of the catalogue's geometry", "mm"},
                                 radii ? radii->inner : 0.0);
        classes.cD = c.s.step({"cD",
                               "flat width of the walls along the depth, the straight part of "
                               "the inside face, D - 2t - 2ri (flat width rule corners)",
                               "mm"},
                              c.D - 2 * c.t - 2 * ri);
        classes.cB = c.s.step({"cB",
                               "flat width of the walls along the width, B - 2t - 2ri (flat "
                               "width rule corners)",
                               "mm"},
                              c.B - 2 * c.t - 2 * ri);
    } else {
        classes.cD = c.s.step(
            {"cD", "flat width of the walls along the depth, D - 3t (flat width rule 3t)", "mm"},
            c.D - 3 * c.t);
        classes.cB = c.s.step(
            {"cB", "flat width of the walls along the width, B - 3t (flat width rule 3t)", "mm"},
            c.B - 3 * c.t);
    }
    classes.ratioD =
        c.shown(c.s.divide(classes.cD, c.t), {"cD_t", "c/t of the walls along the depth", ""},
                Pattern::Int4Dec2, out.cD_t);
    classes.ratioB =
        c.shown(c.s.divide(classes.cB, c.t), {"cB_t", "c/t of the walls along the width", ""},
                Pattern::Int4Dec2, out.cB_t);
    const auto compression = limits(c, "lc", "an internal part in compression",
                                    c.code.internalCompression, c.eps, "eps");
    const auto bending =
        limits(c, "lb", "an internal part in bending", c.code.internalBending, c.eps, "eps");

    const int depthInCompression = classOf(classes.ratioD.value, compression);
    const int widthInCompression = classOf(classes.ratioB.value, compression);
    const int depthAsWeb = classOf(classes.ratioD.value, bending);
    const int widthAsWeb = classOf(classes.ratioB.value, bending);
    classes.n = std::max(depthInCompression, widthInCompression);
    // About x-x the walls along the width are the compression flange, those along the depth
    // the webs; about y-y the roles swap.
    classes.mx = std::max(widthInCompression, depthAsWeb);
    classes.my = std::max(depthInCompression, widthAsWeb);
    classes.webSlenderX = depthAsWeb == 4;
    classes.webSlenderY = widthAsWeb == 4;
    recordClass(c, "classN", "class in compression: the worse of the walls, all in compression",
                *classes.n, out.classN);
    recordClass(c, "classMx",
                "class in bending about x-x: the worse of the flange (walls along the width, "
                "in compression) and the webs (walls along the depth, in bending)",
                *classes.mx, out.classMx);
    recordClass(c, "classMy",
                "class in bending about y-y: the worse of the flange (walls along the depth, "
                "in compression) and the webs (walls along the width, in bending)",
                *classes.my, out.classMy);
    return classes;
}

} // namespace

Classes classify(Context& c, DesignResults& out) {
    c.s.part(c.kept([&] {
        return std::string("Cross-section class (" + std::string(c.code.clauses.classification) +
                           ")");
    }));
    return c.circular() ? tube(c, out) : rectangular(c, out);
}

} // namespace kavrel::design
