#include "every_nth_size.hpp"
#include "sheet/explain.hpp"
#include "sheet/formula_text.hpp"
#include "table/section_table.hpp"
#include "table/table_columns.hpp"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <numbers>
#include <sstream>
#include <vector>

namespace kavrel {
namespace {

const RecordedStep* lastStep(const CalculationSheet& sheet, std::string_view name) {
    const auto& steps = sheet.log->steps;
    for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
        if (step->name.name == name) {
            return &*step;
        }
    }
    return nullptr;
}

constexpr Catalogue everyCatalogue[] = {Catalogue::IS, Catalogue::EN10210, Catalogue::EN10219,
                                        Catalogue::AISC};

// Whether a step's unit belongs to the system: no mm, cm, kg or m among US units, no inch,
// foot or lb among metric ones.
bool unitOfSystem(std::string_view unit, UnitSystem system) {
    const std::string_view others[] = {"mm", "cm", "kg", "m^2/m"};
    const std::string_view usOnes[] = {"in", "ft", "lb"};
    const auto contains = [unit](std::string_view part) {
        return unit.find(part) != std::string_view::npos;
    };
    return system == UnitSystem::US ? std::ranges::none_of(others, contains) || contains("per in")
                                    : std::ranges::none_of(usOnes, contains) || contains("lb/ft");
}

// Every result text of every sheet is the table's, for every size of every catalogue, in its
// own units and in the other system (the sheet works its steps in the units shown, the table
// converts each result once), with both pi for IS and with significant figures; every step of
// a sheet is in the units shown; and every text sheet fits 100 columns. With every catalogue
// chosen the default units are the first's, metric: "US" works the IS and EN sizes in inches.
struct ResultCase {
    const char* name;
    TableRequest request;
    bool converts; // some sheets worked in other units than their catalogue's
};

const std::vector<Catalogue> all(everyCatalogue, std::end(everyCatalogue));

const ResultCase resultCases[] = {
    {"EveryCatalogue", {.columns = {"all"}, .catalogues = all}, true},
    {"EveryCatalogueToThreeFigures",
     {.columns = {"all"}, .catalogues = all, .significant = 3},
     true},
    {"EveryCatalogueInUs", {.columns = {"all"}, .catalogues = all, .units = UnitSystem::US}, true},
    {"EveryCatalogueInUsToThreeFigures",
     {.columns = {"all"}, .catalogues = all, .significant = 3, .units = UnitSystem::US},
     true},
    {"IsTruePi",
     {.columns = {"all"}, .pi = std::numbers::pi, .catalogues = {Catalogue::IS}},
     false},
    {"IsTruePiInUs",
     {.columns = {"all"},
      .pi = std::numbers::pi,
      .catalogues = {Catalogue::IS},
      .units = UnitSystem::US},
     true},
};

class CalculationSheetOf : public testing::TestWithParam<ResultCase> {};

TEST_P(CalculationSheetOf, ResultTextsAreTheTablesForEverySize) {
    const TableRequest& request = GetParam().request;
    int converted = 0; // sheets worked in other units than their catalogue's
    const auto table = sectionTable(request);
    std::istringstream lines(std::get<std::string>(table));
    std::string line;
    std::getline(lines, line); // the header: the catalogue, then columnNames but the last
    const Computation computation =
        std::get<Computation>(computationOf(request, chosenCatalogues(request)));
    std::size_t index = 0;
    for (const TableSize& size : catalogueSizes(request.catalogues)) {
        ASSERT_TRUE(std::getline(lines, line));
        if (index++ % test::everyNthSize() != 0) {
            continue;
        }
        const CalculationSheet sheet = calculationSheet(size, computation, false);
        ASSERT_FALSE(sheet.error) << size.designation;
        std::vector<std::string> cells;
        std::istringstream row(line);
        for (std::string cell; std::getline(row, cell, ',');) {
            cells.push_back(cell);
        }
        ASSERT_EQ(cells[1 + *columnIndex("designation")], size.designation);
        const auto compare = [&](std::string_view column) {
            const RecordedStep* step = lastStep(sheet, column);
            ASSERT_TRUE(step && step->rounding) << size.designation << " " << column;
            EXPECT_EQ(step->text, cells[1 + *columnIndex(column)])
                << size.designation << " " << column;
        };
        for (const ResultDescription& result : findResults) {
            compare(result.column);
        }
        for (const PlasticDescription& result : plasticResults) {
            compare(result.column);
        }
        for (const RecordedStep& step : sheet.log->steps) {
            EXPECT_TRUE(unitOfSystem(step.name.unit, computation.units))
                << size.designation << " " << step.name.name << ": " << step.name.unit;
        }
        converted += computation.units != describe(size.catalogue).home;
        std::istringstream text(textSheets({&sheet, 1}));
        while (std::getline(text, line)) {
            EXPECT_LE(line.size(), 100u) << line;
        }
    }
    EXPECT_EQ(converted > 0, GetParam().converts);
}

INSTANTIATE_TEST_SUITE_P(Requests, CalculationSheetOf, testing::ValuesIn(resultCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A calculator's reading of the substituted text: + - * / with the usual ranks, from the left,
// parentheses, ^ as repeated products, sqrt(...).
struct Evaluator {
    std::string_view text;
    std::size_t at = 0;

    void blanks() {
        while (at < text.size() && text[at] == ' ') {
            ++at;
        }
    }
    bool take(std::string_view token) {
        blanks();
        if (text.substr(at).starts_with(token)) {
            at += token.size();
            return true;
        }
        return false;
    }
    double atom() {
        if (take("(")) {
            const double x = sum();
            EXPECT_TRUE(take(")")) << text;
            return x;
        }
        if (take("sqrt(")) {
            const double x = sum();
            EXPECT_TRUE(take(")")) << text;
            return std::sqrt(x);
        }
        double x = 0;
        const auto [end, error] = std::from_chars(text.data() + at, text.data() + text.size(), x);
        EXPECT_EQ(error, std::errc()) << text.substr(at);
        at = static_cast<std::size_t>(end - text.data());
        return x;
    }
    double power() {
        const double base = atom();
        if (!take("^")) {
            return base;
        }
        int exponent = 0;
        at = static_cast<std::size_t>(
            std::from_chars(text.data() + at, text.data() + text.size(), exponent).ptr -
            text.data());
        double x = base;
        for (int i = 1; i < exponent; ++i) {
            x = x * base;
        }
        return x;
    }
    double product() {
        double x = power();
        while (true) {
            if (take("*")) {
                x = x * power();
            } else if (take("/")) {
                x = x / power();
            } else {
                return x;
            }
        }
    }
    double sum() {
        double x = product();
        while (true) {
            if (take("+")) {
                x = x + product();
            } else if (take("-")) {
                x = x - product();
            } else {
                return x;
            }
        }
    }
};

TEST(CalculationSheet, SubstitutedNumbersGiveEachStepsValue) {
    const std::pair<Catalogue, const char*> sizes[] = {
        {Catalogue::IS, "50x25x2.0"},         {Catalogue::IS, "240x120x6.0"},
        {Catalogue::IS, "25x25x2.6"},         {Catalogue::IS, "15NBx2.0(L)"},
        {Catalogue::IS, "RHS:250x150x8"},     {Catalogue::IS, "CHS:60.3x3.2"},
        {Catalogue::EN10210, "50x30x3.2"},    {Catalogue::EN10210, "40x40x3.2"},
        {Catalogue::EN10210, "42.4x3.2"},     {Catalogue::EN10219, "50x25x3.0"},
        {Catalogue::EN10219, "120x120x5.0"},  {Catalogue::EN10219, "219.1x12.5"},
        {Catalogue::EN10219, "250x150x12.0"}, {Catalogue::EN10219, "RHS:100x60x8"},
    };
    for (const auto& [catalogue, designation] : sizes) {
        for (const double pi : {fractionPi, std::numbers::pi}) {
            const Catalogue one[] = {catalogue};
            const TableSize size = std::get<TableSize>(sizeOf(designation, one));
            const CalculationSheet sheet = calculationSheet(size, {pi, std::nullopt}, true);
            ASSERT_GT(sheet.log->steps.size(), 10u);
            for (const RecordedStep& step : sheet.log->steps) {
                const std::string substituted = asciiFormula(*step.formula, Notation::Numbers);
                Evaluator evaluator{substituted};
                const double value = evaluator.sum();
                EXPECT_EQ(evaluator.at, substituted.size()) << substituted;
                double written = 0; // as the JSON writes it
                const std::string text = roundTripText(step.value);
                std::from_chars(text.data(), text.data() + text.size(), written);
                EXPECT_EQ(value, written)
                    << designation << " " << step.name.name << " = " << substituted;
            }
        }
    }
}

TEST(CalculationSheet, WorkedExampleOfRhs50x25x2) {
    const Catalogue is[] = {Catalogue::IS};
    const CalculationSheet sheet =
        calculationSheet(std::get<TableSize>(sizeOf("50x25x2.0", is)), {}, false);
    const struct {
        std::string_view name;
        double value;
        std::string_view text;
        std::string_view substituted;
    } steps[] = {
        {"b1", 17, "", "25 - 4 * 2"},
        {"d1", 42, "", "50 - 4 * 2"},
        {"h", 131.714286, "", ""},
        {"Ah", 1073.142857, "", ""},
        {"K", 32.590022, "", ""},
        {"A", 2.737143, "2.74", ""},
        {"W", 2.1509, "2.15", "2.74 * 0.785"},
        {"C", 3.842578, "3.84", "0.001 * (7.03 * 10000 / (2 + 32.590021691973966 / 2))"},
    };
    for (const auto& want : steps) {
        const RecordedStep* step = lastStep(sheet, want.name);
        ASSERT_TRUE(step) << want.name;
        EXPECT_NEAR(step->value, want.value, 5e-7) << want.name;
        EXPECT_EQ(step->text, want.text) << want.name;
        if (!want.substituted.empty()) {
            EXPECT_EQ(asciiFormula(*step->formula, Notation::Numbers), want.substituted);
        }
    }
    EXPECT_EQ(lastStep(sheet, "A")->readBack, 2.74);
    const std::string text = textSheets({&sheet, 1});
    for (const char* line :
         {"    W = A' * 0.785\n", "rounded to 2 decimals: \"2.74\", read back as A' = 2.74\n",
          "pi           22/7 = 3.142857143\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
}

// The JSON sheet keeps each read-back as the number the shown text reads back to, beside the
// unrounded value.
TEST(CalculationSheet, JsonKeepsTheNumbersReadBack) {
    const std::string json = sheetOf({}, "50x25x2.0", SheetFormat::Json).bytes;
    const struct {
        const char* name;
        const char* step;
    } cases[] = {
        {"A", "\"value\":2.737142857142857,\"unit\":\"cm^2\",\"text\":\"2.74\",\"readBack\":2.74}"},
        {"Ixx", "\"text\":\"8.38\",\"readBack\":8.38}"},
        {"Iyy", "\"text\":\"2.81\",\"readBack\":2.81}"},
        {"J", "\"text\":\"7.03\",\"readBack\":7.03}"},
    };
    for (const auto& c : cases) {
        EXPECT_NE(json.find(c.step), std::string::npos) << c.name << "\n" << json;
    }
    // Worked in inches, the metric text is read back and converted for the later steps.
    const std::string us = sheetOf({.units = UnitSystem::US}, "50x25x2.0", SheetFormat::Json).bytes;
    EXPECT_NE(us.find("\"unit\":\"in^2\",\"text\":\".42\",\"readBack\":2.74,\"readBackUnit\":"
                      "\"cm^2\",\"readBackConverted\":\"2.74 / 6.4516\",\"readBackValue\":"
                      "0.42470084940169883}"),
              std::string::npos)
        << us;
    EXPECT_NE(us.find("\"dimensions\":{\"D\":1.968503937007874,"), std::string::npos);
}

TEST(CalculationSheet, FailingOwnSizeEndsAtItsFailingStepWithTheTablesStatus) {
    const TableRequest request{.sizes = {"RHS:0.1x0.1x0.01"}};
    const auto table = sectionTable(request);
    const ExplainOutcome explained = explainSizes(request, SheetFormat::Text);
    ASSERT_TRUE(explained.error);
    EXPECT_EQ(explained.error->kind, std::get<TableError>(table).kind);
    EXPECT_EQ(explained.error->message, std::get<TableError>(table).message);
    const std::string ending = "rxx  radius of gyration about x, cm\n"
                               "    rxx = sqrt(Ixx' / A')\n"
                               "        = sqrt(0 / 0)\n"
                               "    failed: division by zero: the divisor A' is 0\n";
    EXPECT_NE(explained.bytes.find(ending), std::string::npos) << explained.bytes;
    EXPECT_EQ(explained.bytes.find("ryy "), std::string::npos);

    const std::string json = sheetOf({}, "RHS:0.1x0.1x0.01", SheetFormat::Json).bytes;
    EXPECT_NE(json.find("\"value\":null,\"unit\":\"cm\",\"failure\":\"division by zero"),
              std::string::npos);
}

// The request's catalogue, pi and significant figures reach the sheet as they reach the table.
TEST(CalculationSheet, CatalogueAndRoundingFollowTheRequest) {
    const struct {
        TableRequest request;
        const char* size;
        std::vector<std::string_view> lines;
    } cases[] = {
        {{.catalogues = {Catalogue::EN10219}, .significant = 3},
         "250x150x12.0",
         {"    ro = 3 * t\n       = 3 * 12\n", "pi           the true value, 3.141592654\n",
          "rounded to 3 significant figures: \"", "Catalogue    EN10219, "}},
        {{.significant = 3}, "240x120x6.0", {"read back from its fixed-decimal text \""}},
        // Worked in the other system: the dimensions converted as read, every step in its
        // units, the IS read-back from the metric text, the steel's weight per area a step.
        {{.units = UnitSystem::US},
         "50x25x2.0",
         {"Dimensions   D = 1.968503937 in, B = 0.9842519685 in, t = 0.07874015748 in: 50 mm, 25 "
          "mm, 2 mm read\n",
          "b1  straight length of each wall along the width, B - 4t, in\n",
          "    A = 2 * t * (b1 + d1 + 1.5 * pi * t)\n",
          "rounded to 2 decimals: \".42\", read back from its text in cm^2, \"2.74\", as A' = "
          "2.74 / 6.4516 =\n    0.4247008494\n",
          "    wA = 0.785 * 6.4516 * 0.3048 / 0.45359237\n       = 3.403190906\n",
          "    W = A' * wA\n      = 0.4247008494 * 3.403190906\n", "    C = J' / (t + K / t)\n",
          "    S = (2 * (b1 + 4 * t + (d1 + 4 * t) - 12 * t) + 6 * "}},
        {{.catalogues = {Catalogue::AISC}, .units = UnitSystem::Metric},
         "HSS8X4X1/4",
         {"t = 5.9182 mm: 8 in, 4 in, 0.233 in read from",
          "the nominal wall tnom = 6.35 mm:\n             0.25 in read from",
          "    ro = 2 * t\n       = 2 * 5.9182\n       = 11.8364\n",
          "An  area with the nominal wall tnom, for the weight, cm^2\n",
          "    wA = 490 / 144 * 0.45359237 / 0.3048 / 6.4516\n", "    Zxx = Ixx / (0.1 * D / 2)\n",
          "    S = 0.001 * (2 * (B + D) - 2 * ro * k)\n", "rounded to 2 decimals: \"28.30\"\n"}},
        {{.catalogues = {Catalogue::EN10219}, .units = UnitSystem::US},
         "200x100x6.0",
         {"    ro = 2 * t\n", "    S = (2 * (B + D) - 2 * ro * k) / 12\n",
          "Jm  torsional constant of the wall on its mid-line, t^3 h/3 + 2 K Ah, in^4\n"}},
    };
    for (const auto& c : cases) {
        const ExplainOutcome sheet = sheetOf(c.request, c.size, SheetFormat::Text);
        EXPECT_FALSE(sheet.error);
        for (const std::string_view line : c.lines) {
            EXPECT_NE(sheet.bytes.find(line), std::string::npos) << line << sheet.bytes;
        }
    }
    const TableRequest refused{.pi = fractionPi, .catalogues = {Catalogue::EN10210}};
    const ExplainOutcome none = sheetOf(refused, "50x30x3.2", SheetFormat::Json);
    EXPECT_EQ(none.bytes, "");
    EXPECT_EQ(none.error->message, std::get<TableError>(sectionTable(refused)).message);
}

} // namespace
} // namespace kavrel
