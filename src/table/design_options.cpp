#include "design/design.hpp"
#include "properties/number_text.hpp"
#include "table/table_request.hpp"

#include <cmath>

namespace kavrel {

std::variant<SteelGrade, TableError> parseGrade(std::string_view text) {
    if (const std::optional<SteelGrade> grade = gradeNamed(text)) {
        return *grade;
    }
    return badRequest("unknown grade " + quoted(text) +
                      " (S235, S275, S355, S420 or S460; for IS YSt210, YSt240, YSt310 or YSt355)");
}

std::variant<double, TableError> parseYieldStrength(std::string_view text) {
    const std::optional<double> fy = readNumber(text);
    if (!fy || *fy < 100 || *fy > 1000) {
        return badRequest(quoted(text) + " is not a yield strength of 100 to 1000 N/mm^2");
    }
    return *fy;
}

std::variant<double, TableError> parsePartialFactor(std::string_view text) {
    const std::optional<double> factor = readNumber(text);
    if (!factor || *factor < 1 || *factor > 2) {
        return badRequest(quoted(text) + " is not a partial factor of 1.0 to 2.0");
    }
    return *factor;
}

std::variant<FlatWidth, TableError> parseFlatWidth(std::string_view text) {
    if (text == "3t") {
        return FlatWidth::ThreeT;
    }
    if (text == "corners") {
        return FlatWidth::Corners;
    }
    if (text == "2t") {
        return FlatWidth::TwoT;
    }
    return badRequest("unknown flat width rule " + quoted(text) + " (2t, 3t or corners)");
}

std::variant<FormingRoute, TableError> parseForming(std::string_view text) {
    if (text == "cold") {
        return FormingRoute::ColdFormed;
    }
    if (text == "hot") {
        return FormingRoute::HotFinished;
    }
    return badRequest("unknown forming route " + quoted(text) + " (cold or hot)");
}

std::variant<BucklingLength, TableError> parseLength(std::string_view text) {
    const std::optional<double> metres = readNumber(text);
    if (!metres || !(*metres > 0) || !std::isfinite(*metres)) {
        return badRequest(quoted(text) + " is not a buckling length in metres above 0");
    }
    return BucklingLength{std::string(text), *metres};
}

} // namespace kavrel
