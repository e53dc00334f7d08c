#pragma once

#include <optional>
#include <string>

namespace kavrel {

// Dimensions in the catalogue's units (millimetres; AISC inches) as decimal texts with one digit
// after the point ("50.0", "91.5"). A field without a value (nothing was found) is not the empty
// text: it reads as 0.
struct SectionDimensions {
    std::optional<std::string> depth;     // D: depth, or outside diameter of a circular section
    std::optional<std::string> width;     // B: width; equals depth for square and circular
    std::optional<std::string> thickness; // t: wall thickness (AISC: the design wall tdes)
    // AISC's nominal wall tnom, from which its weight is worked out; no value elsewhere.
    std::optional<std::string> nominalThickness = {};

    bool operator==(const SectionDimensions&) const = default;
};

} // namespace kavrel
