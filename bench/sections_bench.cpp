// One re-filter and re-sort of the largest catalogue (EN 10210-2, 387 sizes) with every column:
// the engine alone, and the window's whole refresh (engine, model, column widths), offscreen.
#include "sections/sections_window.hpp"
#include "table/table_columns.hpp"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

using namespace kavrel;

void engineRefilter(benchmark::State& state) {
    bool descending = false;
    for (auto _ : state) {
        descending = !descending;
        benchmark::DoNotOptimize(tableRows({.conditions = {{"Zxx", Comparison::AtLeast, 10}},
                                            .sort = SortKey{"W", descending},
                                            .columns = {columnNames.begin(), columnNames.end()},
                                            .catalogues = {Catalogue::EN10210}}));
    }
}
BENCHMARK(engineRefilter)->Unit(benchmark::kMillisecond);

void windowRefilter(benchmark::State& state) {
    SectionsWindow window(QString(), QStringLiteral("."));
    PanelState request;
    request.columns.clear();
    for (const std::string_view name : columnNames) {
        request.columns << QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    }
    request.catalogue = QStringLiteral("EN10210");
    request.requirements = {{QStringLiteral("Zxx"), QStringLiteral(">="), QStringLiteral("10")}};
    window.panel().setState(request);
    // As a click on the W header does: ascending, then descending, each a whole refresh.
    for (auto _ : state) {
        window.panel().sortBy(QStringLiteral("W"));
    }
    state.counters["rows"] = static_cast<double>(window.model().rowCount());
}
BENCHMARK(windowRefilter)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
