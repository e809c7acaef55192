// Long texts on charts: labels, legend entries and titles are cut with an
// ellipsis to what the chart can show, and laying them out takes work in
// proportion to their length.

#include <gtest/gtest.h>

#include <utf8cpp/utf8.h>

#include <string>

#include "Canvas.h"
#include "ChartLayout.h"
#include "ChartSamples.h"
#include "qvc/graph/ChartRenderer.h"

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

// The life-cycle summary bars and the present-worth profile lines with every
// case's short title `n` characters long; the bytes the layout measured.
size_t layoutWork(size_t n, Layout* summary = nullptr, Layout* profile = nullptr) {
    Chart bars = test::summaryBars(3);
    for (std::string& label : bars.pointLabels)
        label = longTitle(n) + label;
    Chart lines = test::profileLines(3, 25);
    lines.showLegend = true;
    for (Subset& s : lines.subsets)
        s.label = longTitle(n) + s.label;
    Canvas a(bars.widthPt, bars.heightPt, bars.dpi, bars.fontFamily);
    Canvas b(lines.widthPt, lines.heightPt, lines.dpi, lines.fontFamily);
    Layout la = layoutChart(bars, a);
    Layout lb = layoutChart(lines, b);
    if (summary)
        *summary = la;
    if (profile)
        *profile = lb;
    return a.measuredBytes() + b.measuredBytes();
}

}  // namespace

// Reproducer: the LS and TPW charts of a study whose case short titles had
// 16,000 characters took 16 s, growing with the square of the length: each
// label was shortened one character at a time, measuring the rest every time.
TEST(ChartLabels, LongLabelsAreCutWithAnEllipsisInWorkLinearInTheirLength) {
    Layout summary, profile;
    const size_t work16k = layoutWork(16000, &summary, &profile);
    const size_t work32k = layoutWork(32000);
    const size_t labelBytes = 6 * longTitle(16000).size();
    EXPECT_LT(work16k, 40 * labelBytes) << "layout measured " << work16k << " bytes";
    EXPECT_LT(static_cast<double>(work32k) / static_cast<double>(work16k), 2.5)
        << "twice the length must not take four times the work";

    Canvas canvas(440, 300, 200, "Arial");
    ASSERT_EQ(summary.xLabels.size(), 3u);
    for (const std::string& label : summary.xLabels) {
        EXPECT_TRUE(label.ends_with("...")) << label;
        EXPECT_LT(label.size(), 400u);
        EXPECT_TRUE(validUtf8(label));
    }
    ASSERT_EQ(profile.legendLabels.size(), 3u);
    canvas.setFont(profile.legendFont, false);
    for (const std::string& label : profile.legendLabels) {
        EXPECT_TRUE(label.ends_with("...")) << label;
        EXPECT_TRUE(validUtf8(label));
        EXPECT_LE(canvas.measure(label).width, profile.legendColumnWidth);
    }

    // A title and axis label that long too: cut to the chart's width, and the
    // whole chart is drawn.
    Chart chart = test::profileLines(4, 25);
    chart.title = longTitle(16000);
    chart.xAxisLabel = longTitle(5000);
    Canvas titleCanvas(chart.widthPt, chart.heightPt, chart.dpi, chart.fontFamily);
    const Layout l = layoutChart(chart, titleCanvas);
    EXPECT_TRUE(l.title.ends_with("..."));
    titleCanvas.setFont(l.titleFont, true);
    EXPECT_LE(titleCanvas.measure(l.title).width, chart.widthPt);
    EXPECT_TRUE(test::decodePng(ChartRenderer().render(chart).png).ok);
}

TEST(ChartLabels, FitKeepsWhatFitsAndCutsOnACharacter) {
    Canvas canvas(440, 300, 200, "Arial");
    canvas.setFont(8, false);
    EXPECT_EQ(canvas.fit("Refurbish", 200), "Refurbish");
    EXPECT_EQ(canvas.fit("", 10), "");
    const double whole = canvas.measure("Refurbish the plant").width;
    EXPECT_EQ(canvas.fit("Refurbish the plant", whole), "Refurbish the plant");
    // Just too narrow: the longest prefix that fits with the ellipsis.
    const std::string cut = canvas.fit("Refurbish the plant", whole - 0.5);
    ASSERT_TRUE(cut.ends_with("...")) << cut;
    EXPECT_TRUE(std::string("Refurbish the plant").starts_with(cut.substr(0, cut.size() - 3)));
    EXPECT_LE(canvas.measure(cut).width, whole - 0.5);
    const std::string prefix = cut.substr(0, cut.size() - 3);
    const std::string oneMore = std::string("Refurbish the plant").substr(0, prefix.size() + 1);
    EXPECT_GT(canvas.measure(oneMore + "...").width, whole - 0.5) << "cut shorter than needed";
    // Room for the ellipsis alone, and for nothing.
    const double dots = canvas.measure("...").width;
    EXPECT_EQ(canvas.fit("Refurbish", dots + 0.1), "...");
    EXPECT_EQ(canvas.fit("Refurbish", dots / 2), "");
    // Multi-byte characters are never split, at any width.
    const std::string wide = "Étude Ünterführung 東京 ∑ plant";
    for (double w = 1; w < canvas.measure(wide).width; w += 1.5)
        EXPECT_TRUE(validUtf8(canvas.fit(wide, w))) << w;
    // A text far longer than the room, past the length first measured whole.
    const std::string huge = longTitle(20000);
    const std::string shown = canvas.fit(huge, 100);
    EXPECT_TRUE(shown.ends_with("..."));
    EXPECT_LE(canvas.measure(shown).width, 100);
    EXPECT_GT(canvas.measure(shown).width, 80);
}
