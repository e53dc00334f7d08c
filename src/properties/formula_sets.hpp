#pragma once

#include "catalogue/catalogues.hpp"
#include "catalogue/section_dimensions.hpp"
#include "catalogue/section_family.hpp"
#include "properties/formulas.hpp"
#include "properties/number_text.hpp"
#include "properties/section_properties.hpp"

#include <optional>
#include <string_view>

namespace kavrel {

// The value of pi the window's results use, and the IS catalogue's unless told otherwise.
inline constexpr double fractionPi = 22.0 / 7.0;

// The formula sets, and which one computes a family of a catalogue: the one choice that Find
// and the section table share.
enum class FormulaSet {
    IsRectangular,          // the window's, with read-back of shown texts (RHS and SHS)
    IsCircular,             // the window's thin-walled tube
    HotFinishedRectangular, // exact rounded corners, ro = 1.5t, ri = t
    ColdFormedRectangular,  // exact rounded corners, radii in three bands of t
    Annulus,                // the exact tube of both European catalogues
    AiscRectangular,        // the AISC database's rectangular HSS, in inches
    AiscRound,              // the AISC database's round HSS, in inches
};

FormulaSet formulaSetOf(Catalogue catalogue, SectionFamily family);

// Only the IS formulas take pi as given; the others always use the true pi.
bool takesPi(FormulaSet set);

// The corner radii a formula set gives the wall of a rectangular section of thickness t; none
// for the IS rectangular formulas, whose corners are fixed in them (radii 2t and t), and tubes.
std::optional<CornerRadii> cornerRadiiOf(FormulaSet set, double t);

// The eleven results of Find for a section of the catalogue's family.
FindOutcome propertiesOf(Catalogue catalogue, SectionFamily family,
                         const SectionDimensions& dimensions, double pi,
                         std::string_view separator = defaultSeparator,
                         std::optional<int> significant = std::nullopt);

// The plastic moduli of the same section.
PlasticOutcome plasticModuliOf(Catalogue catalogue, SectionFamily family,
                               const SectionDimensions& dimensions, double pi,
                               std::string_view separator = defaultSeparator,
                               std::optional<int> significant = std::nullopt);

// Every result at once, as the section table shows them; given a log, every step is recorded
// there for a calculation sheet. The dimensions are in the catalogue's home units; the results
// are shown in `shown` units (none: the home units), each converted once, unrounded, or with
// `workedInShown` worked in those units from the dimensions on (formulas.hpp).
ResultsOutcome resultsOf(Catalogue catalogue, SectionFamily family,
                         const SectionDimensions& dimensions, double pi,
                         std::string_view separator = defaultSeparator,
                         std::optional<int> significant = std::nullopt, StepLog* log = nullptr,
                         std::optional<UnitSystem> shown = std::nullopt,
                         bool workedInShown = false);

} // namespace kavrel
