#pragma once

// How texts flow through Kavrel. The window fills its three size lists from designationsOf().
// Find takes the lists' texts as they stand (chosen or typed) and two option states;
// lookupDimensions() turns the texts into dimension texts, a formula set reads them with
// readNumber(), computes each result, and formatResult() makes its display text; later results
// read earlier texts back, so they use the rounded values the user sees. The window writes
// the eleven texts of SectionProperties into its result boxes unchanged, and Print copies the
// box texts, not the numbers, into the report record byte for byte.

#include "catalogue/section_dimensions.hpp"
#include "catalogue/section_family.hpp"
#include "properties/section_properties.hpp"

#include <string>
#include <string_view>

namespace kavrel {

// What Find reads from the window when it runs.
struct FindInputs {
    std::string rhsText; // text of the RHS size list
    std::string shsText; // text of the SHS size list
    std::string chsText; // text of the CHS size list
    bool rhsSelected = false;
    bool shsSelected = false; // the CHS option is never read: it is the fallback
};

// The inputs of a Find with the family's option selected and the designation in its own list,
// the other lists empty: what the window holds after choosing that size.
FindInputs findInputsFor(SectionFamily family, std::string_view designation);

// The value of pi the window's results use, never the true one.
inline constexpr double findPi = 22.0 / 7.0;

// Looks the texts up and runs the rectangular formulas when the RHS or SHS option is
// selected, otherwise the circular ones, with findPi. Result texts use the given separator.
FindOutcome find(const FindInputs& inputs, std::string_view separator = ".");

// The formula set of the family (RHS and SHS share the rectangular one) on these dimensions:
// the step of Find after the lookup, for callers that have dimensions of their own.
FindOutcome propertiesOf(SectionFamily family, const SectionDimensions& dimensions, double pi,
                         std::string_view separator = ".");

// The plastic moduli of a section of the family.
PlasticOutcome plasticModuliOf(SectionFamily family, const SectionDimensions& dimensions, double pi,
                               std::string_view separator = ".");

} // namespace kavrel
