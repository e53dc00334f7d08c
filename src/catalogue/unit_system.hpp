#pragma once

namespace kavrel {

// The two systems of units figures are shown in: a catalogue's home units, and the units a
// request asks for.
enum class UnitSystem {
    Metric, // mm; cm^2, kg/m, cm^4, cm^3, cm, m^2/m
    US,     // in; in^2, lb/ft, in^4, in^3, in, ft^2/ft
};

} // namespace kavrel
