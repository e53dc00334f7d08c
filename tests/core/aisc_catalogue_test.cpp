#include "catalogue/catalogues.hpp"
#include "catalogue/hss_designation.hpp"
#include "csv_fields.hpp"
#include "properties/formula_sets.hpp"
#include "properties/number_text.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace kavrel {
namespace {

struct Found {
    SectionFamily family;
    const CatalogueEntry* entry;
};

std::optional<Found> findAisc(std::string_view text) {
    for (const SectionFamily family : allFamilies) {
        for (const CatalogueEntry& entry : entriesOf(Catalogue::AISC, family)) {
            if (designates(Catalogue::AISC, entry.designation, text)) {
                return Found{family, &entry};
            }
        }
    }
    return std::nullopt;
}

// Kavrel's result texts of an AISC size by the database's names, in the database's units.
std::map<std::string, std::string> databaseTexts(const Found& found) {
    const ResultsOutcome outcome =
        resultsOf(Catalogue::AISC, found.family, found.entry->dimensions(), fractionPi);
    const auto& all = std::get<SectionResults>(outcome);
    const SectionProperties& p = all.properties;
    return {{"W", p.wt},   {"A", p.a},
            {"Ix", p.ixx}, {"Sx", p.zxx},
            {"rx", p.rxx}, {"Zx", all.plastic.zpx},
            {"Iy", p.iyy}, {"Sy", p.zyy},
            {"ry", p.ryy}, {"Zy", all.plastic.zpy},
            {"J", p.j},    {"C", p.c}};
}

// Every printed figure of the 30 sizes, at its printed precision: the properties to three
// significant figures, W to two decimals. A figure that differs is a fault to find.
TEST(AiscCatalogue, GivesTheDatabaseFiguresAsPrinted) {
    std::ifstream published(KAVREL_TEST_DATA "/aisc-published-sample.csv");
    std::string line;
    ASSERT_TRUE(std::getline(published, line));
    const auto columns = csvFields(line);
    int sizes = 0;
    int figures = 0;
    for (; std::getline(published, line); ++sizes) {
        const auto fields = csvFields(line);
        const std::optional<Found> found = findAisc(fields[0]);
        ASSERT_TRUE(found) << fields[0];
        EXPECT_EQ(found->entry->designation, fields[0]);
        const auto ours = databaseTexts(*found);
        for (std::size_t i = 1; i < columns.size(); ++i, ++figures) {
            const std::string& text = ours.at(columns[i]);
            EXPECT_EQ(readNumber(text), readNumber(fields[i]))
                << fields[0] << " " << columns[i] << ": ours " << text << ", printed " << fields[i];
        }
    }
    EXPECT_EQ(sizes, 30);
    EXPECT_EQ(figures, 30 * 12);
}

} // namespace
} // namespace kavrel
