#include "commands/find.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace kavrel {
namespace {

TEST(Find, WorkedExample) {
    FindInputs in;
    in.rhsText = "50x25x2.0";
    in.rhsSelected = true;
    FindOutcome out = find(in);
    ASSERT_TRUE(std::holds_alternative<SectionProperties>(out));
    const auto& p = std::get<SectionProperties>(out);
    EXPECT_EQ(p.a, "2.74");
    EXPECT_EQ(p.wt, "2.15");
    EXPECT_EQ(p.ixx, "8.38");
    EXPECT_EQ(p.iyy, "2.81");
    EXPECT_EQ(p.zxx, "3.35");
    EXPECT_EQ(p.zyy, "2.25");
    EXPECT_EQ(p.rxx, "1.75");
    EXPECT_EQ(p.ryy, "1.01");
    EXPECT_EQ(p.sa, ".140");
    EXPECT_EQ(p.j, "7.03");
    EXPECT_EQ(p.b, "3.84");
}

} // namespace
} // namespace kavrel
