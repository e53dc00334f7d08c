#pragma once

#include "properties/number_text.hpp"
#include "properties/section_properties.hpp"
#include "properties/units.hpp"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace kavrel {

constexpr std::string_view metricUnit(Quantity quantity) {
    return unitOf(quantity, UnitSystem::Metric);
}

// The two formula sets; RHS and SHS share the rectangular one.
enum class Shape { Rectangular, Circular };

// Everything the program says about one result, in one place: where its text is kept, its
// column in the section table, its unit and pattern per formula set, and for the results the
// window shows, its box, the box's caption and its report label. The window, the report
// record, the section table and the formula sets' patterns all come from here.
struct ResultDescription {
    std::string SectionProperties::*field;
    std::string_view column;
    Quantity quantity;
    std::string_view unit; // in metric units, from the units table
    std::string_view meaning;
    Pattern rectangular;
    Pattern circular;
    std::string_view box;
    std::string_view caption;     // the window's label beside the box
    std::string_view reportLabel; // 40 characters: caption, blanks, ":" in column 38, 2 blanks
    int row;                      // result row of the window, 1 to 11
    int reportLine;               // line of the report record, 3 to 13
};

// In Find's writing order, which is also the order of the section table's columns.
inline constexpr std::array<ResultDescription, 11> findResults = {{
    {&SectionProperties::a, "A", Quantity::Area, metricUnit(Quantity::Area), "sectional area",
     Pattern::Int4Dec2, Pattern::Int6Dec2, "txta", "Sectional Area (CM^2)",
     "Area ( CM^2 )                        :  ", 1, 3},
    {&SectionProperties::wt, "W", Quantity::Weight, metricUnit(Quantity::Weight), "unit weight",
     Pattern::Int4Dec2, Pattern::Int4Dec2, "txtwt", "Unit Weight (Kg./Mtr.)",
     "Weight ( Kg/M )                      :  ", 2, 4},
    {&SectionProperties::ixx, "Ixx", Quantity::SecondMoment, metricUnit(Quantity::SecondMoment),
     "second moment of area about x", Pattern::Int6Dec2, Pattern::Int6Dec2, "txtixx",
     "Moment of Inertia,Ixx (Cm^4)", "M.I Ixx ( CM^4 )                     :  ", 3, 5},
    {&SectionProperties::iyy, "Iyy", Quantity::SecondMoment, metricUnit(Quantity::SecondMoment),
     "second moment of area about y", Pattern::Int6Dec2, Pattern::Int6Dec2, "txtiyy",
     "Moment of Inertia,Iyy (Cm^4)", "M.I Iyy ( CM^4 )                     :  ", 4, 6},
    {&SectionProperties::zxx, "Zxx", Quantity::Modulus, metricUnit(Quantity::Modulus),
     "elastic modulus about x", Pattern::Int5Dec2, Pattern::Int5Dec2, "txtzxx",
     "Elastic Modulus,Zxx (Cm^3)", "Section Modulus Zxx ( CM^3 )         :  ", 5, 7},
    {&SectionProperties::zyy, "Zyy", Quantity::Modulus, metricUnit(Quantity::Modulus),
     "elastic modulus about y", Pattern::Int6Dec2, Pattern::Int6Dec2, "txtzyy",
     "Elastic Modulus,Zyy (Cm^3)", "Section Modulus Zyy ( CM^3 )         :  ", 6, 8},
    {&SectionProperties::rxx, "rxx", Quantity::Radius, metricUnit(Quantity::Radius),
     "radius of gyration about x", Pattern::Int5Dec2, Pattern::Int5Dec2, "txtrxx",
     "Radius of Gyration,Rxx (Cm)", "Radius of Gyration Rxx ( CM )        :  ", 7, 9},
    {&SectionProperties::ryy, "ryy", Quantity::Radius, metricUnit(Quantity::Radius),
     "radius of gyration about y", Pattern::Int7Dec2, Pattern::Int7Dec2, "txtryy",
     "Radius of Gyration,Ryy (Cm)", "Radius of Gyration Ryy ( CM )        :  ", 8, 10},
    {&SectionProperties::sa, "S", Quantity::Surface, metricUnit(Quantity::Surface),
     "outer surface area per metre", Pattern::Int6Dec3, Pattern::Int6Dec3, "txtsa",
     "Outer Surface Area (M^2/Mtr)", "Outer Surface Area per Mtr. ( M^2 )  :  ", 11, 13},
    {&SectionProperties::j, "J", Quantity::SecondMoment, metricUnit(Quantity::SecondMoment),
     "torsional constant", Pattern::Int7Dec2, Pattern::Int6Dec2, "txtj",
     "Torsional Constant,J (Cm^4)", "Torsional Constant J ( CM^4 )        :  ", 9, 11},
    {&SectionProperties::c, "C", Quantity::Modulus, metricUnit(Quantity::Modulus),
     "torsional modulus constant", Pattern::Int7Dec2, Pattern::Int7Dec2, "txtb",
     "Torsional Constant,B (Cm^3)", "Torsional Modulus Constant B ( CM^3 ):  ", 10, 12},
}};

// The results sorted by one of their orders (&ResultDescription::row or ::reportLine).
consteval std::array<const ResultDescription*, findResults.size()>
resultsBy(int ResultDescription::*order) {
    std::array<const ResultDescription*, findResults.size()> sorted{};
    std::transform(findResults.begin(), findResults.end(), sorted.begin(),
                   [](const ResultDescription& r) { return &r; });
    std::sort(sorted.begin(), sorted.end(),
              [order](const auto* x, const auto* y) { return x->*order < y->*order; });
    return sorted;
}

inline constexpr auto resultsInDisplayOrder = resultsBy(&ResultDescription::row);
inline constexpr auto resultsInReportOrder = resultsBy(&ResultDescription::reportLine);

// The results only the section table shows, after the eleven.
struct PlasticDescription {
    std::string PlasticModuli::*field;
    std::string_view column;
    Quantity quantity;
    std::string_view unit; // in metric units, from the units table
    std::string_view meaning;
    Pattern rectangular;
    Pattern circular;
};

inline constexpr std::array<PlasticDescription, 2> plasticResults = {{
    {&PlasticModuli::zpx, "Zpx", Quantity::Modulus, metricUnit(Quantity::Modulus),
     "plastic modulus about x", Pattern::Int6Dec2, Pattern::Int6Dec2},
    {&PlasticModuli::zpy, "Zpy", Quantity::Modulus, metricUnit(Quantity::Modulus),
     "plastic modulus about y", Pattern::Int6Dec2, Pattern::Int6Dec2},
}};

} // namespace kavrel
