#pragma once

#include "catalogue/catalogues.hpp"
#include "catalogue/section_family.hpp"
#include "properties/section_properties.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kavrel {

// One design figure: its unrounded value and its text, both absent where the rules give none
// (a ratio of the other family, Aeff of a section that is not class 4, a resistance outside
// the code's scope).
struct DesignValue {
    std::optional<double> value;
    std::string text;
};

// Flexural buckling at one length.
struct BucklingResults {
    DesignValue nbRdx, nbRdy, nbRd;
};

struct DesignResults {
    DesignValue fy;
    DesignValue cD_t, cB_t, D_t;
    DesignValue classN, classMx, classMy;
    DesignValue aeff, weffx, weffy;
    DesignValue ncRd, mcRdx, mcRdy, vplRdx, vplRdy;
    DesignValue tdRd;                      // the tension resistance, where the code gives it
    std::vector<BucklingResults> buckling; // one per length, in the request's order
};

// The section the rules are applied to: its catalogue (product standard, forming route, corner
// radii), family, dimensions in mm and the unrounded values of its properties.
struct DesignSection {
    Catalogue catalogue;
    SectionFamily family;
    std::string_view designation;
    double depth, width, thickness;
    SectionValues values;
};

// Why a section has no resistances: a wall thicker than every band of the product standard
// without --fy, or a catalogue without a product standard (IS). One line, naming the size.
struct DesignError {
    std::string message;
};

using DesignOutcome = std::variant<DesignResults, DesignError>;

} // namespace kavrel
