#pragma once

#include "catalogue/section_dimensions.hpp"
#include "properties/number_text.hpp"
#include "properties/section_properties.hpp"

#include <optional>

namespace kavrel {

class Steps;

// pi is passed in by the caller (Find uses 22/7). Results are shown with fixed decimals, or
// with `significant` figures when given.

// Properties of a rectangular (or square) hollow section with rounded corners. Later results
// are computed from earlier results' texts read back, so they see the rounded values.
FindOutcome rectangularProperties(const SectionDimensions& dimensions, double pi,
                                  std::string_view separator = defaultSeparator,
                                  std::optional<int> significant = std::nullopt);

// Properties of a circular hollow section; the width enters only the elastic modulus Zyy.
FindOutcome circularProperties(const SectionDimensions& dimensions, double pi,
                               std::string_view separator = defaultSeparator,
                               std::optional<int> significant = std::nullopt);

// The plastic moduli of the same rectangular section, from its dimensions (no text read back).
PlasticOutcome rectangularPlasticModuli(const SectionDimensions& dimensions, double pi,
                                        std::string_view separator = defaultSeparator,
                                        std::optional<int> significant = std::nullopt);

// The plastic moduli of a circular tube, equal about both axes; pi does not enter them.
PlasticOutcome circularPlasticModuli(const SectionDimensions& dimensions,
                                     std::string_view separator = defaultSeparator,
                                     std::optional<int> significant = std::nullopt);

// The corner radii of a rectangular section's wall, in mm: outside and inside of the bend.
struct CornerRadii {
    double outer;
    double inner;
};

// Hot-finished sections: ro = 1.5t, ri = t.
CornerRadii hotFinishedCorners(double t);
// Cold-formed sections, in three bands of t: up to 6 mm ro = 2t, ri = t; above that up to
// 10 mm ro = 2.5t, ri = 1.5t; above 10 mm ro = 3t, ri = 2t.
CornerRadii coldFormedCorners(double t);

// All results of a rectangular section with the exact geometry of straight walls and rounded
// corners of radii ro and ri, with the true pi and no text read back: the one geometry of
// every catalogue that gives corner radii. The dimensions and radii come from earlier steps.
ResultsOutcome roundedCornerResults(Steps& s, double D, double B, double t, double ro, double ri);

// The European catalogues' rectangular sections: their corner radii, then the geometry above.
ResultsOutcome hotFinishedRectangularResults(const SectionDimensions& dimensions,
                                             std::string_view separator = defaultSeparator,
                                             std::optional<int> significant = std::nullopt);
ResultsOutcome coldFormedRectangularResults(const SectionDimensions& dimensions,
                                            std::string_view separator = defaultSeparator,
                                            std::optional<int> significant = std::nullopt);

// All results of the exact annulus of outside diameter D and wall t, with the true pi.
ResultsOutcome annulusResults(const SectionDimensions& dimensions,
                              std::string_view separator = defaultSeparator,
                              std::optional<int> significant = std::nullopt);

} // namespace kavrel
