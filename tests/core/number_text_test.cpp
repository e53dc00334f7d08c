#include "properties/number_text.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace kavrel {
namespace {

struct FormatCase {
    double value;
    Pattern pattern;
    const char* text; // with "." as the separator
};

const FormatCase formatCases[] = {
    {0, Pattern::Int4Dec2, ".00"},
    {0.004, Pattern::Int4Dec2, ".00"},
    {0.005, Pattern::Int4Dec2, ".01"},
    {0.5, Pattern::Int4Dec2, ".50"},
    {1, Pattern::Int5Dec2, "1.00"},
    {0.125, Pattern::Int6Dec2, ".13"},
    {1.005, Pattern::Int6Dec2, "1.01"},
    {2.675, Pattern::Int7Dec2, "2.68"},
    {99.995, Pattern::Int4Dec2, "100.00"},
    {1234.5, Pattern::Int4Dec2, "1234.50"},
    {123456.789, Pattern::Int4Dec2, "123456.79"},
    {0.1425, Pattern::Int6Dec3, ".143"},
    {1.99951, Pattern::Int6Dec3, "2.000"},
    {-1.234, Pattern::Int4Dec2, "-1.23"},
    {-0.5, Pattern::Int4Dec2, "-.50"},
    {-0.001, Pattern::Int4Dec2, ".00"}, // no "-" on a value that rounds to zero
    {0, Pattern::Int6Dec3, ".000"},
    {382.66499999999996, Pattern::Int5Dec2, "382.67"},
    {1e-300, Pattern::Int4Dec2, ".00"},
    {1e20, Pattern::Int4Dec2, "100000000000000000000.00"},
};

class FormatResult : public testing::TestWithParam<const char*> {};

TEST_P(FormatResult, WritesTheTableUnderEachSeparator) {
    const std::string separator = GetParam();
    for (const FormatCase& c : formatCases) {
        std::string expected = c.text;
        expected.replace(expected.find('.'), 1, separator);
        EXPECT_EQ(formatResult(c.value, c.pattern, separator), expected) << c.value;
    }
}

TEST_P(FormatResult, ReadsItsOwnTextsBackAsTheRoundedValue) {
    const std::string separator = GetParam();
    for (const FormatCase& c : formatCases) {
        const std::string text = formatResult(c.value, c.pattern, separator);
        const std::optional<double> back = readNumber(text, separator);
        ASSERT_TRUE(back) << text;
        EXPECT_EQ(formatResult(*back, c.pattern, separator), text);
        EXPECT_LE(std::fabs(*back - c.value), 0.5 * std::pow(10.0, -decimalsOf(c.pattern)) + 1e-9)
            << text;
    }
}

INSTANTIATE_TEST_SUITE_P(Separators, FormatResult, testing::Values(".", ","));

TEST(FormatResultNonFinite, GivesTheEmptyText) {
    for (const double v : {INFINITY, -INFINITY, NAN}) {
        EXPECT_EQ(formatResult(v, Pattern::Int4Dec2), "");
    }
}

struct ReadCase {
    const char* text;
    const char* separator;
    std::optional<double> value;
};

const ReadCase readCases[] = {
    {"25.0", ".", 25.0},
    {"113.5", ".", 113.5},
    {"2.74", ".", 2.74},
    {".95", ".", 0.95},
    {"-1.23", ".", -1.23},
    {"7", ".", 7.0},
    {"5.", ".", 5.0},
    {"-.50", ".", -0.5},
    {"2,74", ",", 2.74},
    {"25.0", ",", 25.0},
    {",95", ",", 0.95},
    {"2,74", ".", std::nullopt},
    {"", ".", std::nullopt},
    {"-", ".", std::nullopt},
    {".", ".", std::nullopt},
    {",", ",", std::nullopt},
    {" 1.0", ".", std::nullopt},
    {"1.0 ", ".", std::nullopt},
    {"+1.0", ".", std::nullopt},
    {"1e5", ".", std::nullopt},
    {"inf", ".", std::nullopt},
    {"nan", ".", std::nullopt},
    {"1.2.3", ".", std::nullopt},
    {"1,2.3", ",", std::nullopt},
    {"--1", ".", std::nullopt},
    {"0x10", ".", std::nullopt},
    {"100000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
     "000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
     "000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
     "0000000000000000000000000000000000000",
     ".", std::nullopt},
};

TEST(ReadNumber, AcceptsExactlyDecimalNumbers) {
    for (const ReadCase& c : readCases) {
        EXPECT_EQ(readNumber(std::string_view(c.text), c.separator), c.value)
            << '"' << c.text << "\" with " << c.separator;
    }
}

TEST(ReadNumber, AFieldWithNoValueIsZeroButAnEmptyTextIsNoNumber) {
    EXPECT_EQ(readNumber(std::optional<std::string>()), 0.0);
    EXPECT_EQ(readNumber(std::optional<std::string>("")), std::nullopt);
}

TEST(FormatSignificant, RoundsThe15DigitDecimalToTheFigures) {
    const struct {
        double value;
        int figures;
        const char* text;
    } cases[] = {
        {7.3, 3, "7.30"},
        {2436.7, 3, "2440"},
        {0.92449, 3, ".924"},
        {0.0914159, 3, ".0914"},
        {9.996, 3, "10.0"},
        {99950, 3, "100000"},
        {2.675, 3, "2.68"},
        {-1.25, 2, "-1.3"},
        {-0.004, 1, "-.004"},
        {0, 3, ".00"},
        {123.456, 15, "123.456000000000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatSignificant(c.value, c.figures), c.text) << c.value;
    }
    EXPECT_EQ(formatSignificant(0.92449, 3, ","), ",924");
}

} // namespace
} // namespace kavrel
