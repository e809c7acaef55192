// Renders charts shaped like the reports' ones, saves them for review under the
// test output folder, and checks the pictures by reading their pixels back:
// size, no alpha channel, bars in order with heights in proportion to the data,
// every line colour present.

#include <gtest/gtest.h>
#include <algorithm>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <thread>

#include "Canvas.h"
#include "ChartDrawing.h"
#include "ChartSamples.h"
#include "PngDecode.h"
#include "Scale.h"
#include "qvc/graph/ChartRenderer.h"
#include "qvc/runtime/Error.h"

namespace fs = std::filesystem;
using namespace qvc;
using namespace qvc::graph;

namespace {

struct Pixels {
    int width = 0, height = 0;
    std::vector<uint32_t> rgb;
    Colour at(int x, int y) const {
        uint32_t p = rgb[static_cast<size_t>(y) * width + x];
        return Colour{static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8),
                      static_cast<uint8_t>(p)};
    }
};

Pixels decode(const std::vector<uint8_t>& png) {
    test::DecodedPng d = test::decodePng(png);
    EXPECT_TRUE(d.ok);
    return Pixels{d.width, d.height, std::move(d.rgb)};
}

// Runs of columns that contain `c`, with the number of such pixels in the run's
// middle column: one entry per bar, left to right.
std::vector<int> barHeights(const Pixels& p, const Colour& c, double rows = 1.0) {
    std::vector<int> heights;
    const int lastRow = static_cast<int>(p.height * rows);
    bool inBar = false;
    int start = 0;
    auto count = [&](int x) {
        int n = 0;
        for (int y = 0; y < lastRow; ++y) {
            n += p.at(x, y) == c ? 1 : 0;
        }
        return n;
    };
    for (int x = 0; x <= p.width; ++x) {
        bool has = x < p.width && count(x) > 2;
        if (has && !inBar) {
            start = x;
        }
        if (!has && inBar) {
            heights.push_back(count((start + x) / 2));
        }
        inBar = has;
    }
    return heights;
}

Image renderAndSave(const Chart& chart, const std::string& name) {
    Image image = ChartRenderer().render(chart);
    fs::path dir = fs::path(QVC_TEST_OUTPUT_DIR) / "graph";
    fs::create_directories(dir);
    std::ofstream(dir / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(image.png.data()),
               static_cast<std::streamsize>(image.png.size()));
    return image;
}

int errorNumber(const Chart& chart) {
    try {
        ChartRenderer().render(chart);
    } catch (const rt::Error& e) {
        return e.number();
    }
    return 0;
}

}  // namespace

TEST(ChartRenderer, ThreeBarsAreInOrderAndInProportion) {
    Chart chart = test::summaryBars(3);
    Image image = renderAndSave(chart, "bars-3.png");
    EXPECT_EQ(image.pixelWidth, std::lround(235 * 200 / 72.0));
    EXPECT_EQ(image.pixelHeight, std::lround(185 * 200 / 72.0));
    // 8-bit RGB without alpha: IHDR colour type 2.
    ASSERT_GT(image.png.size(), 26u);
    EXPECT_EQ(image.png[24], 8);
    EXPECT_EQ(image.png[25], 2);
    Pixels p = decode(image.png);
    EXPECT_EQ(p.width, image.pixelWidth);
    std::vector<int> h = barHeights(p, Colour{130, 130, 255});
    ASSERT_EQ(h.size(), 3u);
    // Heights grow linearly with the values (the axis line and borders cover a
    // few pixels of every bar, so compare differences).
    const auto& v = chart.subsets[0].values;
    EXPECT_NEAR(double(h[2] - h[0]) / (h[1] - h[0]), (v[2] - v[0]) / (v[1] - v[0]), 0.02);
    EXPECT_LT(h[0], h[1]);
}

TEST(ChartRenderer, TwentyBarsKeepEveryBar) {
    Chart chart = test::summaryBars(20);
    Image image = renderAndSave(chart, "bars-20.png");
    Pixels p = decode(image.png);
    std::vector<int> h = barHeights(p, Colour{130, 130, 255});
    ASSERT_EQ(h.size(), 20u);
    const auto& v = chart.subsets[0].values;
    auto hi = static_cast<size_t>(std::max_element(v.begin(), v.end()) - v.begin());
    auto lo = static_cast<size_t>(std::min_element(v.begin(), v.end()) - v.begin());
    for (size_t i = 0; i < 20; ++i) {
        EXPECT_NEAR(double(h[i] - h[lo]) / (h[hi] - h[lo]), (v[i] - v[lo]) / (v[hi] - v[lo]), 0.02)
            << i;
    }
}

