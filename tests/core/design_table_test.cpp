#include "sheet/explain.hpp"
#include "table/section_table.hpp"

#include <gtest/gtest.h>

#include <string>

namespace kavrel {
namespace {

std::string tableOf(const TableRequest& request) {
    const TableOutcome outcome = sectionTable(request);
    const auto* error = std::get_if<TableError>(&outcome);
    return error ? "error: " + error->message : std::get<std::string>(outcome);
}

std::string firstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

const DesignRequest s355{.grade = SteelGrade::S355};

TEST(DesignTable, RefusesWhatItCannotUse) {
    const struct {
        const char* name;
        TableRequest request;
        std::string error;
    } cases[] = {
        {"an EN grade with IS",
         {.design = s355},
         "--grade S355 is not a grade of the IS sizes (IS 4923 and IS 1161: YSt210, YSt240, "
         "YSt310, YSt355)"},
        {"IS beside an EN catalogue",
         {.catalogues = {Catalogue::EN10210, Catalogue::IS}, .design = s355},
         "design resistances are given to one code at a time: IS 800 for the IS catalogue, EN "
         "1993-1-1 for EN10210 and EN10219"},
        {"a design column without a grade",
         {.conditions = {{"NcRd", Comparison::AtLeast, 1}}, .catalogues = {Catalogue::EN10210}},
         "column \"NcRd\" needs --grade"},
        {"a buckling column without a grade",
         {.sort = SortKey{"NbRd@3"}, .catalogues = {Catalogue::EN10210}},
         "column \"NbRd@3\" needs --grade"},
        {"a buckling column without a length",
         {.columns = {"NbRd"}, .catalogues = {Catalogue::EN10210}, .design = s355},
         "column \"NbRd\" needs --length"},
        {"a length not asked for",
         {.columns = {"NbRd@4"},
          .catalogues = {Catalogue::EN10210},
          .design = {.grade = SteelGrade::S355, .lengths = {{"3", 3}, {"5", 5}}}},
         "unknown column \"NbRd@4\""},
        {"fy without a grade",
         {.catalogues = {Catalogue::EN10219}, .design = {.fy = 300.0}},
         "--fy needs --grade"},
        {"a length without a grade",
         {.catalogues = {Catalogue::EN10219}, .design = {.lengths = {{"3", 3}}}},
         "--length needs --grade"},
        {"a partial factor below 1",
         {.catalogues = {Catalogue::EN10219},
          .design = {.grade = SteelGrade::S355, .gammaM1 = 0.95}},
         "a partial factor must be 1.0 to 2.0"},
        {"a length twice",
         {.catalogues = {Catalogue::EN10219},
          .design = {.grade = SteelGrade::S355, .lengths = {{"3", 3}, {"3", 3}}}},
         "--length \"3\" is given twice"},
        {"an own size beyond the bands",
         {.sizes = {"SHS:400x400x45"}, .catalogues = {Catalogue::EN10219}, .design = s355},
         "\"SHS:400x400x45\": t = 45 mm is beyond the thickness bands of EN 10219-1 (up to 40 "
         "mm): no fy of S355; --fy gives one"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tableOf(c.request), "error: " + c.error) << c.name;
    }
    EXPECT_EQ(std::get<TableError>(parseGrade("S450")).message,
              "unknown grade \"S450\" (S235, S275, S355, S420 or S460; for IS YSt210, YSt240, "
              "YSt310 or YSt355)");
    EXPECT_TRUE(std::holds_alternative<TableError>(parseYieldStrength("1000.5")));
    EXPECT_TRUE(std::holds_alternative<TableError>(parsePartialFactor("inf")));
    EXPECT_TRUE(std::holds_alternative<TableError>(parseFlatWidth("4t")));
    EXPECT_TRUE(std::holds_alternative<TableError>(parseLength("0")));
}

TEST(DesignTable, ColumnsOfAGrade) {
    const TableRequest oneLength{.sizes = {"150x150x6.3"},
                                 .catalogues = {Catalogue::EN10210},
                                 .design = {.grade = SteelGrade::S355, .lengths = {{"3.5", 3.5}}}};
    EXPECT_EQ(tableOf(oneLength),
              "family,designation,W,fy,cD_t,cB_t,D_t,classN,classMx,classMy,NcRd,McRdx,McRdy,"
              "VplRdx,VplRdy,NbRdx,NbRdy,NbRd\n"
              "SHS,150x150x6.3,28.09,355,20.81,20.81,,1,1,1,1270.4,68.1,68.1,366.7,366.7,1022.7,"
              "1022.7,1022.7\n");
    TableRequest twoLengths = oneLength;
    twoLengths.design.lengths = {{"3.5", 3.5}, {"7", 7}};
    twoLengths.columns = {"all"};
    twoLengths.format = TableFormat::Json;
    const std::string json = tableOf(twoLengths);
    EXPECT_NE(json.find("\"thickness\":6.3,"), std::string::npos) << json;
    EXPECT_NE(json.find("\"Zpy\":191.97,\"fy\":355,"), std::string::npos) << json;
    EXPECT_NE(json.find("\"Aeff\":null,\"Weffx\":null,\"Weffy\":null,"), std::string::npos);
    EXPECT_NE(json.find("\"NbRd@3.5\":1022.7,\"NbRdx@7\":"), std::string::npos) << json;
    // Significant figures round the design figures too, not the classes.
    TableRequest significant = oneLength;
    significant.significant = 3;
    EXPECT_EQ(tableOf(significant).substr(firstLine(tableOf(significant)).size() + 1),
              "SHS,150x150x6.3,28.1,355,20.8,20.8,,1,1,1,1270,68.1,68.1,367,367,1020,1020,1020\n");
}

TEST(DesignTable, FiguresTheRulesDoNotGiveMeetNoConditionAndSortLast) {
    TableRequest request{.sizes = {"CHS:1000x5", "CHS:400x5"},
                         .columns = {"designation", "classN", "NcRd"},
                         .catalogues = {Catalogue::EN10219},
                         .design = {.grade = SteelGrade::S235}};
    EXPECT_EQ(tableOf(request), "designation,classN,NcRd\nCHS:1000x5,,\nCHS:400x5,3,1458.1\n");
    request.sort = SortKey{"NcRd", true};
    EXPECT_EQ(tableOf(request), "designation,classN,NcRd\nCHS:400x5,3,1458.1\nCHS:1000x5,,\n");
    request.conditions = {{"classN", Comparison::AtMost, 3}};
    EXPECT_EQ(tableOf(request), "designation,classN,NcRd\nCHS:400x5,3,1458.1\n");
}

TEST(DesignTable, SheetShowsTheResistanceStepsWithTheTablesTexts) {
    const TableRequest request{.sizes = {"150x150x6.3"},
                               .catalogues = {Catalogue::EN10210},
                               .design = {.grade = SteelGrade::S355,
                                          .flatWidth = FlatWidth::Corners,
                                          .lengths = {{"3.5", 3.5}}}};
    const ExplainOutcome sheet = explainSizes(request, SheetFormat::Text);
    ASSERT_FALSE(sheet.error);
    for (const std::string_view wanted :
         {"fy  yield strength of S355 for t <= 16 mm, the minimum of EN 10210-1",
          "cD = D - 2 * t - 2 * ri", "(flat width rule corners)", "lc3 = 42 * eps",
          "(EN 1993-1-1, 6.2.4), kN", "rounded to 1 decimals: \"1270.4\"",
          "McRdx = 0.001 * (Zpx * fy / gM0)", "Flexural buckling at L = 3.5 m",
          "buckling curve a, hot finished S355", "chix = 1 / (Phix + sqrt(Phix^2 - lamx^2))",
          "rounded to 1 decimals: \"1022.7\""}) {
        EXPECT_NE(sheet.bytes.find(wanted), std::string::npos) << wanted;
    }
    // A page writes the Greek names as letters.
    const ExplainOutcome page = explainSizes(request, SheetFormat::Html);
    for (const std::string_view wanted :
         {"&epsilon; &mdash;", "&gamma;<sub>M0</sub> &mdash;", "&lambda;&#772;<sub>x</sub> &mdash;",
          "&chi;<sub>x</sub> &mdash;", "&alpha; &mdash;"}) {
        EXPECT_NE(page.bytes.find(wanted), std::string::npos) << wanted;
    }
    const ExplainOutcome json = explainSizes(request, SheetFormat::Json);
    EXPECT_NE(json.bytes.find("\"NbRd\""), std::string::npos);
    TableRequest past = request;
    past.sizes = {"SHS:600x600x64"};
    const ExplainOutcome refused = explainSizes(past, SheetFormat::Text);
    ASSERT_TRUE(refused.error);
    EXPECT_EQ(refused.error->kind, TableError::Kind::BadRequest);
    EXPECT_EQ(refused.bytes, ""); // a usage error, as in the table: no sheet at all
}

} // namespace
} // namespace kavrel
