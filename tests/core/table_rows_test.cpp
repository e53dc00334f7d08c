#include "table/section_table.hpp"
#include "table/table_rows.hpp"

#include <gtest/gtest.h>

#include <string>

namespace kavrel {
namespace {

// Sizes of one's own follow the catalogue, count among the sizes, are marked, pass through the
// families and conditions like the others, and are written as kavrel-table writes them.
TEST(TableRows, OwnSizesFollowTheCatalogueAndAreMarked) {
    const std::vector<std::string> own = {"RHS:250x150x8", "CHS:60.3x3.2"};
    const auto outcome = tableRows({.families = {SectionFamily::RHS}}, own);
    const auto& rows = std::get<TableRows>(outcome);
    EXPECT_EQ(rows.sizeCount, 193u);
    ASSERT_EQ(rows.rows.size(), 63u);
    EXPECT_EQ(rows.rows.back().texts[1], "RHS:250x150x8");
    EXPECT_TRUE(rows.rows.back().own);
    EXPECT_FALSE(rows.rows.front().own);

    const auto single = tableRows({.sizes = {"200x100x8.0"}, .families = {SectionFamily::RHS}},
                                  std::vector<std::string>{"RHS:250x150x8"});
    EXPECT_EQ(writeRows(TableFormat::Csv, std::get<TableRows>(single)),
              std::get<std::string>(sectionTable(
                  {.sizes = {"200x100x8.0", "RHS:250x150x8"}, .families = {SectionFamily::RHS}})));
}

TEST(TableRows, RefusesAnOwnSizeThatIsNotOneWithTheEnginesReason) {
    for (const std::string bad : {"RHS:50x50x20", "200x100x8.0", "SHS:50x40x2"}) {
        const auto outcome = tableRows({}, std::vector<std::string>{bad});
        const auto* error = std::get_if<TableError>(&outcome);
        ASSERT_NE(error, nullptr) << bad;
        EXPECT_EQ(error->kind, TableError::Kind::BadRequest);
        EXPECT_NE(error->message.find(bad), std::string::npos) << error->message;
    }
}

} // namespace
} // namespace kavrel
