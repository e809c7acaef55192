// Long labels and legend entries are cut with an ellipsis, in linear work.

#include <gtest/gtest.h>

#include <utf8cpp/utf8.h>

#include <string>

#include "Canvas.h"
#include "ChartLayout.h"
#include "ChartSamples.h"

using namespace qvc;
using namespace qvc::graph;
using namespace qvc::graph::detail;

namespace {

bool validUtf8(const std::string& s) {
    return utf8::is_valid(s.begin(), s.end());
}
// A case short title of `n` characters, with a two-byte letter now and then.
std::string longTitle(size_t n) {
    std::string s;
    for (size_t i = 0; i < n; ++i)
        s += i % 7 == 3 ? "é" : "w";
    return s;
}

struct Laid {
    Layout layout;
    size_t measuredBytes;
};
Laid lay(const Chart& chart) {
    Canvas canvas(chart.widthPt, chart.heightPt, chart.dpi, chart.fontFamily);
    Layout layout = layoutChart(chart, canvas);
    return {layout, canvas.measuredBytes()};
}

// The summary bars and the profile lines with every case's title `n` long.
std::pair<Laid, Laid> withTitles(size_t n) {
    Chart bars = test::summaryBars(3);
    for (std::string& label : bars.pointLabels)
        label = longTitle(n) + label;
    Chart lines = test::profileLines(3, 25);
    for (Subset& s : lines.subsets)
        s.label = longTitle(n) + s.label;
    return {lay(bars), lay(lines)};
}

}  // namespace

// Reproducer: 16,000-character titles took 16 s, cut one character at a time (square work).
TEST(ChartLabels, LongLabelsAreCutWithAnEllipsisInWorkLinearInTheirLength) {
    const auto [summary, profile] = withTitles(16000);
    const auto [summary32k, profile32k] = withTitles(32000);
    const size_t work16k = summary.measuredBytes + profile.measuredBytes;
    EXPECT_LT(work16k, 40 * 6 * longTitle(16000).size());
    EXPECT_LT(double(summary32k.measuredBytes + profile32k.measuredBytes) / double(work16k), 2.5)
        << "twice the length must not take four times the work";
    ASSERT_EQ(summary.layout.xLabels.size(), 3u);
    for (const std::string& label : summary.layout.xLabels)
        EXPECT_TRUE(label.ends_with("...") && label.size() < 400u && validUtf8(label)) << label;
    Canvas canvas(440, 300, 200, "Arial");
    canvas.setFont(profile.layout.legendFont, false);
    ASSERT_EQ(profile.layout.legendLabels.size(), 3u);
    for (const std::string& label : profile.layout.legendLabels) {
        EXPECT_TRUE(label.ends_with("...") && validUtf8(label)) << label;
        EXPECT_LE(canvas.measure(label).width, profile.layout.legendColumnWidth);
    }
}

// A cut is the longest prefix that fits with the ellipsis and never splits a letter.
TEST(ChartLabels, FitKeepsTheLongestPrefixAndCutsOnACharacter) {
    Canvas canvas(440, 300, 200, "Arial");
    canvas.setFont(8, false);
    const std::string text = "Étude Ünterführung 東京 ∑ plant";
    const double whole = canvas.measure(text).width;
    EXPECT_EQ(canvas.fit(text, whole), text);
    for (double w = 1; w < whole; w += 1.5) {
        const std::string cut = canvas.fit(text, w);
        const std::string prefix = cut.substr(0, cut.empty() ? 0 : cut.size() - 3);
        EXPECT_TRUE(validUtf8(cut) && text.starts_with(prefix) &&
                    cut == prefix + (cut.empty() ? "" : "..."))
            << w;
        EXPECT_LE(canvas.measure(cut).width, w);
    }
    const std::string cut = canvas.fit(text, whole - 0.5);
    EXPECT_GT(canvas.measure(text.substr(0, cut.size() - 2) + "...").width, whole - 0.5) << cut;
}
