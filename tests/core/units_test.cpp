#include "catalogue/catalogues.hpp"
#include "catalogue/hss_designation.hpp"
#include "csv_fields.hpp"
#include "properties/number_text.hpp"
#include "properties/units.hpp"
#include "table/section_table.hpp"
#include "table/table_columns.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace kavrel {
namespace {

// Each conversion against a figure worked by hand from 1 in = 25.4 mm, 1 ft = 12 in and
// 1 lb = 0.45359237 kg, in both directions.
TEST(Units, ConvertEachQuantityAsWorkedByHand) {
    const struct {
        const char* name;
        Quantity quantity;
        double us, metric;
    } cases[] = {
        {"8 in", Quantity::Length, 8, 203.2},
        {"100 mm", Quantity::Length, 3.937007874015748, 100},
        {"5.24 in^2", Quantity::Area, 5.24, 33.806384},
        {"100 cm^2", Quantity::Area, 15.500031000062, 100},
        {"19.02 lb/ft", Quantity::Weight, 19.02, 28.30487820669291},
        {"100 kg/m", Quantity::Weight, 67.19689751395069, 100},
        {"42.5 in^4", Quantity::SecondMoment, 42.5, 1768.9835588},
        {"1000 cm^4", Quantity::SecondMoment, 24.02509610028830, 1000},
        {"10.6 in^3", Quantity::Modulus, 10.6, 173.7028784},
        {"1000 cm^3", Quantity::Modulus, 61.02374409473228, 1000},
        {"2.85 in", Quantity::Radius, 2.85, 7.239},
        {"10 cm", Quantity::Radius, 3.937007874015748, 10},
        {"1.93 ft^2/ft", Quantity::Surface, 1.93, 0.588264},
        {"1 m^2/m", Quantity::Surface, 3.280839895013123, 1},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(convert(c.us, c.quantity, UnitSystem::US, UnitSystem::Metric), c.metric,
                    c.metric * 1e-14)
            << c.name;
        EXPECT_NEAR(convert(c.metric, c.quantity, UnitSystem::Metric, UnitSystem::US), c.us,
                    c.us * 1e-14)
            << c.name;
        EXPECT_EQ(convert(c.us, c.quantity, UnitSystem::US, UnitSystem::US), c.us) << c.name;
    }
}

std::string tableOf(const TableRequest& request) {
    const TableOutcome outcome = sectionTable(request);
    const auto* error = std::get_if<TableError>(&outcome);
    return error ? "error: " + error->message : std::get<std::string>(outcome);
}

// The data lines of a CSV table, each split.
std::vector<std::vector<std::string>> rowsOf(const std::string& csv) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(csv);
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        rows.push_back(csvFields(line));
    }
    return rows;
}

// The same sizes in metric and US units, to 15 figures: each US figure converted back is the
// metric one, as both come from the same unrounded value.
TEST(Units, MetricAndUsTablesAgreeFromTheUnroundedValues) {
    const struct {
        Catalogue catalogue;
        std::vector<std::string> sizes;
    } cases[] = {
        {Catalogue::IS, {"50x25x2.0", "100x100x5.0", "15NBx2.0(L)"}},
        {Catalogue::EN10210, {"50x30x3.2", "400x400x16.0", "273.0x14.2"}},
        {Catalogue::EN10219, {"50x25x2.0", "42.4x3.0"}},
        {Catalogue::AISC, {"HSS8X4X1/4", "HSS14X14X1", "HSS6.625X0.280", "HSS2X1-1/2X3/16"}},
    };
    for (const auto& c : cases) {
        const auto table = [&c](UnitSystem units) {
            return rowsOf(tableOf({.sizes = c.sizes,
                                   .columns = {"all"},
                                   .catalogues = {c.catalogue},
                                   .significant = 15,
                                   .units = units}));
        };
        const auto metric = table(UnitSystem::Metric);
        const auto us = table(UnitSystem::US);
        ASSERT_EQ(metric.size(), c.sizes.size()) << describe(c.catalogue).name;
        ASSERT_EQ(us.size(), c.sizes.size());
        for (std::size_t row = 0; row < metric.size(); ++row) {
            // The results: column positions 1 on (the catalogue first with "all").
            for (std::size_t i = 0; i < findResults.size() + plasticResults.size(); ++i) {
                const std::size_t column = 1 + leadingColumns + i;
                const Quantity quantity = i < findResults.size()
                                              ? findResults[i].quantity
                                              : plasticResults[i - findResults.size()].quantity;
                const double m = *readNumber(metric[row][column]);
                const double u = *readNumber(us[row][column]);
                EXPECT_NEAR(convert(u, quantity, UnitSystem::US, UnitSystem::Metric), m,
                            std::abs(m) * 2e-14)
                    << c.sizes[row] << " " << columnNames[leadingColumns + i];
            }
        }
    }
}

