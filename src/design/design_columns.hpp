#pragma once

#include "design/design_request.hpp"
#include "design/design_results.hpp"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kavrel {

// The design figures as the section table names them: column, unit and meaning, in the order
// the table writes them. The help, the table and the window all take them from here.
struct DesignColumn {
    std::string_view column;
    std::string_view unit;
    std::string_view meaning;
    DesignValue DesignResults::*field;
    bool byDefault; // written with --grade when no columns are chosen
    // Given only by a code for which this holds; none: by every code.
    bool DesignCode::*givenIf = nullptr;
};

inline constexpr std::array<DesignColumn, 16> designColumns = {{
    {"fy", "N/mm^2", "yield strength, of the grade by wall thickness or as given",
     &DesignResults::fy, true},
    {"cD_t", "", "c/t of the walls along the depth (RHS, SHS)", &DesignResults::cD_t, true},
    {"cB_t", "", "c/t of the walls along the width (RHS, SHS)", &DesignResults::cB_t, true},
    {"D_t", "", "D/t (CHS)", &DesignResults::D_t, true},
    {"classN", "", "class in compression", &DesignResults::classN, true},
    {"classMx", "", "class in bending about x-x", &DesignResults::classMx, true},
    {"classMy", "", "class in bending about y-y", &DesignResults::classMy, true},
    {"Aeff", "cm^2", "effective area (class 4 in compression)", &DesignResults::aeff, false,
     &DesignCode::effectiveProperties},
    {"Weffx", "cm^3", "effective modulus about x-x (class 4)", &DesignResults::weffx, false,
     &DesignCode::effectiveProperties},
    {"Weffy", "cm^3", "effective modulus about y-y (class 4)", &DesignResults::weffy, false,
     &DesignCode::effectiveProperties},
    {"NcRd", "kN", "compression resistance", &DesignResults::ncRd, true},
    {"McRdx", "kNm", "bending resistance about x-x", &DesignResults::mcRdx, true},
    {"McRdy", "kNm", "bending resistance about y-y", &DesignResults::mcRdy, true},
    {"VplRdx", "kN", "shear resistance along the depth", &DesignResults::vplRdx, true},
    {"VplRdy", "kN", "shear resistance along the width", &DesignResults::vplRdy, true},
    {"TdRd", "kN", "tension resistance, yielding of the gross section (IS 800)",
     &DesignResults::tdRd, true, &DesignCode::tension},
}};

// The flexural buckling columns of each length.
struct BucklingColumn {
    std::string_view column;
    std::string_view meaning;
    DesignValue BucklingResults::*field;
};

inline constexpr std::array<BucklingColumn, 3> bucklingColumns = {{
    {"NbRdx", "buckling resistance about x-x", &BucklingResults::nbRdx},
    {"NbRdy", "buckling resistance about y-y", &BucklingResults::nbRdy},
    {"NbRd", "the smaller of the two", &BucklingResults::nbRd},
}};

// The name of a buckling column at a length: "NbRd", or "NbRd@3.5" when the request asks for
// several lengths.
std::string bucklingColumnName(const DesignRequest& request, std::string_view column,
                               const BucklingLength& length);

// Whether the code gives this column: a code's own columns are empty under the other.
inline bool givenBy(const DesignColumn& column, const DesignCode& code) {
    return !column.givenIf || code.*column.givenIf;
}
bool givenByCode(std::string_view name, const DesignCode& code);

// The design columns of a request: the fixed ones of every code, then the buckling ones of
// each length, named "NbRd" with one length and "NbRd@3.5" with several; each code numbers
// them alike. None unless resistances are asked for.
std::vector<std::string> designColumnNames(const DesignRequest& request);

// Whether a design column is written when no columns are chosen (every buckling one is).
bool isDefaultDesignColumn(std::string_view name);

// Whether a column name is one of the design columns of some request (a length's too).
bool isDesignColumnName(std::string_view name);

// The texts of the design columns, in the order of designColumnNames.
std::vector<std::string> designCells(const DesignResults& results);

} // namespace kavrel
