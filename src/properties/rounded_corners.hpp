#pragma once

#include "properties/formulas.hpp"
#include "properties/steps.hpp"

#include <utility>

namespace kavrel {

// The corner radii of the European rules as terms of the formulas, so that a sheet shows
// how they come about; CornerRadii hotFinishedCorners(double) and the like are these on doubles.
struct Corners {
    Term outer;
    Term inner;
};

// `millimetres` is t in mm, whatever units the steps are worked in: the bands of the
// cold-formed rule are in mm, and are chosen on the catalogue's own number.
inline Corners hotFinishedCornersOf(Term t, double /*millimetres: one rule for every t*/) {
    return {1.5 * t, t};
}

inline Corners coldFormedCornersOf(Term t, double millimetres) {
    if (millimetres <= 6) {
        return {2 * t, t};
    }
    if (millimetres <= 10) {
        return {2.5 * t, 1.5 * t};
    }
    return {3 * t, 2 * t};
}

// The second moment about the axis along b, and the first moment of each half about it (the
// plastic modulus), of a solid rectangle b wide and d deep whose corners are rounded to radius
// r with centres c from that axis; rounded_corners.cpp says how they come about.
Term roundedRectangleSecondMoment(Term pi, Term b, Term d, Term r, Term c);
Term roundedRectanglePlasticModulus(Term pi, Term b, Term d, Term r, Term c);

// The two rounded rectangles of a wall of outer radius ro and inner radius ri, as steps: the
// inner depth and width, the area the corners lack per r², the corners' centres and both
// areas. Every rounded-corner geometry opens with these.
struct RoundedWall {
    Term Di, Bi, k;
    Term cxo, cyo, cxi, cyi;
    Term Ao, Ai;
};
RoundedWall roundedWallOf(Steps& s, Term pi, Term D, Term B, Term t, Term ro, Term ri);

// The wall's second moments, outer less inner, about x and about y, each as two steps.
Term wallSecondMomentX(Steps& s, Term pi, Term D, Term B, const RoundedWall& w, Term ro, Term ri);
Term wallSecondMomentY(Steps& s, Term pi, Term D, Term B, const RoundedWall& w, Term ro, Term ri);

// The wall's plastic moduli, outer less inner, as steps and as the results' texts in `z`;
// zpx and zpy in the results' units.
std::pair<Term, Term> wallPlasticModuli(Steps& s, Term pi, Term D, Term B, const RoundedWall& w,
                                        Term ro, Term ri, PlasticModuli& z);

// All results of a rectangular section with the exact geometry of straight walls and rounded
// corners of radii ro and ri, with the true pi and no text read back: the one geometry of
// every catalogue that gives corner radii. The dimensions and radii come from earlier steps.
ResultsOutcome roundedCornerResults(Steps& s, Term D, Term B, Term t, Term ro, Term ri);

} // namespace kavrel
