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
#include "properties/formula_sets.hpp"
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
inline constexpr double findPi = fractionPi;

// Looks the texts up and runs the IS formula set of the selected family (propertiesOf():
// the rectangular one when the RHS or SHS option is selected, otherwise the circular one),
// with findPi. Result texts use the given separator.
FindOutcome find(const FindInputs& inputs, std::string_view separator = ".");

} // namespace kavrel
