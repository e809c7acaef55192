// Rendering one chart to PNG at 200 dpi: the life-cycle summary bar chart
// (235 x 325 pt, 20 cases), the cash-flow stacked chart (440 x 300 pt, 51 years)
// and the present-worth profiles (440 x 300 pt, 20 lines of 26 points).

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "qvc/graph/ChartRenderer.h"

using namespace qvc::graph;

namespace {

Chart bars() {
    Chart c;
    c.title = "Total Present Worth ($)";
    c.widthPt = 235;
    c.heightPt = 325;
    Subset s{"TPW", {130, 130, 255}, {}};
    for (int i = 0; i < 20; ++i) {
        c.pointLabels.push_back("Case " + std::to_string(i + 1));
        s.values.push_back(100000.0 + 25000.0 * i);
        c.valueAnnotations.push_back("$" + std::to_string(100 + 25 * i) + ",000");
    }
    c.subsets = {s};
    c.yMin = 0;
    c.yMax = 575000.0 * 1.5;
    return c;
}

Chart stacked() {
    Chart c;
    c.kind = ChartKind::StackedBar;
    c.title = "Before-Tax Cash Flow [Case 1]";
    c.xAxisLabel = "Year";
    c.yAxisLabel = "Cash Flow ($)";
    c.showLegend = true;
    Subset a{"Investment Cost", {130, 130, 255}, {}};
    Subset b{"Operating Cost", {151, 6, 46}, {}};
    for (int y = 0; y <= 50; ++y) {
        c.pointLabels.push_back(std::to_string(y));
        a.values.push_back(y % 10 == 0 ? 400000.0 : 0.0);
        b.values.push_back(y == 0 ? 0.0 : 60000.0 + 900.0 * y);
    }
    c.subsets = {a, b};
    return c;
}

Chart lines() {
    Chart c;
    c.kind = ChartKind::Line;
    c.xAxisLabel = "Year";
    c.yAxisLabel = "Cumulative Present Worth ($)";
    c.showLegend = true;
    for (int y = 0; y <= 25; ++y) {
        c.pointLabels.push_back(std::to_string(y));
    }
    for (int k = 0; k < 20; ++k) {
        Subset s{"Case " + std::to_string(k + 1),
                 {static_cast<uint8_t>(12 * k), static_cast<uint8_t>(255 - 12 * k), 90},
                 {}};
        double sum = 0;
        for (int y = 0; y <= 25; ++y) {
            sum += y == 0 ? 300000.0 + 20000.0 * k : 50000.0 * std::pow(0.95, y);
            s.values.push_back(sum);
        }
        c.subsets.push_back(s);
    }
    return c;
}

void run(benchmark::State& state, const Chart& chart) {
    ChartRenderer renderer;
    size_t bytes = 0;
    for (auto _ : state) {
        Image image = renderer.render(chart);
        bytes = image.png.size();
        benchmark::DoNotOptimize(image.png.data());
    }
    state.counters["png_bytes"] = static_cast<double>(bytes);
}

void BM_SummaryBars20(benchmark::State& state) {
    run(state, bars());
}
void BM_CashFlowStacked51(benchmark::State& state) {
    run(state, stacked());
}
void BM_ProfileLines20(benchmark::State& state) {
    run(state, lines());
}
BENCHMARK(BM_SummaryBars20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CashFlowStacked51)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProfileLines20)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
