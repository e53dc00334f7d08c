#include "design/design.hpp"
#include "properties/formula_sets.hpp"
#include "properties/number_text.hpp"
#include "table/table_sizes.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace kavrel {
namespace {

// The published files end their lines with CR LF.
std::vector<std::string> fieldsOf(std::string line) {
    if (line.ends_with('\r')) {
        line.pop_back();
    }
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, ',');) {
        fields.push_back(field);
    }
    if (!line.empty() && line.back() == ',') {
        fields.emplace_back();
    }
    return fields;
}

// A size of a catalogue as the table takes it, with its unrounded properties.
struct Sized {
    TableSize size;
    SectionResults results;
    DesignSection section() const {
        const auto read = [](const std::optional<std::string>& f) {
            return readNumber(f).value_or(0);
        };
        return {size.catalogue,
                size.family,
                size.designation,
                read(size.dimensions.depth),
                read(size.dimensions.width),
                read(size.dimensions.thickness),
                results.values};
    }
};

Sized sized(Catalogue catalogue, const std::string& argument) {
    const Catalogue catalogues[] = {catalogue};
    auto size = std::get<TableSize>(sizeOf(argument, catalogues));
    auto results =
        std::get<SectionResults>(resultsOf(catalogue, size.family, size.dimensions, fractionPi));
    return {std::move(size), std::move(results)};
}

DesignResults designOf(const Sized& s, DesignRequest request) {
    auto outcome = designResults(s.section(), request);
    if (auto* error = std::get_if<DesignError>(&outcome)) {
        ADD_FAILURE() << error->message;
        return {};
    }
    return std::get<DesignResults>(std::move(outcome));
}

// Ours to two decimals, as the published figures are rounded.
double twoDecimals(double x) {
    return *readNumber(formatResult(x, Pattern::Int4Dec2));
}

TEST(DesignResistances, GiveThePublishedFiguresOfHotFinishedSizesInS235) {
    std::ifstream published(KAVREL_TEST_DATA "/published-resistance-sample.csv");
    std::string line;
    ASSERT_TRUE(std::getline(published, line));
    const auto columns = fieldsOf(line);
    ASSERT_EQ(columns.size(), 18U);
    int sizes = 0;
    for (; std::getline(published, line); ++sizes) {
        const auto f = fieldsOf(line);
        const std::string name = f[3];
        const Sized s = sized(*catalogueNamed(f[0]), f[3]);
        const DesignResults r =
            designOf(s, {.grade = SteelGrade::S235, .fy = 235.0, .flatWidth = FlatWidth::Corners});
        const SectionValues& v = s.results.values;
        const auto expect = [&](std::string_view column, double ours) {
            const std::size_t at = static_cast<std::size_t>(
                std::find(columns.begin(), columns.end(), column) - columns.begin());
            EXPECT_EQ(twoDecimals(ours), *readNumber(f[at])) << name << " " << column;
        };
        expect("NplRd", 0.1 * v.a * 235);
        expect("VplRdx", *r.vplRdx.value);
        expect("VplRdy", *r.vplRdy.value);
        expect("MelRdx", 0.001 * v.zxx * 235);
        expect("MelRdy", 0.001 * v.zyy * 235);
        expect("MplRdx", 0.001 * v.zpx * 235);
        expect("MplRdy", 0.001 * v.zpy * 235);
        EXPECT_EQ(f[13], "a") << name;
        const int n = static_cast<int>(*r.classN.value);
        const int mx = static_cast<int>(*r.classMx.value);
        const int my = static_cast<int>(*r.classMy.value);
        if (f[1] == "RHS") {
            EXPECT_EQ(std::to_string(mx), f[14]) << name;
            EXPECT_EQ(std::to_string(my), f[15]) << name;
            EXPECT_EQ(std::to_string(n), f[16]) << name;
        } else {
            EXPECT_EQ(std::to_string(std::max({n, mx, my})), f[17]) << name;
        }
        if (n <= 3) {
            EXPECT_EQ(twoDecimals(*r.ncRd.value), *readNumber(f[6])) << name;
        }
        // Mc,Rd is the plastic or the elastic resistance as the class says.
        const auto moment = [&](int klass, const DesignValue& mc, const std::string& mel,
                                const std::string& mpl) {
            if (klass <= 2) {
                EXPECT_EQ(twoDecimals(*mc.value), *readNumber(mpl)) << name;
            } else if (klass == 3) {
                EXPECT_EQ(twoDecimals(*mc.value), *readNumber(mel)) << name;
            } else {
                EXPECT_LT(*mc.value, *readNumber(mel)) << name;
            }
        };
        moment(mx, r.mcRdx, f[9], f[11]);
        moment(my, r.mcRdy, f[10], f[12]);
    }
    EXPECT_EQ(sizes, 30);
}

TEST(DesignResistances, GiveThePublishedRatiosWithTheRule3t) {
    std::ifstream published(KAVREL_TEST_DATA "/published-ratios-sample.csv");
    std::string line;
    ASSERT_TRUE(std::getline(published, line));
    int sizes = 0;
    for (; std::getline(published, line); ++sizes) {
        const auto f = fieldsOf(line);
        const Sized s = sized(*catalogueNamed(f[0]), f[2]);
        const DesignResults r = designOf(s, {.grade = SteelGrade::S355});
        const auto threeFigures = [](const DesignValue& x) {
            return *readNumber(formatSignificant(*x.value, 3));
        };
        if (f[1] == "CHS") {
            EXPECT_EQ(threeFigures(r.D_t), *readNumber(f[5])) << f[2];
            EXPECT_FALSE(r.cD_t.value) << f[2];
        } else {
            EXPECT_EQ(threeFigures(r.cD_t), *readNumber(f[3])) << f[2];
            EXPECT_EQ(threeFigures(r.cB_t), *readNumber(f[4])) << f[2];
            EXPECT_FALSE(r.D_t.value) << f[2];
        }
    }
    EXPECT_EQ(sizes, 30);
}

TEST(DesignResistances, WorkedExampleShs150x6_3InS355) {
    const Sized s = sized(Catalogue::EN10210, "150x150x6.3");
    const DesignResults r = designOf(s, {.grade = SteelGrade::S355});
    EXPECT_EQ(*r.classN.value, 1);
    EXPECT_EQ(*r.classMx.value, 1);
    EXPECT_EQ(r.fy.text, "355");
    EXPECT_EQ(formatSignificant(*r.mcRdx.value, 2), "68");
    EXPECT_EQ(formatSignificant(*r.ncRd.value, 3), "1270");
    // The published 1,271 kN is the area rounded to 35.8 cm^2.
    EXPECT_EQ(formatSignificant(0.1 * 35.8 * 355, 4), "1271");
    EXPECT_EQ(formatSignificant(s.results.values.a, 3), "35.8");
}

} // namespace
} // namespace kavrel
