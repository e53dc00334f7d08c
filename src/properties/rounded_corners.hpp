#pragma once

#include "properties/formulas.hpp"
#include "properties/steps.hpp"

namespace kavrel {

// The corner radii of the European rules as numbers of the formulas, so that a sheet shows
// how they come about; CornerRadii hotFinishedCorners(double) and the like are these on doubles.
template <typename Number> struct Corners {
    Number outer;
    Number inner;
};

template <typename Number> Corners<Number> hotFinishedCornersOf(Number t) {
    return {1.5 * t, t};
}

template <typename Number> Corners<Number> coldFormedCornersOf(Number t) {
    if (t.value <= 6) {
        return {2 * t, t};
    }
    if (t.value <= 10) {
        return {2.5 * t, 1.5 * t};
    }
    return {3 * t, 2 * t};
}

// All results of a rectangular section with the exact geometry of straight walls and rounded
// corners of radii ro and ri, with the true pi and no text read back: the one geometry of
// every catalogue that gives corner radii. The dimensions and radii come from earlier steps.
template <typename Number>
ResultsOutcome roundedCornerResults(Steps<Number>& s, Number D, Number B, Number t, Number ro,
                                    Number ri);

extern template ResultsOutcome roundedCornerResults(Steps<Plain>&, Plain, Plain, Plain, Plain,
                                                    Plain);
extern template ResultsOutcome roundedCornerResults(Steps<Term>&, Term, Term, Term, Term, Term);

} // namespace kavrel
