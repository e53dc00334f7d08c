#pragma once

#include "catalogue/section_dimensions.hpp"
#include "catalogue/unit_system.hpp"
#include "properties/number_text.hpp"
#include "properties/section_properties.hpp"
#include "properties/step_log.hpp"

#include <optional>

namespace kavrel {

// pi is passed in by the caller (Find uses 22/7). Results are shown with fixed decimals, or
// with `significant` figures when given, in the units `shown`. Given a log, each formula set
// also records its steps there for a calculation sheet; the results are the same either way.
// The steps are worked in the catalogue's units and each result converted once as its text is
// made, or with `workedInShown` (a sheet) worked in the units shown from the dimensions on,
// which gives the same texts but for the last bit of a double.

// Properties of a rectangular (or square) hollow section with rounded corners. Later results
// are computed from earlier results' texts read back, so they see the rounded values.
FindOutcome rectangularProperties(const SectionDimensions& dimensions, double pi,
                                  std::string_view separator = defaultSeparator,
                                  std::optional<int> significant = std::nullopt,
                                  StepLog* log = nullptr, UnitSystem shown = UnitSystem::Metric,
                                  bool workedInShown = false);

// Properties of a circular hollow section; the width enters only the elastic modulus Zyy.
FindOutcome circularProperties(const SectionDimensions& dimensions, double pi,
                               std::string_view separator = defaultSeparator,
                               std::optional<int> significant = std::nullopt,
                               StepLog* log = nullptr, UnitSystem shown = UnitSystem::Metric,
                               bool workedInShown = false);

// The plastic moduli of the same rectangular section, from its dimensions (no text read back).
PlasticOutcome rectangularPlasticModuli(const SectionDimensions& dimensions, double pi,
                                        std::string_view separator = defaultSeparator,
                                        std::optional<int> significant = std::nullopt,
                                        StepLog* log = nullptr,
                                        UnitSystem shown = UnitSystem::Metric,
                                        bool workedInShown = false);

// The plastic moduli of a circular tube, equal about both axes; pi does not enter them.
PlasticOutcome circularPlasticModuli(const SectionDimensions& dimensions,
                                     std::string_view separator = defaultSeparator,
                                     std::optional<int> significant = std::nullopt,
                                     StepLog* log = nullptr, UnitSystem shown = UnitSystem::Metric,
                                     bool workedInShown = false);

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

// The European catalogues' rectangular sections: their corner radii, then the exact geometry
// of straight walls and rounded corners (rounded_corners.hpp).
ResultsOutcome hotFinishedRectangularResults(const SectionDimensions& dimensions,
                                             std::string_view separator = defaultSeparator,
                                             std::optional<int> significant = std::nullopt,
                                             StepLog* log = nullptr,
                                             UnitSystem shown = UnitSystem::Metric,
                                             bool workedInShown = false);
ResultsOutcome coldFormedRectangularResults(const SectionDimensions& dimensions,
                                            std::string_view separator = defaultSeparator,
                                            std::optional<int> significant = std::nullopt,
                                            StepLog* log = nullptr,
                                            UnitSystem shown = UnitSystem::Metric,
                                            bool workedInShown = false);

// All results of the exact annulus of outside diameter D and wall t, with the true pi.
ResultsOutcome annulusResults(const SectionDimensions& dimensions,
                              std::string_view separator = defaultSeparator,
                              std::optional<int> significant = std::nullopt, StepLog* log = nullptr,
                              UnitSystem shown = UnitSystem::Metric, bool workedInShown = false);

// The AISC HSS, in inches: the design wall tdes in every property, the nominal wall tnom in the
// weight; results with three significant figures and W with two decimals, as the database
// prints them (aisc_sections.cpp).
ResultsOutcome aiscRectangularResults(const SectionDimensions& dimensions,
                                      std::string_view separator = defaultSeparator,
                                      std::optional<int> significant = std::nullopt,
                                      StepLog* log = nullptr, UnitSystem shown = UnitSystem::US,
                                      bool workedInShown = false);
ResultsOutcome aiscRoundResults(const SectionDimensions& dimensions,
                                std::string_view separator = defaultSeparator,
                                std::optional<int> significant = std::nullopt,
                                StepLog* log = nullptr, UnitSystem shown = UnitSystem::US,
                                bool workedInShown = false);

} // namespace kavrel
