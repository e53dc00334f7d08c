// The table engine at the edges of its rules: a condition met exactly, a limit against the
// rows there are, an own size whose corners just fit, and JSON numbers below one.
#include "table/section_table.hpp"
#include "table/table_columns.hpp"
#include "table/table_formats.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kavrel {
namespace {

std::string tableOf(const TableRequest& request) {
    const TableOutcome outcome = sectionTable(request);
    const auto* error = std::get_if<TableError>(&outcome);
    return error ? "error: " + error->message : std::get<std::string>(outcome);
}

// 50x25x2.0 shows A = 2.74: each operator as the user writes it, on the number itself and
// just beside it.
TEST(TableEdges, ConditionsCompareTheShownNumberExactly) {
    const struct {
        const char* name;
        const char* condition;
        bool holds;
    } cases[] = {
        {"at least, equal", "A>=2.74", true},
        {"at least, just above", "A>=2.741", false},
        {"at least, with blanks", "A >= 2.74", true},
        {"at most, equal", "A<=2.74", true},
        {"at most, just below", "A<=2.739", false},
        {"above, equal", "A>2.74", false},
        {"above, just below", "A>2.739", true},
        {"below, equal", "A<2.74", false},
        {"below, just above", "A<2.741", true},
        {"equal", "A=2.74", true},
        {"equal to the unrounded value", "A=2.737142857142857", false},
    };
    for (const auto& c : cases) {
        const auto condition = parseCondition(c.condition);
        ASSERT_TRUE(std::holds_alternative<Condition>(condition)) << c.name;
        const std::string table = tableOf({.sizes = {"50x25x2.0"},
                                           .conditions = {std::get<Condition>(condition)},
                                           .columns = {"designation"}});
        EXPECT_EQ(table, c.holds ? "designation\n50x25x2.0\n" : "designation\n") << c.name;
    }
}

TEST(TableEdges, LimitWritesAtMostThatManyRows) {
    const std::vector<std::string> three = {"50x25x2.0", "100x100x5.0", "15NBx2.0(L)"};
    const struct {
        const char* name;
        std::size_t limit;
        std::string rows;
    } cases[] = {
        {"none", 0, ""},
        {"one", 1, "50x25x2.0\n"},
        {"two", 2, "50x25x2.0\n100x100x5.0\n"},
        {"as many as there are", 3, "50x25x2.0\n100x100x5.0\n15NBx2.0(L)\n"},
        {"more than there are", 4, "50x25x2.0\n100x100x5.0\n15NBx2.0(L)\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tableOf({.sizes = three, .limit = c.limit, .columns = {"designation"}}),
                  "designation\n" + c.rows)
            << c.name;
    }
}

// Every catalogue's corners need 4t of the width and depth (radii 2t and t; 1.5t and t; 2t and
// t up to 6 mm): a wall of exactly a quarter of the width fits, a hair more does not.
TEST(TableEdges, OwnSizeCornersFitUpToTheirBoundary) {
    const struct {
        const char* name;
        Catalogue catalogue;
        const char* size;
        bool fits;
    } cases[] = {
        {"IS, 4t the width", Catalogue::IS, "RHS:40x20x5", true},
        {"IS, 4t the depth", Catalogue::IS, "RHS:20x40x5", true},
        {"IS, 4t the side of a square", Catalogue::IS, "SHS:20x20x5", true},
        {"IS, 4t beyond the width", Catalogue::IS, "RHS:40x20x5.01", false},
        {"EN10210, 4t the width", Catalogue::EN10210, "RHS:40x20x5", true},
        {"EN10210, 4t beyond the width", Catalogue::EN10210, "RHS:40x20x5.01", false},
        {"EN10219, 4t the width", Catalogue::EN10219, "RHS:40x20x5", true},
        {"EN10219, 4t beyond the width", Catalogue::EN10219, "RHS:40x20x5.01", false},
    };
    for (const auto& c : cases) {
        const std::string table =
            tableOf({.sizes = {c.size}, .columns = {"designation"}, .catalogues = {c.catalogue}});
        const std::string expected =
            c.fits ? "designation\n" + std::string(c.size) + "\n"
                   : "error: \"" + std::string(c.size) + "\": no room for the corners: " +
                         (c.catalogue == Catalogue::IS ? "4t is more" : "radii");
        EXPECT_EQ(table.substr(0, expected.size()), expected) << c.name << ": " << table;
    }
}

// A size that does not fit names the radii in the units it was typed in, as a person writes
// them.
TEST(TableEdges, OwnSizeCornersThatDoNotFitAreNamedInTheTypedUnits) {
    const struct {
        const char* name;
        Catalogue catalogue;
        UnitSystem units;
        const char* size;
        const char* radii;
    } cases[] = {
        {"mm, 1.5t of 6.1 mm", Catalogue::EN10219, UnitSystem::Metric, "RHS:40x30x6.1",
         "radii 15.25 mm outside and 9.15 mm inside"},
        {"inches on a metric catalogue", Catalogue::EN10219, UnitSystem::US, "RHS:70x10x2",
         "radii 6.0 in outside and 4.0 in inside"},
    };
    for (const auto& c : cases) {
        const std::string table = tableOf({.sizes = {c.size},
                                           .columns = {"designation"},
                                           .catalogues = {c.catalogue},
                                           .units = c.units});
        EXPECT_NE(table.find(c.radii), std::string::npos) << c.name << ": " << table;
    }
}

// JSON has no number ".5": the writer puts the zero in front, after a minus sign too.
TEST(TableEdges, JsonNumbersBelowOneGetTheirZero) {
    const struct {
        const char* name;
        const char* text;
        const char* json;
    } cases[] = {
        {"fraction", ".140", "0.140"},
        {"negative fraction", "-.50", "-0.50"},
        {"whole and fraction", "12.50", "12.50"},
        {"negative whole and fraction", "-3.25", "-3.25"},
        {"zero", "0", "0"},
    };
    const std::size_t area = *columnIndex("A");
    for (const auto& c : cases) {
        TableRow row;
        row[area] = c.text;
        const TableRow* rows[] = {&row};
        EXPECT_EQ(writeTable(TableFormat::Json, std::vector{area}, rows),
                  std::string("[\n{\"A\":") + c.json + "}\n]\n")
            << c.name;
    }
}

} // namespace
} // namespace kavrel
