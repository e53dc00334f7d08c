#pragma once

#include "properties/step_names.hpp"
#include "properties/steps.hpp"

namespace kavrel {

// The constants of the formulas that are not pure numbers, in the units the steps are worked
// in. In mm a formula takes its result to cm^2, cm^4, cm^3 or cm by the factor written in it
// (0.01 from mm^2 to cm^2); worked in inches its value is in in^2, in^4, in^3 or in already.
inline Term fromMillimetres(const Steps& s, double factor, Term x) {
    return s.worksIn() == UnitSystem::US ? x : factor * x;
}

// An outer perimeter as the surface of a length of section: m^2 per m from mm, ft^2 per ft
// from inches.
inline Term surfaceOf(const Steps& s, Term perimeter) {
    return s.worksIn() == UnitSystem::US ? perimeter / 12 : 0.001 * perimeter;
}

// Steel of 7850 kg/m^3, the catalogue's 0.785 kg/m per cm^2 of area, in lb/ft per in^2: an in^2
// is 6.4516 cm^2, a foot 0.3048 m and a lb 0.45359237 kg.
inline Term steelWeightInUs(Steps& s) {
    return s.step(stepNames::steelWeightInUs, s.number(0.785) * 6.4516 * 0.3048 / 0.45359237);
}

// The weight of a length of section of area A in the units worked in: 0.785 kg/m per cm^2 with
// the constant on the side the formula writes it, or wA lb/ft per in^2.
inline Term steelWeightOf(Steps& s, Term area, bool constantFirst) {
    if (s.worksIn() == UnitSystem::US) {
        const Term wA = steelWeightInUs(s);
        return area * wA;
    }
    return constantFirst ? 0.785 * area : area * 0.785;
}

// The values the design rules take, in their metric units (cm^2, cm^4, cm^3), from values
// worked in `from`.
inline SectionValues metricValuesOf(SectionValues v, UnitSystem from) {
    const auto metric = [from](double value, Quantity quantity) {
        return convert(value, quantity, from, UnitSystem::Metric);
    };
    return {metric(v.a, Quantity::Area),           metric(v.ixx, Quantity::SecondMoment),
            metric(v.iyy, Quantity::SecondMoment), metric(v.zxx, Quantity::Modulus),
            metric(v.zyy, Quantity::Modulus),      metric(v.zpx, Quantity::Modulus),
            metric(v.zpy, Quantity::Modulus)};
}

} // namespace kavrel
