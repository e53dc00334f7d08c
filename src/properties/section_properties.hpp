#pragma once

#include <string>
#include <string_view>
#include <variant>

namespace kavrel {

// The eleven result texts, one named field per result box. The window writes, shows and
// reports them in three different orders, so they are never addressed by position.
struct SectionProperties {
    std::string a;   // sectional area, cm^2
    std::string wt;  // unit weight, kg/m
    std::string ixx; // second moment of area about x, cm^4
    std::string iyy; // second moment of area about y, cm^4
    std::string zxx; // elastic modulus about x, cm^3
    std::string zyy; // elastic modulus about y, cm^3
    std::string rxx; // radius of gyration about x, cm
    std::string ryy; // radius of gyration about y, cm
    std::string j;   // torsional constant J, cm^4
    std::string c;   // torsional modulus constant, cm^3
    std::string sa;  // outer surface area, m^2 per metre

    bool operator==(const SectionProperties&) const = default;
};

// The plastic section moduli, which only the section table shows.
struct PlasticModuli {
    std::string zpx; // about x, cm^3
    std::string zpy; // about y, cm^3

    bool operator==(const PlasticModuli&) const = default;
};

// A dimension text, or a result text read back, is no number.
struct UnreadableNumber {
    static constexpr std::string_view message = "Select The Required Section And Click Find";
    bool operator==(const UnreadableNumber&) const = default;
};

// Any other failed step: a zero divisor (0/0 included), the square root of a negative number,
// or a value that overflows. Nothing is shown for it.
struct ArithmeticFailure {
    bool operator==(const ArithmeticFailure&) const = default;
};

// What a formula set, and so a Find, ends with: all eleven texts, or one of the two failures.
using FindOutcome = std::variant<SectionProperties, UnreadableNumber, ArithmeticFailure>;
using PlasticOutcome = std::variant<PlasticModuli, UnreadableNumber, ArithmeticFailure>;

// The unrounded values of the results the design rules take, in the results' units (cm^2,
// cm^4, cm^3), from the same computation as the texts. The IS formula sets leave them 0: no
// resistances are given for IS.
struct SectionValues {
    double a = 0;
    double ixx = 0;
    double iyy = 0;
    double zxx = 0;
    double zyy = 0;
    double zpx = 0;
    double zpy = 0;

    bool operator==(const SectionValues&) const = default;
};

// Every result the section table shows: the eleven of Find and the plastic moduli.
struct SectionResults {
    SectionProperties properties;
    PlasticModuli plastic;
    SectionValues values;

    bool operator==(const SectionResults&) const = default;
};

using ResultsOutcome = std::variant<SectionResults, UnreadableNumber, ArithmeticFailure>;

} // namespace kavrel
