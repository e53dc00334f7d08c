#include "table/section_table.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kavrel {
namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        result.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "the last line must end with \\n";
    return result;
}

TEST(SectionTable, OneLinePerSectionInDisplayOrder) {
    const TableOutcome table = sectionTable({});
    ASSERT_TRUE(std::holds_alternative<std::string>(table));
    const auto rows = lines(std::get<std::string>(table));
    ASSERT_EQ(rows.size(), 192u);
    EXPECT_EQ(rows[0],
              "family,designation,depth,width,thickness,A,W,Ixx,Iyy,Zxx,Zyy,rxx,ryy,S,J,C");
    EXPECT_EQ(rows[1],
              "RHS,50x25x2.0,50.0,25.0,2.0,2.74,2.15,8.38,2.81,3.35,2.25,1.75,1.01,.140,7.03,3.84");
    EXPECT_EQ(rows[63],
              "SHS,25x25x1.6,25.0,25.0,1.6,1.43,1.12,1.28,1.28,1.02,1.02,.95,.95,.092,2.10,1.50");
    EXPECT_EQ(rows[132],
              "CHS,15NBx2.0(L),21.3,21.3,2.0,1.21,.95,.57,.57,.54,.54,.69,.69,.067,1.14,1.08");
    EXPECT_EQ(rows[191].rfind("CHS,350NBx12,355.6,355.6,12.0,129.59,", 0), 0u);
    for (const std::string& row : rows) {
        EXPECT_EQ(std::count(row.begin(), row.end(), ','), 15) << row;
    }
}

} // namespace
} // namespace kavrel
