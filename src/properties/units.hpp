#pragma once

#include "catalogue/unit_system.hpp"

#include <array>
#include <optional>
#include <string_view>

namespace kavrel {

// What a figure measures, for its unit in each system.
enum class Quantity {
    None,         // a name, a ratio
    Length,       // dimensions: mm, in
    Area,         // A: cm^2, in^2
    Weight,       // W: kg/m, lb/ft
    SecondMoment, // Ixx, Iyy, J: cm^4, in^4
    Modulus,      // Zxx, Zyy, Zpx, Zpy, C: cm^3, in^3
    Radius,       // rxx, ryy: cm, in
    Surface,      // S: m^2/m, ft^2/ft
};

// The one table of units: each quantity's unit in both systems, and how many of the metric
// unit make one of the US unit, from the exact definitions 1 in = 25.4 mm, 1 ft = 12 in and
// 1 lb = 0.45359237 kg.
struct UnitRow {
    Quantity quantity;
    std::string_view metric;
    std::string_view us;
    double metricPerUs;
};

inline constexpr std::array<UnitRow, 7> unitRows = {{
    {Quantity::Length, "mm", "in", 25.4},
    {Quantity::Area, "cm^2", "in^2", 6.4516},
    {Quantity::Weight, "kg/m", "lb/ft", 0.45359237 / 0.3048},
    {Quantity::SecondMoment, "cm^4", "in^4", 41.62314256},
    {Quantity::Modulus, "cm^3", "in^3", 16.387064},
    {Quantity::Radius, "cm", "in", 2.54},
    {Quantity::Surface, "m^2/m", "ft^2/ft", 0.3048},
}};

// Found by value, not by pointer: GCC's sanitizers make a pointer into the table no
// constant expression, and the result descriptions need these at compile time.
constexpr std::optional<UnitRow> unitRowOf(Quantity quantity) {
    for (const UnitRow& row : unitRows) {
        if (row.quantity == quantity) {
            return row;
        }
    }
    return std::nullopt;
}

// The unit of a quantity in a system; none for Quantity::None.
constexpr std::string_view unitOf(Quantity quantity, UnitSystem system) {
    const std::optional<UnitRow> row = unitRowOf(quantity);
    return !row ? std::string_view() : system == UnitSystem::US ? row->us : row->metric;
}

// The factor a value in `from` units is multiplied by for `to` units; a metric value is
// divided by metricPerUs instead (see convert), so that each conversion rounds once.
constexpr double metricPerUsOf(Quantity quantity) {
    const std::optional<UnitRow> row = unitRowOf(quantity);
    return row ? row->metricPerUs : 1.0;
}

// An unrounded value in `from` units, in `to` units.
constexpr double convert(double value, Quantity quantity, UnitSystem from, UnitSystem to) {
    if (from == to) {
        return value;
    }
    return to == UnitSystem::US ? value / metricPerUsOf(quantity) : value * metricPerUsOf(quantity);
}

// "metric" or "us", as --units writes them.
constexpr std::string_view unitSystemName(UnitSystem system) {
    return system == UnitSystem::US ? "us" : "metric";
}

} // namespace kavrel
