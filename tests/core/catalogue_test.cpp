#include "catalogue/catalogue.hpp"
#include "properties/number_text.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

namespace kavrel {
namespace {

// The dimension rule worked out from a designation alone, independently of the stored table.
std::string oneDecimal(std::string number) {
    return number.find('.') == std::string::npos ? number + ".0" : number;
}

SectionDimensions byRule(SectionFamily family, const std::string& designation) {
    static const std::map<std::string, std::string> outsideDiameter = {
        {"15", "21.3"},   {"20", "26.9"},   {"25", "33.7"},   {"32", "42.4"},
        {"40", "48.3"},   {"50", "60.3"},   {"65", "76.1"},   {"80", "88.9"},
        {"100", "114.3"}, {"125", "139.7"}, {"150", "168.3"}, {"175", "193.7"},
        {"200", "219.1"}, {"250", "273.0"}, {"300", "323.9"}, {"350", "355.6"}};
    if (family == SectionFamily::CHS) {
        const std::string bore = designation.substr(0, designation.find("NB"));
        const std::size_t x = designation.find('x');
        const std::string t = designation.substr(x + 1, designation.find('(') - x - 1);
        return {outsideDiameter.at(bore), outsideDiameter.at(bore), oneDecimal(t)};
    }
    const std::size_t x1 = designation.find('x');
    const std::size_t x2 = designation.find('x', x1 + 1);
    return {oneDecimal(designation.substr(0, x1)),
            oneDecimal(designation.substr(x1 + 1, x2 - x1 - 1)),
            oneDecimal(designation.substr(x2 + 1))};
}

TEST(Catalogue, HoldsTheSizesInDisplayOrder) {
    EXPECT_EQ(designationsOf(SectionFamily::RHS).size(), 62u);
    EXPECT_EQ(designationsOf(SectionFamily::SHS).size(), 69u);
    EXPECT_EQ(designationsOf(SectionFamily::CHS).size(), 60u);
    EXPECT_EQ(designationsOf(SectionFamily::RHS).front(), "50x25x2.0");
    EXPECT_EQ(designationsOf(SectionFamily::SHS).back(), "280x280x10");
    const auto chs = designationsOf(SectionFamily::CHS);
    EXPECT_EQ(chs.back(), "350NBx12");
    const auto at = std::find(chs.begin(), chs.end(), "175NBx12");
    ASSERT_NE(at, chs.end());
    EXPECT_EQ(*(at - 1), "175NBx10");
    EXPECT_EQ(*(at + 1), "200NBx4.8");
}

TEST(Catalogue, EveryEntryFollowsTheDimensionRuleAndTheInvariants) {
    std::set<std::string> seen;
    for (const SectionFamily family : allFamilies) {
        double previousDepth = 0, previousWidth = 0, previousThickness = 0;
        for (const CatalogueEntry& entry : entriesOf(family)) {
            const std::string designation(entry.designation);
            EXPECT_TRUE(seen.insert(designation).second) << designation << " twice";
            EXPECT_EQ(designation.find(' '), std::string::npos);
            EXPECT_EQ(entry.dimensions(), byRule(family, designation)) << designation;
            const double d = readNumber(entry.depth).value_or(-1);
            const double b = readNumber(entry.width).value_or(-1);
            const double t = readNumber(entry.thickness).value_or(-1);
            if (family == SectionFamily::RHS) {
                EXPECT_GT(d, b) << designation;
            } else {
                EXPECT_EQ(entry.depth, entry.width) << designation;
            }
            if (family == SectionFamily::CHS) {
                EXPECT_NE(designation.find("NB"), std::string::npos);
            }
            // By size, then by thickness within one size.
            const bool sameSize = d == previousDepth && b == previousWidth;
            EXPECT_TRUE(sameSize ? t > previousThickness
                                 : (d > previousDepth || (d == previousDepth && b > previousWidth)))
                << designation;
            previousDepth = d;
            previousWidth = b;
            previousThickness = t;
        }
    }
    EXPECT_EQ(seen.size(), 191u);
}

struct LookupCase {
    const char* rhs;
    const char* shs;
    const char* chs;
    SectionDimensions expected;
};

const SectionDimensions none{};

const LookupCase lookupCases[] = {
    {"50x25x2.0", "", "", {"50.0", "25.0", "2.0"}},
    {"240x120x10", "", "", {"240.0", "120.0", "10.0"}},
    {"", "280x280x10", "", {"280.0", "280.0", "10.0"}},
    {"", "91.5x91.5x3.6", "", {"91.5", "91.5", "3.6"}},
    {"", "113.5x113.5x5.4", "", {"113.5", "113.5", "5.4"}},
    {"", "40x40x3.0", "", {"40.0", "40.0", "3.0"}},
    {"", "", "15NBx2.0(L)", {"21.3", "21.3", "2.0"}},
    {"", "", "250NBx5.9", {"273.0", "273.0", "5.9"}},
    {"", "", "350NBx12", {"355.6", "355.6", "12.0"}},
    // Exact comparison: any differing character finds nothing.
    {"50X25X2.0", "", "", none},
    {" 50x25x2.0", "", "", none},
    {"50x25x2.0 ", "", "", none},
    {"50x25x2", "", "", none},
    {"240x120x10.0", "", "", none},
    {"", "", "15NBx2.0", none},
    {"", "", "150NBx4.5(L)", none},
    // A designation counts only in its own family's list.
    {"25x25x1.6", "", "", none},
    {"", "50x25x2.0", "15NBx2.0(L)", {"21.3", "21.3", "2.0"}},
    {"", "", "", none},
    // RHS wins over SHS, SHS over CHS.
    {"50x25x2.0", "25x25x1.6", "", {"50.0", "25.0", "2.0"}},
    {"nothing", "", "15NBx2.0(L)", {"21.3", "21.3", "2.0"}},
    {"", "25x25x1.6", "15NBx2.0(L)", {"25.0", "25.0", "1.6"}},
};

TEST(LookupDimensions, ComparesEachListWithItsOwnFamilyInOrder) {
    for (const LookupCase& c : lookupCases) {
        EXPECT_EQ(lookupDimensions(c.rhs, c.shs, c.chs), c.expected)
            << '"' << c.rhs << "\" \"" << c.shs << "\" \"" << c.chs << '"';
    }
}

TEST(LookupDimensions, NothingFoundIsNoValueRatherThanEmptyTexts) {
    const SectionDimensions d = lookupDimensions("", "", "");
    EXPECT_FALSE(d.depth.has_value());
    EXPECT_FALSE(d.width.has_value());
    EXPECT_FALSE(d.thickness.has_value());
}

} // namespace
} // namespace kavrel
