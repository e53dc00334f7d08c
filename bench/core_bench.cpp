// How long Find takes, next to the floor it cannot go below: the eleven correctly rounded
// double-to-decimal conversions of its results; and the section table tool's engine.
#include "catalogue/catalogue.hpp"
#include "catalogue/catalogues.hpp"
#include "commands/find.hpp"
#include "properties/number_text.hpp"
#include "table/section_table.hpp"
#include "table/table_columns.hpp"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using namespace kavrel;

void oneFind(benchmark::State& state) {
    const FindInputs inputs{"240x120x10", "", "", true, false};
    for (auto _ : state) {
        benchmark::DoNotOptimize(find(inputs));
    }
}
BENCHMARK(oneFind);

void wholeCatalogue(benchmark::State& state) {
    std::vector<FindInputs> all;
    for (const SectionFamily family : allFamilies) {
        for (const CatalogueEntry& entry : entriesOf(family)) {
            all.push_back(findInputsFor(family, entry.designation));
        }
    }
    for (auto _ : state) {
        for (const FindInputs& in : all) {
            benchmark::DoNotOptimize(find(in));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(all.size()));
}
BENCHMARK(wholeCatalogue);

void elevenConversions(benchmark::State& state) {
    // The unrounded results of "240x120x10", roughly; what matters is eleven conversions.
    const double values[] = {72.03, 56.54, 5486.74, 1868.31, 457.23, 311.39,
                             8.73,  5.09,  4435.21, 529.33,  0.678};
    for (auto _ : state) {
        for (const double v : values) {
            benchmark::DoNotOptimize(formatResult(v, Pattern::Int6Dec2));
        }
    }
}
BENCHMARK(elevenConversions);

// The engine over whole catalogues; "per_size" is the time per catalogue size.
void table(benchmark::State& state, const TableRequest& request) {
    std::size_t sizes = 0;
    for (const Catalogue catalogue :
         request.catalogues.empty() ? std::vector{Catalogue::IS} : request.catalogues) {
        for (const SectionFamily family : allFamilies) {
            sizes += entriesOf(catalogue, family).size();
        }
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(sectionTable(request));
    }
    state.counters["per_size"] = benchmark::Counter(static_cast<double>(sizes),
                                                    benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}
BENCHMARK_CAPTURE(table, all_columns_json,
                  {.columns = {columnNames.begin(), columnNames.end()},
                   .format = TableFormat::Json});
BENCHMARK_CAPTURE(table, all_columns_json_EN10210,
                  {.columns = {"all"},
                   .format = TableFormat::Json,
                   .catalogues = {Catalogue::EN10210}});
BENCHMARK_CAPTURE(table, all_columns_json_EN10219,
                  {.columns = {"all"},
                   .format = TableFormat::Json,
                   .catalogues = {Catalogue::EN10219}});
BENCHMARK_CAPTURE(table, all_columns_json_IS,
                  {.columns = {"all"}, .format = TableFormat::Json, .catalogues = {Catalogue::IS}});
// The whole AISC catalogue with every column, in its own US units and converted to metric.
BENCHMARK_CAPTURE(table, all_columns_json_AISC_us,
                  {.columns = {"all"},
                   .format = TableFormat::Json,
                   .catalogues = {Catalogue::AISC},
                   .units = UnitSystem::US});
BENCHMARK_CAPTURE(table, all_columns_json_AISC_metric,
                  {.columns = {"all"},
                   .format = TableFormat::Json,
                   .catalogues = {Catalogue::AISC},
                   .units = UnitSystem::Metric});
// Each EN catalogue with the design resistances in S355 and flexural buckling at ten lengths.
const DesignRequest s355TenLengths{.grade = SteelGrade::S355,
                                   .lengths = {{"1", 1},
                                               {"2", 2},
                                               {"3", 3},
                                               {"4", 4},
                                               {"5", 5},
                                               {"6", 6},
                                               {"7", 7},
                                               {"8", 8},
                                               {"9", 9},
                                               {"10", 10}}};
BENCHMARK_CAPTURE(table, grade_S355_ten_lengths_EN10210,
                  {.catalogues = {Catalogue::EN10210}, .design = s355TenLengths});
BENCHMARK_CAPTURE(table, grade_S355_ten_lengths_EN10219,
                  {.catalogues = {Catalogue::EN10219}, .design = s355TenLengths});
// The IS catalogue to IS 800 in YSt310 at the same ten lengths.
const DesignRequest yst310TenLengths = [] {
    DesignRequest request = s355TenLengths;
    request.grade = SteelGrade::YSt310;
    return request;
}();
BENCHMARK_CAPTURE(table, grade_YSt310_ten_lengths_IS,
                  {.catalogues = {Catalogue::IS}, .design = yst310TenLengths});
BENCHMARK_CAPTURE(table, lightest_rhs,
                  {.families = {SectionFamily::RHS},
                   .conditions = {{"Zxx", Comparison::AtLeast, 50},
                                  {"ryy", Comparison::AtLeast, 2}},
                   .sort = SortKey{"W"},
                   .limit = 1});

} // namespace

BENCHMARK_MAIN();
