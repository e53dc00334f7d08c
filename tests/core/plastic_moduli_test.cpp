#include "commands/find.hpp"

#include <gtest/gtest.h>

#include <numbers>

namespace kavrel {
namespace {

// Expected texts worked out by hand from the section's geometry, not by the program:
// rectangular Zp = 0.001 (b1 t (D - t) + t d1^2 / 2 + (t^2 / 6)(9 pi d1 + 56 t)) with
// b1 = B - 4t, d1 = D - 4t (Zpy: swap D, d1 with B, b1); circular Zp = 0.001 (D^3 - (D-2t)^3) / 6.
struct PlasticCase {
    SectionFamily family;
    SectionDimensions dimensions;
    const char* withFraction; // zpx, zpy with pi = 22/7
    const char* withPi;       // with the true pi
};

const PlasticCase cases[] = {
    // b1 = 17, d1 = 42: Zpx = 0.001 (3470.667 + 252 pi) = 4.262667 / 4.262348,
    // Zpy = 0.001 (2295.667 + 102 pi) = 2.616238 / 2.616109.
    {SectionFamily::RHS, {"50.0", "25.0", "2.0"}, "4.26 2.62", "4.26 2.62"},
    // b1 = 160, d1 = 260: Zpx = 0.001 (811333.333 + 39000 pi) = 933.904762 / 933.855447,
    // Zpy = 0.001 (631333.333 + 24000 pi) = 706.761905 / 706.731557.
    {SectionFamily::RHS, {"300.0", "200.0", "10.0"}, "933.90 706.76", "933.86 706.73"},
    // b1 = d1 = 14.6: 0.001 (850.304 + 277.108 + 164.0427 + 148.044 pi) = 1.756736 / 1.756549.
    {SectionFamily::SHS, {"25.0", "25.0", "2.6"}, "1.76 1.76", "1.76 1.76"},
    // b1 = d1 = 80: 0.001 (38000 + 16000 + 1166.667 + 3000 pi) = 64.595238 / 64.591445.
    {SectionFamily::SHS, {"100.0", "100.0", "5.0"}, "64.60 64.60", "64.59 64.59"},
    // (112678.587 - 65450.827) / 6000 = 7.871293
    {SectionFamily::CHS, {"48.3", "48.3", "4.0"}, "7.87 7.87", "7.87 7.87"},
    // (9663.597 - 5177.717) / 6000 = 0.747647
    {SectionFamily::CHS, {"21.3", "21.3", "2.0"}, ".75 .75", ".75 .75"},
    // (44966103.616 - 36462258.496) / 6000 = 1417.30752
    {SectionFamily::CHS, {"355.6", "355.6", "12.0"}, "1417.31 1417.31", "1417.31 1417.31"},
};

std::string texts(const PlasticOutcome& outcome) {
    const auto* p = std::get_if<PlasticModuli>(&outcome);
    return p ? p->zpx + " " + p->zpy : "failed";
}

TEST(PlasticModuli, AgreeWithHandWorkedValues) {
    for (const PlasticCase& c : cases) {
        const std::string size = *c.dimensions.depth + "x" + *c.dimensions.thickness;
        EXPECT_EQ(texts(plasticModuliOf(Catalogue::IS, c.family, c.dimensions, findPi)),
                  c.withFraction)
            << size;
        EXPECT_EQ(texts(plasticModuliOf(Catalogue::IS, c.family, c.dimensions, std::numbers::pi)),
                  c.withPi)
            << size;
    }
}

TEST(PlasticModuli, FailuresAreValues) {
    const std::string huge(120, '9'); // its cube overflows a double
    EXPECT_TRUE(std::holds_alternative<ArithmeticFailure>(
        plasticModuliOf(Catalogue::IS, SectionFamily::CHS, {huge, huge, "1"}, findPi)));
    EXPECT_TRUE(std::holds_alternative<UnreadableNumber>(
        plasticModuliOf(Catalogue::IS, SectionFamily::RHS, {"50.0", "25.0", "2,0"}, findPi)));
}

} // namespace
} // namespace kavrel
