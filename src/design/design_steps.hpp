#pragma once

// The design rules' shared state while one section is worked through; private to the library.

#include "design/design_request.hpp"
#include "design/design_results.hpp"
#include "properties/steps.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace kavrel::design {

// The section's quantities as numbers of the formulas, named as the sheet shows them. All
// rules are plain functions of this, so that another code can reuse them with its own data.
struct Context {
    Steps& s;
    StepLog* log;
    const DesignCode& code;
    const DesignSection& section;
    const DesignRequest& request;
    std::optional<int> significant;
    Term D, B, t;                         // mm
    Term A, Ixx, Iyy, Zxx, Zyy, Zpx, Zpy; // cm^2, cm^4, cm^3
    Term fy, eps, gM0, gM1;

    bool circular() const { return section.family == SectionFamily::CHS; }
    // A text the sheet keeps, made by `make` only when a sheet is recorded: the table makes
    // none of these strings.
    template <typename Make> std::string_view kept(Make make) const {
        return log ? log->keep(make()) : std::string_view{};
    }
    // A figure shown in the table: recorded, rounded as the request asks, its value kept;
    // later steps name it.
    Term shown(Term x, StepName name, Pattern pattern, DesignValue& into) {
        const Term named = s.result(x, {name, pattern}, into.text).value;
        into.value = x.value;
        return named;
    }
};

// The classes and the flat widths of the walls (RHS, SHS) or D/t (CHS).
struct Classes {
    std::optional<int> n, mx, my; // none: outside the code (a CHS beyond class 3)
    bool webSlenderX = false;     // the webs in bending about x-x are class 4: no McRdx
    bool webSlenderY = false;
    Term cD = 0, cB = 0; // flat widths, mm
    Term ratioD = 0, ratioB = 0;
};

Classes classify(Context& c, DesignResults& out);

// Class 4 properties of EN 1993-1-5, 4.4, into out.aeff, weffx, weffy, for the cases of class
// 4; a modulus whose webs are class 4 in bending is not computed.
struct EffectiveSection {
    std::optional<Term> aeff, weffx, weffy; // cm^2, cm^3
};
EffectiveSection effectiveSection(Context& c, const Classes& classes, DesignResults& out);

// The exact geometry of an IS size into A, I, Z and Zp: corners of radii 2t and t (the
// window's own), the true pi, nothing read back, whatever pi its shown properties take.
void exactGeometry(Context& c);

// IS 800:2007's classes and resistances (is800_rules.cpp).
void is800Work(Context& c, DesignResults& out);

// Nc,Rd, Mc,Rd, Vpl,Rd and flexural buckling at each length.
void resistances(Context& c, const Classes& classes, const EffectiveSection& effective,
                 DesignResults& out);

} // namespace kavrel::design
