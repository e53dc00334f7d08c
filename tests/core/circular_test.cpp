#include "properties/formulas.hpp"
#include "properties_cases.hpp"

#include <gtest/gtest.h>

namespace kavrel {
namespace {

const double pi = 22.0 / 7.0;

struct CircularCase {
    SectionDimensions dimensions;
    SectionProperties texts; // a, wt, ixx, iyy, zxx, zyy, rxx, ryy, j, c, sa
};

// The outer surface area is in m^2 per metre, as for the rectangular sections.
const CircularCase cases[] = {
    {{"21.3", "21.3", "2.0"},
     {"1.21", ".95", ".57", ".57", ".54", ".54", ".69", ".69", "1.14", "1.08", ".067"}},
    {{"355.6", "355.6", "12.0"},
     {"129.59", "101.73", "19147.18", "19147.18", "1076.89", "1076.89", "12.16", "12.16",
      "38294.36", "2153.78", "1.118"}},
    // The width enters only Zyy.
    {{"50.0", "25.0", "2.0"},
     {"3.02", "2.37", "8.70", "8.70", "3.48", "6.96", "1.70", "1.70", "17.40", "6.96", ".157"}},
};

class Circular : public testing::TestWithParam<const char*> {};

TEST_P(Circular, ReproducesTheWorkedSections) {
    const std::string separator = GetParam();
    for (const CircularCase& c : cases) {
        expectTexts(circularProperties(c.dimensions, pi, separator),
                    withSeparator(c.texts, separator), *c.dimensions.depth);
    }
}

INSTANTIATE_TEST_SUITE_P(Separators, Circular, testing::Values(".", ","));

TEST(CircularReadBack, TwiceTheShownSecondMoment) {
    const auto p = std::get<SectionProperties>(circularProperties({"26.9", "26.9", "2.3"}, pi));
    EXPECT_EQ(p.ixx, "1.36");
    EXPECT_EQ(p.j, "2.72"); // twice the unrounded 1.3569 would be 2.71
}

TEST(CircularFailures, AreTypedAndProduceNoTexts) {
    EXPECT_TRUE(std::holds_alternative<ArithmeticFailure>(circularProperties({}, pi)));
    EXPECT_TRUE(
        std::holds_alternative<ArithmeticFailure>(circularProperties({"21.3", "0.0", "2.0"}, pi)));
    EXPECT_TRUE(
        std::holds_alternative<UnreadableNumber>(circularProperties({"21.3", "21.3", "x"}, pi)));
    EXPECT_TRUE(
        std::holds_alternative<UnreadableNumber>(circularProperties({"21.3", "wide", "2.0"}, pi)));
    // The width is read only at Zyy: a zero diameter fails first, at Zxx.
    EXPECT_TRUE(
        std::holds_alternative<ArithmeticFailure>(circularProperties({"0.0", "wide", "2.0"}, pi)));
}

} // namespace
} // namespace kavrel