TEST(ChartRenderer, StackedYearsShowBothSubsetsPerYear) {
    Chart chart = test::cashFlowStack(51);
    Image image = renderAndSave(chart, "stacked-51.png");
    EXPECT_EQ(image.pixelWidth, std::lround(440 * 200 / 72.0));
    Pixels p = decode(image.png);
    // Above the legend: year 0 is investment only, years 1..50 each have an
    // operating cost segment, and investment shows in years 0, 10, 20 ... 50.
    std::vector<int> operating = barHeights(p, Colour{151, 6, 46}, 0.9);
    EXPECT_EQ(operating.size(), 50u);
    std::vector<int> investment = barHeights(p, Colour{130, 130, 255}, 0.9);
    ASSERT_EQ(investment.size(), 6u);
    // 1,450,000 in year 0 against 380,000 in years 20 and 40, 95,000 in 10, 30, 50.
    EXPECT_NEAR(double(investment[0] - investment[1]) / (investment[2] - investment[1]),
                (1450000.0 - 95000.0) / (380000.0 - 95000.0), 0.03);
    EXPECT_NEAR(investment[2], investment[4], 1);
    // Operating cost grows 2 % a year (years 1, 25 and 49 carry no investment).
    auto op = [](int y) { return std::round(61000.0 * std::pow(1.02, y)); };
    double pixelsPerUnit = (investment[0] - investment[1]) / (1450000.0 - 95000.0);
    EXPECT_NEAR(operating[48] - operating[0], (op(49) - op(1)) * pixelsPerUnit, 2.0);
}

TEST(ChartRenderer, TwentyLinesUseTwentyColours) {
    Chart chart = test::profileLines(20, 25);
    Image image = renderAndSave(chart, "lines-20.png");
    Pixels p = decode(image.png);
    std::map<uint32_t, int> counts;
    for (uint32_t px : p.rgb) {
        ++counts[px & 0xFFFFFF];
    }
    for (const Subset& s : chart.subsets) {
        uint32_t key = (uint32_t{s.colour.r} << 16) | (uint32_t{s.colour.g} << 8) | s.colour.b;
        EXPECT_GT(counts[key], 50) << s.label;
    }
}

TEST(ChartRenderer, RejectsBrokenDescriptions) {
    Chart chart = test::summaryBars(3);
    chart.subsets[0].values.pop_back();
    EXPECT_EQ(errorNumber(chart), 5);
    chart = test::summaryBars(3);
    chart.subsets[0].values[1] = std::nan("");
    EXPECT_EQ(errorNumber(chart), 5);
    chart = test::summaryBars(3);
    chart.subsets.clear();
    EXPECT_EQ(errorNumber(chart), 5);
    chart = test::summaryBars(3);
    chart.widthPt = 0;
    EXPECT_EQ(errorNumber(chart), 5);
    chart = test::summaryBars(3);
    chart.valueAnnotations.pop_back();
    EXPECT_EQ(errorNumber(chart), 5);
    // All values zero and a manual range of 0..0 still draws (auto range).
    chart = test::summaryBars(3);
    chart.subsets[0].values = {0, 0, 0};
    chart.yMax = 0;
    EXPECT_EQ(errorNumber(chart), 0);
    // Negative values below a manual minimum of 0 widen the range.
    chart.subsets[0].values = {-5000, 2000, 1000};
    chart.yMax = 3000;
    Pixels p = decode(ChartRenderer().render(chart).png);
    std::vector<int> heights = barHeights(p, Colour{130, 130, 255});
    ASSERT_EQ(heights.size(), 3u);
    EXPECT_NEAR(heights[0] / static_cast<double>(heights[1]), 2.5, 0.05);
}

TEST(ChartScale, RoundTicksAndGroupedLabels) {
    using namespace qvc::graph::detail;
    EXPECT_EQ(formatTick(1234567, 250000), "1,234,567");
    EXPECT_EQ(formatTick(-2500, 500), "-2,500");
    EXPECT_EQ(formatTick(0.25, 0.05), "0.25");
    EXPECT_EQ(formatTick(0.5, 0.25), "0.50");
    EXPECT_EQ(formatTick(0, 100), "0");
    EXPECT_EQ(formatTick(999, 1), "999");

    Scale s = makeScale(0, 1851850.5, 5);
    EXPECT_EQ(s.step, 500000);
    EXPECT_EQ(s.ticks, (std::vector<double>{0, 500000, 1000000, 1500000}));
    Scale a = autoScale(-120, 930, 5);
    EXPECT_LE(a.min, -120);
    EXPECT_GE(a.max, 930);
    EXPECT_EQ(a.ticks.front(), a.min);
    EXPECT_EQ(a.ticks.back(), a.max);
    EXPECT_TRUE(std::find(a.ticks.begin(), a.ticks.end(), 0.0) != a.ticks.end());
    Scale z = autoScale(0, 0, 5);
    EXPECT_EQ(z.min, 0);
    EXPECT_EQ(z.max, 1);
}

// The charts of a thread share its pixel memory, which is never cleared. A
// chart drawn after a larger, busier one, or while a canvas holds that memory,
// must be the picture a fresh thread draws, and must leave the holder's
// picture alone; the module that ships draws the same bytes.
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
    std::vector<uint8_t> freshChart;
    std::vector<uint8_t> freshHolder;
    std::thread([&] {
        freshChart = drawChart(bars).png;
        freshHolder = holderPicture([] {});
    }).join();

    drawChart(test::profileLines(20, 40));
    EXPECT_EQ(drawChart(bars).png, freshChart);
    std::vector<uint8_t> nested;
    EXPECT_EQ(holderPicture([&] { nested = drawChart(bars).png; }), freshHolder);
    EXPECT_EQ(nested, freshChart);
    EXPECT_EQ(ChartRenderer().render(bars).png, freshChart);
}
