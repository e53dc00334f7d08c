#include "properties/formula_sets.hpp"

namespace kavrel {
namespace {

// The failure of one outcome as another kind of outcome.
template <typename To, typename From> To failureOf(const From& outcome) {
    if (std::holds_alternative<UnreadableNumber>(outcome)) {
        return UnreadableNumber{};
    }
    return ArithmeticFailure{};
}

// One part of every result, for the formula sets that compute them all at once.
template <typename To, typename Part> To partOf(ResultsOutcome all, Part SectionResults::*part) {
    if (auto* results = std::get_if<SectionResults>(&all)) {
        return std::move(results->*part);
    }
    return failureOf<To>(all);
}

} // namespace

FormulaSet formulaSetOf(Catalogue catalogue, SectionFamily family) {
    const bool circular = family == SectionFamily::CHS;
    switch (catalogue) {
    case Catalogue::EN10210:
        return circular ? FormulaSet::Annulus : FormulaSet::HotFinishedRectangular;
    case Catalogue::EN10219:
        return circular ? FormulaSet::Annulus : FormulaSet::ColdFormedRectangular;
    case Catalogue::AISC:
        return circular ? FormulaSet::AiscRound : FormulaSet::AiscRectangular;
    case Catalogue::IS:
        break;
    }
    return circular ? FormulaSet::IsCircular : FormulaSet::IsRectangular;
}

bool takesPi(FormulaSet set) {
    return set == FormulaSet::IsRectangular || set == FormulaSet::IsCircular;
}

std::optional<CornerRadii> cornerRadiiOf(FormulaSet set, double t) {
    switch (set) {
    case FormulaSet::HotFinishedRectangular:
        return hotFinishedCorners(t);
    case FormulaSet::ColdFormedRectangular:
        return coldFormedCorners(t);
    case FormulaSet::AiscRectangular:
        return CornerRadii{2 * t, t};
    case FormulaSet::AiscRound:
    case FormulaSet::IsRectangular:
    case FormulaSet::IsCircular:
    case FormulaSet::Annulus:
        break;
    }
    return std::nullopt;
}

ResultsOutcome resultsOf(Catalogue catalogue, SectionFamily family,
                         const SectionDimensions& dimensions, double pi, std::string_view separator,
                         std::optional<int> significant, StepLog* log,
                         std::optional<UnitSystem> shownUnits, bool workedInShown) {
    const FormulaSet set = formulaSetOf(catalogue, family);
    const UnitSystem shown = shownUnits.value_or(describe(catalogue).home);
    switch (set) {
    case FormulaSet::HotFinishedRectangular:
        return hotFinishedRectangularResults(dimensions, separator, significant, log, shown,
                                             workedInShown);
    case FormulaSet::ColdFormedRectangular:
        return coldFormedRectangularResults(dimensions, separator, significant, log, shown,
                                            workedInShown);
    case FormulaSet::Annulus:
        return annulusResults(dimensions, separator, significant, log, shown, workedInShown);
    case FormulaSet::AiscRectangular:
        return aiscRectangularResults(dimensions, separator, significant, log, shown,
                                      workedInShown);
    case FormulaSet::AiscRound:
        return aiscRoundResults(dimensions, separator, significant, log, shown, workedInShown);
    case FormulaSet::IsRectangular:
    case FormulaSet::IsCircular:
        break;
    }
    // The window's two steps, the eleven results and then the plastic moduli.
    const bool circular = set == FormulaSet::IsCircular;
    FindOutcome found = circular
                            ? circularProperties(dimensions, pi, separator, significant, log, shown)
                            : rectangularProperties(dimensions, pi, separator, significant, log,
                                                    shown, workedInShown);
    if (auto* properties = std::get_if<SectionProperties>(&found)) {
        PlasticOutcome plastic =
            circular ? circularPlasticModuli(dimensions, separator, significant, log, shown)
                     : rectangularPlasticModuli(dimensions, pi, separator, significant, log, shown,
                                                workedInShown);
        if (auto* moduli = std::get_if<PlasticModuli>(&plastic)) {
            return SectionResults{std::move(*properties), std::move(*moduli), {}};
        }
        return failureOf<ResultsOutcome>(plastic);
    }
    return failureOf<ResultsOutcome>(found);
}

FindOutcome propertiesOf(Catalogue catalogue, SectionFamily family,
                         const SectionDimensions& dimensions, double pi, std::string_view separator,
                         std::optional<int> significant) {
    switch (formulaSetOf(catalogue, family)) {
    case FormulaSet::IsRectangular:
        return rectangularProperties(dimensions, pi, separator, significant);
    case FormulaSet::IsCircular:
        return circularProperties(dimensions, pi, separator, significant);
    case FormulaSet::HotFinishedRectangular:
    case FormulaSet::ColdFormedRectangular:
    case FormulaSet::Annulus:
    case FormulaSet::AiscRectangular:
    case FormulaSet::AiscRound:
        break;
    }
    return partOf<FindOutcome>(resultsOf(catalogue, family, dimensions, pi, separator, significant),
                               &SectionResults::properties);
}

PlasticOutcome plasticModuliOf(Catalogue catalogue, SectionFamily family,
                               const SectionDimensions& dimensions, double pi,
                               std::string_view separator, std::optional<int> significant) {
    switch (formulaSetOf(catalogue, family)) {
    case FormulaSet::IsRectangular:
        return rectangularPlasticModuli(dimensions, pi, separator, significant);
    case FormulaSet::IsCircular:
        return circularPlasticModuli(dimensions, separator, significant);
    case FormulaSet::HotFinishedRectangular:
    case FormulaSet::ColdFormedRectangular:
    case FormulaSet::Annulus:
    case FormulaSet::AiscRectangular:
    case FormulaSet::AiscRound:
        break;
    }
    return partOf<PlasticOutcome>(
        resultsOf(catalogue, family, dimensions, pi, separator, significant),
        &SectionResults::plastic);
}

} // namespace kavrel
