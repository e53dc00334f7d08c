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
std::string rowOf(const std::string& size, double pi) {
    const std::string table =
        tableOf({.sizes = {size}, .columns = {columnNames.begin(), columnNames.end()}, .pi = pi});
    return table.substr(table.find('\n') + 1);
}

TEST(TableEngine, OwnSizeEqualToACatalogueSizeGivesItsRow) {
    const std::pair<std::string, std::string> pairs[] = {{"SHS:100x100x5", "100x100x5.0"},
                                                         {"RHS:50.00x25x2", "50x25x2.0"},
                                                         {"CHS:21.3x2.0", "15NBx2.0(L)"}};
    for (const auto& [own, catalogue] : pairs) {
        for (const double pi : {findPi, std::numbers::pi}) {
            std::string expected = rowOf(catalogue, pi);
            expected.replace(4, catalogue.size(), own);
            EXPECT_EQ(rowOf(own, pi), expected);
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
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tableOf(c.request), c.expected);
    }
}

} // namespace
} // namespace kavrel
