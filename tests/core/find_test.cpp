#include "catalogue/catalogue.hpp"
#include "commands/find.hpp"
#include "properties_cases.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>

namespace kavrel {
namespace {

const SectionProperties rhs50x25{"2.74", "2.15", "8.38", "2.81", "3.35", "2.25",
                                 "1.75", "1.01", "7.03", "3.84", ".140"};
const SectionProperties shs25x25{"1.43", "1.12", "1.28", "1.28", "1.02", "1.02",
                                 ".95",  ".95",  "2.10", "1.50", ".092"};
const SectionProperties chs15nb{"1.21", ".95", ".57",  ".57",  ".54", ".54",
                                ".69",  ".69", "1.14", "1.08", ".067"};
const SectionProperties circular50x25{"3.02", "2.37", "8.70",  "8.70", "3.48", "6.96",
                                      "1.70", "1.70", "17.40", "6.96", ".157"};

struct FindCase {
    const char* name;
    FindInputs inputs;
    SectionProperties expected;
};

const FindCase findCases[] = {
    {"RHS selected", {"50x25x2.0", "", "", true, false}, rhs50x25},
    {"SHS selected", {"", "25x25x1.6", "", false, true}, shs25x25},
    {"CHS selected", {"", "", "15NBx2.0(L)", false, false}, chs15nb},
    {"no option, CHS text", {"", "", "15NBx2.0(L)", false, false}, chs15nb},
    {"no option, RHS text runs the circular set",
     {"50x25x2.0", "", "", false, false},
     circular50x25},
    {"SHS selected, the RHS list wins the lookup",
     {"50x25x2.0", "25x25x1.6", "", false, true},
     rhs50x25},
};

class FindCommand : public testing::TestWithParam<const char*> {};

TEST_P(FindCommand, ChoosesTheFormulasByTheOptionsAlone) {
    const std::string separator = GetParam();
    for (const FindCase& c : findCases) {
        expectTexts(find(c.inputs, separator), withSeparator(c.expected, separator), c.name);
    }
}

INSTANTIATE_TEST_SUITE_P(Separators, FindCommand, testing::Values(".", ","));

TEST(FindCommandFailures, NothingUsableInTheListsIsASilentArithmeticFailure) {
    const FindInputs inputs[] = {
        {"", "", "", true, false},
        {"", "", "", false, true},
        {"", "", "", false, false},
        {"25x25x1.6", "", "", true, false},
        {"50X25X2.6", "", "", true, false},
        {"", "50x25x2.0", "", false, true},
        {std::string(10000, 'x'), "", "", true, false},
    };
    for (const FindInputs& in : inputs) {
        EXPECT_TRUE(std::holds_alternative<ArithmeticFailure>(find(in)));
    }
}

TEST(FindCommandFailures, TheUnreadableNumberCarriesItsMessage) {
    EXPECT_EQ(UnreadableNumber::message, "Select The Required Section And Click Find");
}

// A read-back result is an exact rational of the texts it reads: W = A' x 0.785,
// Z = 2 I' / (0.1 D). Rounded exactly, half away from zero, it must equal Find's text for
// every catalogue section. Where that rational is a tie, rounding the binary double instead
// would often go the wrong way; this finds those sections by construction.
std::int64_t hundredths(const std::string& text) {
    std::string digits;
    for (const char c : text) {
        if (c != '.') {
            digits += c;
        }
    }
    return std::stoll(digits);
}

std::string roundedHundredths(std::int64_t numerator, std::int64_t denominator, bool& tie) {
    const std::int64_t twice = 2 * numerator;
    tie = twice % denominator == 0 && (twice / denominator) % 2 == 1;
    const std::int64_t units = (twice / denominator + 1) / 2; // half away from zero
    std::string integer = std::to_string(units / 100);
    std::string fraction = std::to_string(units % 100);
    if (fraction.size() < 2) {
        fraction.insert(0, 1, '0');
    }
    return (integer == "0" ? "" : integer) + "." + fraction;
}

TEST(FindCommandRounding, ReadBackResultsRoundTheirExactValueEvenOnTies) {
    int ties = 0;
    std::set<std::string> tiedNames;
    for (const SectionFamily family : allFamilies) {
        for (const CatalogueEntry& entry : entriesOf(family)) {
            const FindInputs in = findInputsFor(family, entry.designation);
            const auto p = std::get<SectionProperties>(find(in));
            const std::int64_t depthTenths = hundredths(std::string(entry.depth));
            const std::int64_t widthTenths = hundredths(std::string(entry.width));
            struct {
                const std::string* text;
                std::int64_t numerator, denominator;
                const char* name;
            } checks[] = {
                // hundredths of W = A'(hundredths) x 785 / 1000
                {&p.wt, hundredths(p.a) * 785, 1000, "W"},
                // hundredths of Z = 200 I'(hundredths) / D(tenths)
                {&p.zxx, 200 * hundredths(p.ixx), depthTenths, "Zxx"},
                {&p.zyy, 200 * hundredths(p.iyy), widthTenths, "Zyy"},
            };
            for (const auto& check : checks) {
                bool tie = false;
                EXPECT_EQ(*check.text, roundedHundredths(check.numerator, check.denominator, tie))
                    << entry.designation << " " << check.name;
                if (tie) {
                    ++ties;
                    tiedNames.insert(std::string(entry.designation) + " " + check.name);
                }
            }
        }
    }
    EXPECT_TRUE(tiedNames.count("240x120x10 Zxx"));
    EXPECT_TRUE(tiedNames.count("80x40x4.0 Zyy"));
    EXPECT_TRUE(tiedNames.count("120x60x3.2 Zxx"));
    EXPECT_GT(ties, 3);
}

TEST(FindCommandRounding, TheNamedTiesShowTheirExactRounding) {
    const auto zxx = [](const char* rhs) {
        return std::get<SectionProperties>(find({rhs, "", "", true, false}));
    };
    EXPECT_EQ(zxx("240x120x10").zxx, "382.67");
    EXPECT_EQ(zxx("80x40x4.0").zyy, "10.75");
    EXPECT_EQ(zxx("120x60x3.2").zxx, "33.32");
}

} // namespace
} // namespace kavrel
