// Charts shaped like the reports' ones, checked by their pixels; broken ones fail with 5.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <thread>

#include "Canvas.h"
#include "ChartDrawing.h"
#include "ChartSamples.h"
#include "Scale.h"
#include "TestSupport.h"
#include "qvc/graph/ChartRenderer.h"

using namespace qvc;
using namespace qvc::graph;

namespace {

// Bar heights left to right: pixels of `c` in the middle column of each run (top `rows` share).
std::vector<int> barHeights(const test::DecodedPng& p, uint32_t c, double rows = 1.0) {
    const auto count = [&](int x) {
        int n = 0;
        for (int y = 0; y < static_cast<int>(p.height * rows); ++y)
            n += p.rgb[static_cast<size_t>(y) * p.width + x] == c;
        return n;
    };
    std::vector<int> heights;
    for (int x = 0, start = -1; x <= p.width; ++x) {
        const bool has = x < p.width && count(x) > 2;
        if (has && start < 0)
            start = x;
        if (!has && start >= 0) {
            heights.push_back(count((start + x) / 2));
            start = -1;
        }
    }
    return heights;
}

test::DecodedPng renderAndCheck(const Chart& chart, const std::string& name) {
    test::DecodedPng d = test::decodePng(ChartRenderer().render(chart).png);
    // 200 dpi: a point is 200 / 72 pixels.
    EXPECT_TRUE(d.ok && d.width == std::lround(chart.widthPt * 200 / 72.0) &&
                d.height == std::lround(chart.heightPt * 200 / 72.0))
        << name << ": " << d.width << " x " << d.height;
    return d;
}

constexpr uint32_t kBlue = 0x8282FF;  // 130, 130, 255
constexpr uint32_t kRed = 0x97062E;   // 151, 6, 46

}  // namespace

// Heights grow linearly with the values (differences to the lowest bar, as borders cover some).
TEST(ChartRenderer, BarsAreInOrderAndInProportion) {
    for (int cases : {3, 20}) {
        const Chart chart = test::summaryBars(cases);
        const std::vector<int> h =
            barHeights(renderAndCheck(chart, "bars-" + std::to_string(cases)), kBlue);
        ASSERT_EQ(h.size(), static_cast<size_t>(cases));
        const auto& v = chart.subsets[0].values;
        const auto hi = static_cast<size_t>(std::max_element(v.begin(), v.end()) - v.begin());
        const auto lo = static_cast<size_t>(std::min_element(v.begin(), v.end()) - v.begin());
        for (size_t i = 0; i < v.size(); ++i)
            EXPECT_NEAR(double(h[i] - h[lo]) / (h[hi] - h[lo]), (v[i] - v[lo]) / (v[hi] - v[lo]),
                        0.02)
                << cases << " cases, bar " << i;
    }
}

TEST(ChartRenderer, StackedYearsShowBothSubsetsPerYear) {
    const test::DecodedPng p = renderAndCheck(test::cashFlowStack(51), "stacked-51");
    // Above the legend: operating cost in years 1..50, investment in years 0, 10, ... 50.
    const std::vector<int> operating = barHeights(p, kRed, 0.9);
    EXPECT_EQ(operating.size(), 50u);
    const std::vector<int> investment = barHeights(p, kBlue, 0.9);
    ASSERT_EQ(investment.size(), 6u);
    // 1,450,000 in year 0 against 380,000 in years 20 and 40, 95,000 in 10, 30, 50.
    EXPECT_NEAR(double(investment[0] - investment[1]) / (investment[2] - investment[1]),
                (1450000.0 - 95000.0) / (380000.0 - 95000.0), 0.03);
    EXPECT_NEAR(investment[2], investment[4], 1);
    // Operating cost grows 2 % a year from 61,000 (years 1 and 49 carry no investment).
    const auto op = [](int y) { return std::round(61000.0 * std::pow(1.02, y)); };
    const double pixelsPerUnit = (investment[0] - investment[1]) / (1450000.0 - 95000.0);
    EXPECT_NEAR(operating[48] - operating[0], (op(49) - op(1)) * pixelsPerUnit, 2.0);
}

TEST(ChartRenderer, RejectsBrokenDescriptionsAndWidensTooSmallRanges) {
    const std::tuple<const char*, int, std::function<void(Chart&)>> cases[] = {
        {"a value short", 5, [](Chart& c) { c.subsets[0].values.pop_back(); }},
        {"not a number", 5, [](Chart& c) { c.subsets[0].values[1] = std::nan(""); }},
        {"an annotation short", 5, [](Chart& c) { c.valueAnnotations.pop_back(); }},
        {"type too large", 5, [](Chart& c) { c.fontScale = 2.01; }},
        {"zeros, range 0..0 (auto)", 0,
         [](Chart& c) {
             c.subsets[0].values.assign(3, 0.0);
             c.yMax = 0;
         }},
    };
    for (const auto& [what, number, change] : cases) {
        Chart chart = test::summaryBars(3);
        change(chart);
        EXPECT_EQ(test::errorNumberOf([&] { ChartRenderer().render(chart); }), number) << what;
    }
    // Values below a manual minimum of 0 widen the range: -5,000 is 2.5 times 2,000.
    Chart chart = test::summaryBars(3);
    chart.subsets[0].values = {-5000, 2000, 1000};
    chart.yMax = 3000;
    const std::vector<int> h =
        barHeights(test::decodePng(ChartRenderer().render(chart).png), kBlue);
    ASSERT_EQ(h.size(), 3u);
    EXPECT_NEAR(h[0] / static_cast<double>(h[1]), 2.5, 0.05);
}

// Tick labels grouped by thousands with the step's decimals; ticks around the data through 0.
TEST(ChartScale, RoundTicksAndGroupedLabels) {
    using namespace qvc::graph::detail;
    EXPECT_EQ(formatTick(-1234567, 250000), "-1,234,567");
    EXPECT_EQ(formatTick(0.5, 0.25), "0.50");
    const Scale a = autoScale(-120, 1000, 5);
    EXPECT_TRUE(a.min <= -120 && a.max >= 1100) << a.min << " " << a.max;
    EXPECT_TRUE(a.ticks.front() == a.min && a.ticks.back() == a.max);
    EXPECT_NE(std::find(a.ticks.begin(), a.ticks.end(), 0.0), a.ticks.end());
    EXPECT_EQ(makeScale(0, 1851850.5, 5).ticks, (std::vector<double>{0, 5e5, 1e6, 1.5e6}));
}

// Shared, never-cleared pixel memory: a chart after a busier one or inside a held canvas is
// what a fresh thread draws, and leaves the holder's picture alone.
TEST(ChartDrawing, SharedPixelMemoryLeavesNoTrace) {
    using namespace qvc::graph::detail;
    const Chart bars = test::summaryBars(3);
    const auto holderPicture = [](auto&& whileHeld) {
        Canvas holder(300, 200, 150, "Arial");
        cairo_rectangle(holder.cr(), 20, 20, 100, 50);
        cairo_fill(holder.cr());
        whileHeld();
        return holder.png();
    };
    std::vector<uint8_t> freshChart, freshHolder, nested;
    std::thread([&] {
        freshChart = drawChart(bars).png;
        freshHolder = holderPicture([] {});
    }).join();
    drawChart(test::profileLines(20, 40));
    EXPECT_EQ(drawChart(bars).png, freshChart);
    EXPECT_EQ(holderPicture([&] { nested = drawChart(bars).png; }), freshHolder);
    EXPECT_EQ(nested, freshChart);
    EXPECT_EQ(ChartRenderer().render(bars).png, freshChart);
}
