#pragma once

#include "properties/result_descriptions.hpp"
#include "properties/steps.hpp"

namespace kavrel {

// A result's step as its description names it: its column, meaning, unit and the pattern of
// the formula set.
template <typename Table, typename Texts>
consteval ResultStep resultStepIn(const Table& table, std::string Texts::*field, Shape shape) {
    for (const auto& r : table) {
        if (r.field == field) {
            return {{r.column, r.meaning, r.unit},
                    shape == Shape::Rectangular ? r.rectangular : r.circular,
                    r.quantity};
        }
    }
    throw "not a result";
}

consteval ResultStep resultStep(std::string SectionProperties::*field, Shape shape) {
    return resultStepIn(findResults, field, shape);
}

consteval ResultStep resultStep(std::string PlasticModuli::*field, Shape shape) {
    return resultStepIn(plasticResults, field, shape);
}

} // namespace kavrel
