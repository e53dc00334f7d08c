#include "design/design_steps.hpp"
#include "properties/rounded_corners.hpp"

#include <numbers>

namespace kavrel::design {

// The window's IS formulas round their shown results and read them back, and take pi as the
// user asks (22/7 by default); the resistances take the same corners (or tube) exactly
// instead, so that a resistance does not depend on how a property is shown.
void exactGeometry(Context& c) {
    c.s.part(c.kept([&] {
        return std::string("Exact geometry for the resistances: ") +
               (c.circular() ? "the annulus" : "corners of outer radius 2t and inner radius t") +
               ", the true pi, no shown text read back, whatever pi the properties above take";
    }));
    SectionValues v;
    if (c.circular()) {
        const Term pi = c.s.symbol(std::numbers::pi, "pi");
        const Term Di = c.s.step({"Di", "inside diameter, D - 2t", "mm"}, c.D - 2 * c.t);
        const Term A = c.s.step({"A", "area of the exact tube, pi t (D - t)", "cm^2"},
                                0.01 * (pi * c.t * (c.D - c.t)));
        const Term I = c.s.step({"I", "second moment of area, pi/64 (D^4 - Di^4)", "cm^4"},
                                0.0001 * (pi / 64 * (fourthPower(c.D) - fourthPower(Di))));
        const Term Z =
            c.s.step({"Z", "elastic modulus, 2I / D", "cm^3"}, c.s.divide(2 * I, 0.1 * c.D));
        const Term Zp = c.s.step({"Zp", "plastic modulus, (D^3 - Di^3) / 6", "cm^3"},
                                 0.001 * ((cube(c.D) - cube(Di)) / 6));
        v = {A.value, I.value, I.value, Z.value, Z.value, Zp.value, Zp.value};
    } else {
        const Term ro = c.s.step({"ro", "outer corner radius, 2t", "mm"}, 2 * c.t);
        const Term ri = c.s.step({"ri", "inner corner radius, t", "mm"}, c.t);
        const ResultsOutcome exact = roundedCornerResults(c.s, c.D, c.B, c.t, ro, ri);
        if (const auto* results = std::get_if<SectionResults>(&exact)) {
            v = results->values;
        }
    }
    c.A = c.s.symbol(v.a, "A");
    c.Ixx = c.s.symbol(v.ixx, "Ixx");
    c.Iyy = c.s.symbol(v.iyy, "Iyy");
    c.Zxx = c.s.symbol(v.zxx, "Zxx");
    c.Zyy = c.s.symbol(v.zyy, "Zyy");
    c.Zpx = c.s.symbol(v.zpx, "Zpx");
    c.Zpy = c.s.symbol(v.zpy, "Zpy");
}

} // namespace kavrel::design
