#pragma once

#include "catalogue/section_dimensions.hpp"
#include "properties/number_text.hpp"
#include "properties/section_properties.hpp"
#include "properties/step_log.hpp"

namespace kavrel {

// pi is passed in by the caller (Find uses 22/7). Given a log, each formula set also records
// its steps there for a calculation sheet; the results are the same either way.

// Properties of a rectangular (or square) hollow section with rounded corners. Later results
// are computed from earlier results' texts read back, so they see the rounded values.
FindOutcome rectangularProperties(const SectionDimensions& dimensions, double pi,
                                  std::string_view separator = defaultSeparator,
                                  StepLog* log = nullptr);

// Properties of a circular hollow section; the width enters only the elastic modulus Zyy.
FindOutcome circularProperties(const SectionDimensions& dimensions, double pi,
                               std::string_view separator = defaultSeparator,
                               StepLog* log = nullptr);

// The plastic moduli of the same rectangular section, from its dimensions (no text read back).
PlasticOutcome rectangularPlasticModuli(const SectionDimensions& dimensions, double pi,
                                        std::string_view separator = defaultSeparator,
                                        StepLog* log = nullptr);

// The plastic moduli of a circular tube, equal about both axes; pi does not enter them.
PlasticOutcome circularPlasticModuli(const SectionDimensions& dimensions,
                                     std::string_view separator = defaultSeparator,
                                     StepLog* log = nullptr);

} // namespace kavrel
