#include "commands/find.hpp"
#include "table/section_table.hpp"
#include "table/table_columns.hpp"

#include <gtest/gtest.h>

#include <numbers>
#include <string>

namespace kavrel {
namespace {

std::string tableOf(TableRequest request) {
    const TableOutcome outcome = sectionTable(request);
    const auto* error = std::get_if<TableError>(&outcome);
    return error ? "error: " + error->message : std::get<std::string>(outcome);
}

// The CSV line of one size with every column.
std::string rowOf(const std::string& size, double pi, Catalogue catalogue = Catalogue::IS) {
    const std::string table = tableOf({.sizes = {size},
                                       .columns = {columnNames.begin(), columnNames.end()},
                                       .pi = pi,
                                       .catalogues = {catalogue}});
    return table.substr(table.find('\n') + 1);
}

TEST(TableEngine, OwnSizeEqualToACatalogueSizeGivesItsRow) {
    const struct {
        std::string own, catalogueSize;
        Catalogue catalogue;
    } pairs[] = {{"SHS:100x100x5", "100x100x5.0", Catalogue::IS},
                 {"RHS:50.00x25x2", "50x25x2.0", Catalogue::IS},
                 {"CHS:21.3x2.0", "15NBx2.0(L)", Catalogue::IS},
                 {"RHS:100x50x4", "100x50x4.0", Catalogue::EN10210},
                 {"CHS:273x14.2", "273.0x14.2", Catalogue::EN10210},
                 {"SHS:160x160x10", "160x160x10.0", Catalogue::EN10219},
                 {"CHS:406.4x6.3", "406.4x6.3", Catalogue::EN10219}};
    for (const auto& [own, catalogueSize, catalogue] : pairs) {
        for (const double pi : {findPi, std::numbers::pi}) {
            if (catalogue != Catalogue::IS && pi == findPi) {
                continue;
            }
            std::string expected = rowOf(catalogueSize, pi, catalogue);
            expected.replace(4, catalogueSize.size(), own);
            EXPECT_EQ(rowOf(own, pi, catalogue), expected);
        }
    }
}

// Conditions on one column all hold: many of them select what the tightest selects, in any
// order, with ">" and ">=" kept apart and two different "=" meeting nothing.
TEST(TableEngine, ConditionsOnOneColumnSelectAsTheTightest) {
    using enum Comparison;
    const auto lines = [](const std::string& table) { return std::ranges::count(table, '\n'); };
    const std::string nothing = tableOf({.conditions = {{"A", Below, 0}}});
    const std::string everything = tableOf({});
    const struct {
        const char* name;
        std::vector<Condition> given, tightest;
    } cases[] = {
        {"bounds each way",
         {{"A", AtLeast, 5}, {"A", AtLeast, 10}, {"A", AtMost, 40}, {"A", AtMost, 30}},
         {{"A", AtLeast, 10}, {"A", AtMost, 30}}},
        {"the tightest first",
         {{"A", AtLeast, 10}, {"A", AtLeast, 5}, {"W", Below, 25.5}, {"W", Below, 30}},
         {{"A", AtLeast, 10}, {"W", Below, 25.5}}},
        {"strict and not",
         {{"A", Above, 2}, {"A", Above, 8.2}, {"A", AtLeast, 8.2}, {"Zxx", Below, 60}},
         {{"A", Above, 8.2}, {"Zxx", Below, 60}}},
        {"one equality twice", {{"S", Equal, 0.14}, {"S", Equal, 0.14}}, {{"S", Equal, 0.14}}},
        {"two equalities", {{"S", Equal, 0.14}, {"S", Equal, 0.2}}, {{"A", Below, 0}}},
    };
    for (const auto& [name, given, tightest] : cases) {
        SCOPED_TRACE(name);
        const std::string selected = tableOf({.conditions = given});
        EXPECT_EQ(selected, tableOf({.conditions = tightest}));
        if (std::string_view(name) != "two equalities") {
            EXPECT_LT(lines(nothing), lines(selected));
            EXPECT_LT(lines(selected), lines(everything));
        }
    }
}

TEST(TableEngine, SelectsSortsAndLimits) {
    const Condition zxx{"Zxx", Comparison::AtLeast, 50};
    const Condition ryy{"ryy", Comparison::AtLeast, 2};
    const std::string header = "family,designation,depth,width,thickness,A,W,Ixx,Iyy,Zxx,Zyy,rxx,"
                               "ryy,S,J,C\n";
    const struct {
        TableRequest request;
        std::string expected;
    } cases[] = {
        // The lightest RHS meeting both conditions (by W in the whole catalogue's CSV).
        {{.families = {SectionFamily::RHS},
          .conditions = {zxx, ryy},
          .sort = SortKey{"W"},
          .limit = 1},
         header + "RHS,120x60x5.4,120.0,60.0,5.4,17.52,13.75,304.03,101.34,50.67,33.78,4.17,2.41,"
                  ".332,254.66,57.56\n"},
        // "=" compares the number the text ".140" shows; ties keep the catalogue order.
        {{.conditions = {{"S", Comparison::Equal, 0.14}}, .columns = {"designation"}},
         "designation\n50x25x2.0\n"},
        {{.families = {SectionFamily::CHS},
          .sort = SortKey{"S"},
          .limit = 2,
          .columns = {"designation", "S"}},
         "designation,S\n15NBx2.0(L),.067\n15NBx2.6(M),.067\n"},
        {{.sort = SortKey{"A", true}, .limit = 1, .columns = {"designation"}},
         "designation\n350NBx12\n"},
        {{.conditions = {{"A", Comparison::Below, 0}}}, header},
        // The dimensions of a size of one's own as the catalogue writes them.
        {{.sizes = {"RHS:100x50.00x3.25", "CHS:60.30x0.5"},
          .columns = {"depth", "width", "thickness"}},
         "depth,width,thickness\n100.0,50.0,3.25\n60.3,60.3,.5\n"},
        // Given sizes are filtered by family too; text: numbers right, texts left, no end blanks.
        {{.sizes = {"SHS:100x100x5", "15NBx2.0(L)", "100x100x5.0"},
          .families = {SectionFamily::SHS},
          .columns = {"family", "Zpx", "designation"},
          .format = TableFormat::Text},
         "family    Zpx  designation\nSHS     64.60  SHS:100x100x5\nSHS     64.60  100x100x5.0\n"},
        {{.sizes = {"15NBx2.0(L)"},
          .columns = {"designation", "S", "Zpx"},
          .format = TableFormat::Json},
         "[\n{\"designation\":\"15NBx2.0(L)\",\"S\":0.067,\"Zpx\":0.75}\n]\n"},
        {{.sizes = {"SHS:100x100x5"},
          .columns = {"Zpy"},
          .format = TableFormat::Json,
          .pi = std::numbers::pi},
         "[\n{\"Zpy\":64.59}\n]\n"},
        {{.columns = {"Zpq"}}, "error: unknown column \"Zpq\""},
        // --significant shows the IS results from the values their fixed texts come from: W
        // and C are worked from the shown A = 2.74 and J = 7.03, not from 2.737143 and 7.029874.
        {{.sizes = {"50x25x2.0"}, .columns = {"A", "W", "J", "C"}, .significant = 7},
         "A,W,J,C\n2.737143,2.150900,7.029874,3.842578\n"},
        // "all" writes the catalogue first once catalogues are chosen; rows in their order.
        {{.sizes = {"42.4x3.2", "50x25x2.0"},
          .columns = {"all"},
          .format = TableFormat::Json,
          .catalogues = {Catalogue::EN10210, Catalogue::IS},
          .significant = 3},
         "[\n{\"catalogue\":\"EN10210\",\"family\":\"CHS\",\"designation\":\"42.4x3.2\","
         "\"depth\":42.4,\"width\":42.4,\"thickness\":3.2,\"A\":3.94,\"W\":3.09,\"Ixx\":7.62,"
         "\"Iyy\":7.62,\"Zxx\":3.59,\"Zyy\":3.59,\"rxx\":1.39,\"ryy\":1.39,\"S\":0.133,"
         "\"J\":15.2,\"C\":7.19,\"Zpx\":4.93,\"Zpy\":4.93},\n"
         "{\"catalogue\":\"IS\",\"family\":\"RHS\",\"designation\":\"50x25x2.0\","
         "\"depth\":50.0,\"width\":25.0,\"thickness\":2.0,\"A\":2.74,\"W\":2.15,\"Ixx\":8.38,"
         "\"Iyy\":2.81,\"Zxx\":3.35,\"Zyy\":2.25,\"rxx\":1.75,\"ryy\":1.01,\"S\":0.140,"
         "\"J\":7.03,\"C\":3.84,\"Zpx\":4.26,\"Zpy\":2.62}\n]\n"},
        {{.catalogues = {Catalogue::IS, Catalogue::EN10219}, .significant = 16},
         "error: the number of significant figures must be 1 to 15"},
        {{.pi = findPi, .catalogues = {Catalogue::IS, Catalogue::EN10219}},
         "error: EN10219 is computed with the true pi only, not 22/7"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tableOf(c.request), c.expected);
    }
}

} // namespace
} // namespace kavrel
