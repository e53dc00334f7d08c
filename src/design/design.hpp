#pragma once

#include "design/design_request.hpp"
#include "design/design_results.hpp"
#include "properties/step_log.hpp"

#include <optional>

namespace kavrel {

// The class and the design resistances of a section of an EN catalogue to the request's code:
// fy of the grade by the wall's band (or the given fy), epsilon, the classes, the class 4
// properties, Nc,Rd, Mc,Rd, Vpl,Rd and flexural buckling at each length. Texts are rounded to
// their decimals, or to `significant` figures. Given a log, every step is recorded there after
// the properties' steps. The request must name a grade.
DesignOutcome designResults(const DesignSection& section, const DesignRequest& request,
                            std::optional<int> significant = std::nullopt, StepLog* log = nullptr);

// Why a request's design options cannot be used, or none: a factor or fy out of its range, a
// length that is not positive.
std::optional<std::string> checkDesignRequest(const DesignRequest& request);

} // namespace kavrel
