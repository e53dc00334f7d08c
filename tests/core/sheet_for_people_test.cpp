// The text and HTML sheets write numbers as a person does, and what they write still computes:
// a substituted line evaluates to the value shown under it, the JSON's exactly to its value.
#include "every_nth_size.hpp"
#include "sheet/calculation_sheet.hpp"
#include "sheet/explain.hpp"
#include "sheet/formula_text.hpp"
#include "table/table_sizes.hpp"

#include <gtest/gtest.h>

#include <cctype>
#include <charconv>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace kavrel {
namespace {

// Evaluates an ASCII formula of numbers in the program's order: + - * /, ^ with a whole
// exponent as repeated products, sqrt(...), parentheses, a leading minus in parentheses.
class Evaluator {
  public:
    explicit Evaluator(std::string_view text) : text_(text) {}

    std::optional<double> value() {
        const double result = sum();
        skipBlanks();
        return ok_ && at_ == text_.size() ? std::optional(result) : std::nullopt;
    }

  private:
    void skipBlanks() {
        while (at_ < text_.size() && text_[at_] == ' ') {
            ++at_;
        }
    }
    bool take(char c) {
        skipBlanks();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    double sum() {
        double left = product();
        for (;;) {
            if (take('+')) {
                left = left + product();
            } else if (take('-')) {
                left = left - product();
            } else {
                return left;
            }
        }
    }
    double product() {
        double left = power();
        for (;;) {
            if (take('*')) {
                left = left * power();
            } else if (take('/')) {
                left = left / power();
            } else {
                return left;
            }
        }
    }
    double power() {
        const double base = atom();
        if (!take('^')) {
            return base;
        }
        skipBlanks();
        int exponent = 0;
        const auto [end, error] =
            std::from_chars(text_.data() + at_, text_.data() + text_.size(), exponent);
        ok_ = ok_ && error == std::errc();
        at_ = static_cast<std::size_t>(end - text_.data());
        double out = base;
        for (int i = 1; i < exponent; ++i) {
            out = out * base;
        }
        return out;
    }
    double atom() {
        skipBlanks();
        if (text_.substr(at_).starts_with("sqrt(")) {
            at_ += 5;
            const double inner = sum();
            ok_ = ok_ && take(')');
            return std::sqrt(inner);
        }
        if (take('(')) {
            const double inner = take('-') ? -sum() : sum();
            ok_ = ok_ && take(')');
            return inner;
        }
        double number = 0;
        const auto [end, error] =
            std::from_chars(text_.data() + at_, text_.data() + text_.size(), number);
        ok_ = ok_ && error == std::errc();
        at_ = static_cast<std::size_t>(end - text_.data());
        return number;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

// The significant figures of a decimal text.
int figures(std::string_view number) {
    std::size_t first = 0;
    while (first < number.size() && (number[first] == '0' || number[first] == '.')) {
        ++first;
    }
    std::size_t last = number.size();
    while (last > first && (number[last - 1] == '0' || number[last - 1] == '.')) {
        --last;
    }
    int count = 0;
    for (std::size_t i = first; i < last; ++i) {
        count += number[i] != '.';
    }
    return count;
}

struct SheetCase {
    const char* name;
    TableRequest request;
};

// Each catalogue in its own units and worked in the other system, where every dimension
// is converted as it is read and so carries more figures than its catalogue's text.
const SheetCase sheetCases[] = {
    {"IS, 22/7", {.catalogues = {Catalogue::IS}}},
    {"IS, true pi", {.pi = std::numbers::pi, .catalogues = {Catalogue::IS}}},
    {"EN 10210", {.catalogues = {Catalogue::EN10210}}},
    {"EN 10219", {.catalogues = {Catalogue::EN10219}}},
    {"AISC", {.catalogues = {Catalogue::AISC}}},
    {"IS, 22/7, US units", {.catalogues = {Catalogue::IS}, .units = UnitSystem::US}},
    {"IS, true pi, US units",
     {.pi = std::numbers::pi, .catalogues = {Catalogue::IS}, .units = UnitSystem::US}},
    {"EN 10210, US units", {.catalogues = {Catalogue::EN10210}, .units = UnitSystem::US}},
    {"EN 10219, US units", {.catalogues = {Catalogue::EN10219}, .units = UnitSystem::US}},
    {"AISC, metric units", {.catalogues = {Catalogue::AISC}, .units = UnitSystem::Metric}},
};

// Every run of digits, with its decimals, as the regex [0-9]+(\.[0-9]+)? finds them in turn;
// scanned by hand and without copies, as this runs over every sheet under the sanitizers too.
template <typename Visit> std::size_t forEachNumberIn(std::string_view bytes, Visit visit) {
    const auto digit = [&](std::size_t i) {
        return i < bytes.size() && bytes[i] >= '0' && bytes[i] <= '9';
    };
    std::size_t count = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        if (!digit(i)) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (digit(i)) {
            ++i;
        }
        if (i < bytes.size() && bytes[i] == '.' && digit(i + 1)) {
            ++i;
            while (digit(i)) {
                ++i;
            }
        }
        visit(bytes.substr(start, i - start));
        ++count;
    }
    return count;
}

// Each case a test of its own, so that the cases share the cores.
class SheetsForPeople : public testing::TestWithParam<SheetCase> {};

std::string caseName(const testing::TestParamInfo<SheetCase>& info) {
    std::string name;
    for (const char c : std::string_view(info.param.name)) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            name += c;
        } else if (!name.empty() && name.back() != '_') {
            name += '_';
        }
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Catalogues, SheetsForPeople, testing::ValuesIn(sheetCases), caseName);

TEST_P(SheetsForPeople, NoNumberHasMoreThanTenFiguresOutsideTheJson) {
    const SheetCase& sheets = GetParam();
    for (const SheetFormat format : {SheetFormat::Text, SheetFormat::Html}) {
        TableRequest request = sheets.request;
        const auto sizes = catalogueSizes(request.catalogues);
        for (std::size_t i = 0; i < sizes.size(); i += test::everyNthSize()) {
            request.sizes.push_back(sizes[i].designation);
        }
        const std::string bytes = explainSizes(request, format).bytes;
        ASSERT_GT(bytes.size(), 10000u) << sheets.name;
        std::string_view tooLong;
        const std::size_t numbers = forEachNumberIn(bytes, [&](std::string_view n) {
            if (tooLong.empty() && figures(n) > peopleFigures) {
                tooLong = n;
            }
        });
        EXPECT_EQ(tooLong, "") << sheets.name;
        EXPECT_GT(numbers, 1000u) << sheets.name;
    }
}

// Each substituted line computes the value shown under it to the figures shown (a step
// whose shown inputs lose figures to a subtraction is held to what the inputs carry); the
// JSON's numbers compute their value exactly. So does a text read back and converted to the
// units the steps are worked in.
TEST_P(SheetsForPeople, SubstitutedNumbersComputeTheShownValue) {
    const SheetCase& sheets = GetParam();
    const auto computation =
        std::get<Computation>(computationOf(sheets.request, sheets.request.catalogues));
    int steps = 0;
    int fewFigures = 0; // values shown with two figures fewer than ten or more
    int conversions = 0;
    const auto sizes = catalogueSizes(sheets.request.catalogues);
    for (std::size_t i = 0; i < sizes.size(); i += test::everyNthSize()) {
        const TableSize& size = sizes[i];
        const CalculationSheet sheet = calculationSheet(size, computation, false);
        const auto check = [&](const FormulaNode& formula, double value, std::string_view name) {
            ++steps;
            const std::string exact = asciiFormula(formula, Notation::Numbers);
            const auto exactValue = Evaluator(exact).value();
            ASSERT_TRUE(exactValue) << exact;
            ASSERT_EQ(*exactValue, value) << size.designation << ": " << exact;

            const std::string people = asciiFormula(formula, Notation::Numbers, Figures::ForPeople);
            const auto peopleValue = Evaluator(people).value();
            ASSERT_TRUE(peopleValue) << people;
            const std::string shown = shownValue(value, &formula);
            ASSERT_LE(figures(shown), peopleFigures);
            // Some count of figures gives the shown text from the value and from the
            // shown numbers alike.
            bool agrees = false;
            for (int n = 1; n <= peopleFigures && !agrees; ++n) {
                agrees = personText(value, n) == shown && personText(*peopleValue, n) == shown;
            }
            ASSERT_TRUE(agrees) << sheets.name << ", " << size.designation << ", " << name << ": "
                                << people << " = " << shown;
            if (figures(shown) + 2 < figures(personText(value))) {
                ++fewFigures;
            }
        };
        for (const RecordedStep& step : sheet.log->steps) {
            if (!step.formula || step.failure) {
                continue;
            }
            ASSERT_NO_FATAL_FAILURE(check(*step.formula, step.value, step.name.name));
            if (const FormulaNode* conversion = step.readBackConversion) {
                ++conversions;
                ASSERT_NO_FATAL_FAILURE(check(*conversion, conversion->value, step.name.name));
            }
        }
    }
    EXPECT_GT(steps, 1000 / static_cast<int>(test::everyNthSize())) << sheets.name;
    // A share of the whole catalogue: a spread of its sizes may hold more of the few.
    if (test::everyNthSize() == 1) {
        EXPECT_LT(fewFigures * 100, steps) << sheets.name << ": " << fewFigures;
    }
    // The IS formulas read back texts: worked in US units, from their metric texts.
    const bool readsConverted = sheets.request.catalogues.front() == Catalogue::IS &&
                                sheets.request.units == UnitSystem::US;
    EXPECT_EQ(conversions > 0, readsConverted) << sheets.name;
}

// A given size that --family leaves out is named with the reason, never silently dropped.
TEST(SheetForPeople, ASizeTheFamiliesLeaveOutIsNamed) {
    const ExplainOutcome none =
        explainSizes({.sizes = {"50x25x2.0"}, .families = {SectionFamily::CHS}}, SheetFormat::Text);
    EXPECT_EQ(none.sheetCount, 0u);
    EXPECT_TRUE(none.bytes.empty());
    ASSERT_EQ(none.leftOut.size(), 1u);
    EXPECT_EQ(none.leftOut[0],
              "50x25x2.0 is left out: its family, RHS, is not among those --family names");
    const ExplainOutcome one =
        explainSizes({.sizes = {"50x25x2.0", "15NBx2.0(L)"}, .families = {SectionFamily::RHS}},
                     SheetFormat::Text);
    EXPECT_EQ(one.sheetCount, 1u);
    EXPECT_EQ(one.leftOut.size(), 1u);
    EXPECT_NE(one.bytes.find("Calculation sheet of 50x25x2.0"), std::string::npos);
}

// The head's fields: given, in every format; not given, present and empty, for the pen.
TEST(SheetForPeople, TheHeadCarriesProjectNamesAndDate) {
    const SheetFields fields{"Hall 3 <east>", "A. Rao", "B. Iyer", "2026-12-09"};
    const struct {
        SheetFormat format;
        std::vector<std::string> given;
        std::vector<std::string> empty;
    } cases[] = {
        {SheetFormat::Text,
         {"Project      Hall 3 <east>\n", "Made by      A. Rao\n", "Checked by   B. Iyer\n",
          "Date         2026-12-09\n"},
         {"\nProject\nMade by\nChecked by\nDate\nProgram"}},
        {SheetFormat::Html,
         {"<th>Project</th><td>Hall 3 &lt;east&gt;</td>", "<th>Checked by</th><td>B. Iyer</td>"},
         {"<th>Date</th><td></td>"}},
        {SheetFormat::Json,
         {"\"project\":\"Hall 3 <east>\",\"calculatedBy\":\"A. Rao\",\"checkedBy\":\"B. "
          "Iyer\",\"date\":\"2026-12-09\""},
         {"\"project\":\"\",\"calculatedBy\":\"\",\"checkedBy\":\"\",\"date\":\"\""}},
    };
    for (const auto& c : cases) {
        const std::string with = sheetOf({}, "50x25x2.0", c.format, fields).bytes;
        const std::string without = sheetOf({}, "50x25x2.0", c.format).bytes;
        for (const std::string& line : c.given) {
            EXPECT_NE(with.find(line), std::string::npos) << line << "\n" << with.substr(0, 600);
        }
        for (const std::string& line : c.empty) {
            EXPECT_NE(without.find(line), std::string::npos) << line << "\n"
                                                             << without.substr(0, 600);
        }
    }
}

// A description reads as words with its symbols typeset as in the formulas; words that only
// look like symbols stay words.
TEST(SheetForPeople, DescriptionsSetTheirSymbolsInItalics) {
    const std::string_view steps[] = {"b1", "Ah", "K"};
    const struct {
        const char* text;
        const char* html;
    } cases[] = {
        {"straight length of each wall along the width, B - 4t",
         "straight length of each wall along the width, <var>B</var> &minus; 4<var>t</var>"},
        {"torsion factor, 2 Ah t / h",
         "torsion factor, 2 <var>A</var><sub>h</sub> <var>t</var> / <var>h</var>"},
        {"area that four corners of radius r lack against square ones, per r^2",
         "area that four corners of radius <var>r</var> lack against square ones, per "
         "<var>r</var><sup>2</sup>"},
        {"epsilon, sqrt(235 / fy)", "&epsilon;, &radic;(235 / <var>f</var><sub>y</sub>)"},
        {"imperfection factor of buckling curve a, the wall's class b",
         "imperfection factor of buckling curve a, the wall's class b"},
        {"corner radius, (ro + ri)/2 and 1.5t <= 16 mm",
         "corner radius, (<var>r</var><sub>o</sub> + <var>r</var><sub>i</sub>)/2 and "
         "1.5<var>t</var> &lt;= 16 mm"},
        {"the mid-line of b1 at x-x", "the mid-line of <var>b</var><sub>1</sub> at "
                                      "<var>x</var>-<var>x</var>"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(htmlDescription(c.text, steps), c.html) << c.text;
    }
}

// Each printed page of an HTML sheet names its size and its page in the top margin; with
// several sizes, which sheet it is, the pages counted over the printout.
TEST(SheetForPeople, EveryPrintedPageNamesItsSizeAndPage) {
    const std::string one = sheetOf({}, "50x25x2.0", SheetFormat::Html).bytes;
    const std::string three =
        explainSizes({.sizes = {"50x25x2.0", "100x100x5.0", "15NBx2.0(L)"}}, SheetFormat::Html)
            .bytes;
    const struct {
        const std::string* html;
        std::vector<std::string> parts;
    } cases[] = {
        {&one,
         {"@page sheet1 { @top-right { content: \"50x25x2.0, page \" counter(page) \" of \" "
          "counter(pages); } }\n#sheet1 { page: sheet1; }\n",
          "<section class=\"sheet\" id=\"sheet1\">"}},
        {&three,
         {"content: \"100x100x5.0, sheet 2 of 3, page \" counter(page) \" of \" counter(pages) "
          "\" in all\";",
          "#sheet3 { page: sheet3; }",
          "<section class=\"sheet\" id=\"sheet3\">\n<h1>Calculation "
          "sheet of 15NBx2.0(L)</h1>"}},
    };
    for (const auto& c : cases) {
        for (const std::string& part : c.parts) {
            EXPECT_NE(c.html->find(part), std::string::npos) << part;
        }
    }
    EXPECT_EQ(one.find("sheet2"), std::string::npos);
}

TEST(SheetForPeople, PersonTextIsTenFiguresWithoutNoise) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {155.70000000000002, "155.7"},
        {131.71428571428572, "131.7142857"},
        {8.0 / 3, "2.666666667"},
        {0.0001, "0.0001"},
        {0.00012345678901234, "0.000123456789"},
        {12345678901234.5, "12345678900000"},
        {-2.5, "-2.5"},
        {64860979.011111, "64860979.01"},
        {0.5742477796076938, "0.5742477796"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(personText(c.value), c.text) << c.value;
    }
}

} // namespace
} // namespace kavrel
