#pragma once

#include "design/steel_grades.hpp"

#include <array>
#include <optional>
#include <string_view>

namespace kavrel {

struct DesignResults;
namespace design {
struct Context;
}

// A flexural buckling curve and its imperfection factor alpha.
struct BucklingCurve {
    std::string_view name; // "a0", "a", "b", "c", "d"
    double alpha;
};

// The limits of classes 1, 2 and 3 of one kind of part, as multiples of epsilon (of epsilon
// squared for a tube's D/t).
using ClassLimits = std::array<double, 3>;

// What a design code chooses, as data and small functions, so that a second code sits beside
// the first without copying its formulas. Each `clause` names where a rule comes from; the
// sheet shows it beside the step.
struct DesignCode {
    std::string_view name; // "EN 1993-1-1"
    double fyReference;    // epsilon = sqrt(fyReference / fy), N/mm^2
    double youngsModulus;  // E, N/mm^2

    ClassLimits internalCompression; // c/t of a wall wholly in compression
    ClassLimits internalBending;     // c/t of a web in bending
    ClassLimits tube;                // D/t of a circular section, times epsilon^2

    // Effective widths of class 4 walls in uniform compression (psi = 1).
    double plateFactor; // 28.4 in lambda_p = (c/t) / (28.4 eps sqrt(k_sigma))
    double kSigma;      // buckling factor for psi = 1

    BucklingCurve (*curveOf)(FormingRoute route, SteelGrade grade);

    struct Clauses {
        std::string_view materials;      // E, fy
        std::string_view partialFactors; // gamma_M0, gamma_M1
        std::string_view classification; // the limits of the parts
        std::string_view effectiveWidth; // class 4 walls
        std::string_view compression;    // Nc,Rd
        std::string_view bending;        // Mc,Rd
        std::string_view shear;          // Vpl,Rd
        std::string_view shearArea;      // Av
        std::string_view criticalForce;  // Ncr
        std::string_view buckling;       // lambda, Phi, chi, Nb,Rd
        std::string_view curves;         // the choice of the curve
    } clauses;

    // The partial factors where the user gives none, and what each is for.
    double gammaM0 = 1.0;
    double gammaM1 = 1.0;
    std::string_view gammaM0Meaning = "partial factor of the resistance of cross-sections";
    std::string_view gammaM1Meaning = "partial factor of the resistance of members to instability";
    // Whether class 4 sections get effective properties (the Aeff and Weff columns), and
    // whether the tension resistance TdRd is given.
    bool effectiveProperties = true;
    bool tension = false;
    // Whether a yield strength may stand without a grade: where a grade chooses nothing else.
    bool fyAlone = false;
    // What the user may choose beyond the EN options: the forming route (where the product
    // standards leave it open), the flat width 2t; and whether any resistance takes gamma_M1.
    bool formingChosen = false;
    bool twoTWidth = false;
    bool gammaM1Taken = true;
    // The code's own classification and resistances of a section once fy, epsilon and the
    // factors are recorded; none: EN 1993-1-1's (classification.cpp, resistances.cpp).
    void (*work)(design::Context& c, DesignResults& out) = nullptr;
    // The words of classes 1 to 4 where the code names them; none: the numbers.
    const std::array<std::string_view, 4>* classWords = nullptr;
};

// EN 1993-1-1 with EN 1993-1-5 for class 4, recommended values.
extern const DesignCode en1993;

// IS 800:2007 (is800.cpp).
extern const DesignCode is800;

// The code of a catalogue's sizes: IS 800 for IS, EN 1993-1-1 for the EN catalogues.
const DesignCode& designCodeOf(Catalogue catalogue);

// The class a word of IS 800 names, 1 (plastic) to 4 (slender), in the order of merit.
std::optional<int> classNamed(std::string_view word);

} // namespace kavrel
