#pragma once

#include <string_view>

namespace kavrel {

// Whether `text` names the HSS of this Manual label ("HSS8X4X1/4", "HSS3-1/2X2X1/4",
// "HSS6.625X0.280"), without regard to case: the label itself, or the same dimensions written
// with decimals ("HSS8X4X.250", "HSS3.500X2X.25"). A decimal with k digits after the point
// names a dimension that rounds (half away from zero) to it at k digits, and has at least as
// many digits as the dimension needs, up to three: ".313" names 5/16, ".3" does not.
bool namesHss(std::string_view label, std::string_view text);

} // namespace kavrel