TEST(Units, AiscDesignationsInEitherSpellingAndAnyCase) {
    const struct {
        const char* label;
        const char* text;
        bool names;
    } cases[] = {
        {"HSS8X4X1/4", "HSS8X4X1/4", true},
        {"HSS8X4X1/4", "hss8x4x1/4", true},
        {"HSS8X4X1/4", "HSS8X4X.250", true},
        {"HSS8X4X1/4", "HSS8X4X0.25", true},
        {"HSS8X4X1/4", "HSS8.000X4X.25", true},
        {"HSS8X4X1/4", "HSS8X4X.251", false},
        {"HSS8X4X1/4", "HSS8X4X.3", false}, // too few digits for 1/4
        {"HSS8X4X1/4", "HSS8X4", false},
        {"HSS8X4X1/4", "HSS8X4X.250X1", false},
        {"HSS8X4X5/16", "HSS8X4X.313", true}, // 0.3125 to three decimals
        {"HSS8X4X5/16", "HSS8X4X.312", false},
        {"HSS8X4X5/16", "HSS8X4X.31", false},
        {"HSS3-1/2X2X1/4", "HSS3.500X2.000X.250", true},
        {"HSS3-1/2X2X1/4", "hss3.5x2x.25", true},
        {"HSS2X1-1/2X3/16", "HSS2X1.5X.188", true},
        {"HSS6.625X0.280", "HSS6.625X.280", true},
        {"HSS6.625X0.280", "HSS6.63X.280", false},
        {"HSS6.625X0.280", "hss6.625x0.280", true},
        {"HSS6.625X0.280", "6.625X0.280", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(namesHss(c.label, c.text), c.names) << c.label << " / " << c.text;
    }
}

// Every size's decimal spelling (each dimension to three decimals) names it and no other.
TEST(Units, EveryAiscSizeHasOneDecimalSpelling) {
    std::vector<std::string_view> labels;
    for (const SectionFamily family : allFamilies) {
        for (const CatalogueEntry& entry : entriesOf(Catalogue::AISC, family)) {
            labels.push_back(entry.designation);
        }
    }
    ASSERT_EQ(labels.size(), 714U);
    for (const SectionFamily family : allFamilies) {
        for (const CatalogueEntry& entry : entriesOf(Catalogue::AISC, family)) {
            // D x B x tnom for the rectangular, D x tnom for the round.
            std::string spelling =
                "hss" + formatResult(*readNumber(entry.depth), Pattern::Int6Dec3);
            if (family != SectionFamily::CHS) {
                spelling += "x" + formatResult(*readNumber(entry.width), Pattern::Int6Dec3);
            }
            spelling += "x" + formatResult(*readNumber(entry.nominalThickness), Pattern::Int6Dec3);
            int named = 0;
            for (const std::string_view label : labels) {
                named += namesHss(label, spelling) ? 1 : 0;
            }
            EXPECT_TRUE(namesHss(entry.designation, spelling)) << spelling;
            EXPECT_EQ(named, 1) << spelling;
        }
    }
}

TEST(Units, TablesOfAiscSizesAndOwnSizesInTheUnitsInForce) {
    const struct {
        const char* name;
        TableRequest request;
        std::string expected;
    } cases[] = {
        {"AISC alone is in inches, its headers name the units; the other spelling shows the label",
         {.sizes = {"hss8x4x.250"},
          .columns = {"designation", "thickness", "A", "W", "Zxx"},
          .catalogues = {Catalogue::AISC}},
         "designation,thickness (in),A (in^2),W (lb/ft),Zxx (in^3)\n"
         "HSS8X4X1/4,0.233,5.24,19.02,10.6\n"},
        {"an own size in inches takes the design wall 0.93t to three decimals",
         {.sizes = {"RHS:8x4x0.25"},
          .columns = {"designation", "thickness", "A", "W", "Zxx"},
          .catalogues = {Catalogue::AISC}},
         "designation,thickness (in),A (in^2),W (lb/ft),Zxx (in^3)\n"
         "RHS:8x4x0.25,.233,5.24,19.02,10.6\n"},
        {"the same in metric units, given in millimetres",
         {.sizes = {"HSS8X4X1/4", "RHS:203.2x101.6x6.35"},
          .columns = {"depth", "thickness", "A", "W", "Zxx"},
          .catalogues = {Catalogue::AISC},
          .units = UnitSystem::Metric},
         "depth (mm),thickness (mm),A (cm^2),W (kg/m),Zxx (cm^3)\n"
         "203.20,5.92,33.8,28.30,174\n203.2,5.92,33.8,28.30,174\n"},
        {"an EN size in US units, its own size in inches, --where in inches",
         {.sizes = {"100x100x5.0", "SHS:4x4x0.25", "40x40x3.2"},
          .conditions = {{"depth", Comparison::AtLeast, 3.9}},
          .columns = {"designation", "depth", "A", "S"},
          .catalogues = {Catalogue::EN10210},
          .units = UnitSystem::US},
         "designation,depth (in),A (in^2),S (ft^2/ft)\n"
         "100x100x5.0,3.9370,2.90,1.270\nSHS:4x4x0.25,4.0,3.68,1.280\n"},
        {"metric units given name them too; the text format writes them under the names",
         {.sizes = {"50x25x2.0"},
          .columns = {"designation", "A", "W"},
          .format = TableFormat::Text,
          .units = UnitSystem::Metric},
         "designation     A     W\n"
         "             cm^2  kg/m\n"
         "50x25x2.0    2.74  2.15\n"},
        {"JSON keys name the units",
         {.sizes = {"HSS6.625X0.280"},
          .columns = {"designation", "Zpx"},
          .format = TableFormat::Json,
          .catalogues = {Catalogue::AISC}},
         "[\n{\"designation\":\"HSS6.625X0.280\",\"Zpx (in^3)\":10.5}\n]\n"},
        {"an AISC size with an EN catalogue only",
         {.sizes = {"HSS8X4X1/4"}, .catalogues = {Catalogue::EN10210}},
         "error: \"HSS8X4X1/4\": not a size of EN10210, nor RHS:DxBxt, SHS:DxBxt or CHS:Dxt"},
        {"no design resistances for AISC",
         {.sizes = {"HSS8X4X1/4"},
          .catalogues = {Catalogue::AISC},
          .design = {.grade = SteelGrade::S355}},
         "error: design resistances are given for the IS, EN10210 and EN10219 catalogues, not "
         "for AISC"},
        {"nor in US units",
         {.catalogues = {Catalogue::EN10210},
          .design = {.grade = SteelGrade::S355},
          .units = UnitSystem::US},
         "error: design resistances are given in metric units only (--units metric)"},
        {"a design wall of nothing",
         {.sizes = {"RHS:8x4x0.0001"}, .catalogues = {Catalogue::AISC}},
         "error: \"RHS:8x4x0.0001\": the design wall 0.93t is 0 to three decimals of an inch"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tableOf(c.request), c.expected) << c.name;
    }
}

TEST(Units, UnknownUnitsAreRefused) {
    for (const char* text : {"US", "imperial", "", "metric "}) {
        const auto parsed = parseUnits(text);
        ASSERT_TRUE(std::holds_alternative<TableError>(parsed)) << text;
        EXPECT_EQ(std::get<TableError>(parsed).message,
                  "unknown units " + quoted(text) + " (metric or us)");
    }
    EXPECT_EQ(std::get<UnitSystem>(parseUnits("us")), UnitSystem::US);
    EXPECT_EQ(std::get<UnitSystem>(parseUnits("metric")), UnitSystem::Metric);
}

} // namespace
} // namespace kavrel
