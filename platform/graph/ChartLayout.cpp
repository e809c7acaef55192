#include "ChartLayout.h"

#include <algorithm>
#include <cmath>

namespace qvc::graph::detail {

namespace {
constexpr double kMargin = 6.0;
constexpr double kSin45 = 0.70710678;
}  // namespace

std::pair<double, double> dataRange(const Chart& chart) {
    double lo = 0;
    double hi = 0;
    size_t points = chart.pointLabels.size();
    for (size_t i = 0; i < points; ++i) {
        double up = 0;
        double down = 0;
        for (const Subset& s : chart.subsets) {
            double v = s.values[i];
            if (chart.kind == ChartKind::StackedBar) {
                (v >= 0 ? up : down) += v;
            } else {
                hi = std::max(hi, v);
                lo = std::min(lo, v);
            }
        }
        hi = std::max(hi, up);
        lo = std::min(lo, down);
    }
    return {lo, hi};
}

// Title: one line, shrunk to fit. Returns the top of what lies below it.
double layoutTitle(const Chart& chart, Canvas& canvas, Layout& l) {
    double top = kMargin;
    if (!chart.title.empty()) {
        const double W = l.width;
        l.titleFont = l.font * 1.25;
        canvas.setFont(l.titleFont, true);
        while (l.titleFont > 5.0 && canvas.measure(chart.title).width > W - 2 * kMargin) {
            l.titleFont *= 0.94;
            canvas.setFont(l.titleFont, true);
        }
        // Still too wide at the smallest size: cut with an ellipsis.
        l.title = canvas.fit(chart.title, W - 2 * kMargin);
        top += l.titleFont * 1.45;
    }
    return top;
}

// Legend: columns of equal width below everything else, in smaller type until
// it takes at most 30 % of the height. Returns the bottom of what lies above it.
double layoutLegend(const Chart& chart, Canvas& canvas, Layout& l, double bottom) {
    if (!chart.showLegend || chart.subsets.empty()) {
        return bottom;
    }
    const double W = l.width;
    l.legendFont = l.font * 0.9;
    for (int attempt = 0; attempt < 6; ++attempt) {
        canvas.setFont(l.legendFont, false);
        double swatch = l.legendFont * 2.2;
        double widest = 0;
        for (const Subset& s : chart.subsets) {
            widest = std::max(widest, canvas.measure(s.label).width);
        }
        double usable = W - 2 * kMargin;
        l.legendColumnWidth = std::min(usable, swatch + widest + l.legendFont * 1.5);
        l.legendColumns = std::max(1, static_cast<int>(usable / l.legendColumnWidth));
        l.legendColumns = std::min<int>(l.legendColumns, static_cast<int>(chart.subsets.size()));
        size_t rows = (chart.subsets.size() + l.legendColumns - 1) / l.legendColumns;
        if (rows > 1) {
            l.legendColumnWidth = usable / l.legendColumns;  // a grid across the width
        }
        double height = rows * l.legendFont * 1.35;
        if (height <= l.height * 0.3 || l.legendFont <= 5.0) {
            l.legendLabels.clear();
            for (const Subset& s : chart.subsets) {
                l.legendLabels.push_back(
                    canvas.fit(s.label, l.legendColumnWidth - swatch - l.legendFont * 0.5));
            }
            l.legendTop = bottom - height;
            return l.legendTop - l.legendFont * 0.6;
        }
        l.legendFont = std::max(5.0, l.legendFont * 0.85);
    }
    return bottom;
}

namespace {

// The value scale: the given range widened to the data, so no bar or line is
// ever cut off, or one taken from the data.
Scale valueScale(const Chart& chart, int target) {
    auto [lo, hi] = dataRange(chart);
    if (chart.yMin && chart.yMax && *chart.yMax > *chart.yMin) {
        double step = makeScale(*chart.yMin, *chart.yMax, target).step;
        double yMin = *chart.yMin;
        double yMax = *chart.yMax;
        if (lo < yMin) {
            yMin = std::floor(lo / step) * step;
        }
        if (hi > yMax) {
            yMax = std::ceil(hi * 1.05 / step) * step;
        }
        return makeScale(yMin, yMax, target);
    }
    return autoScale(lo, hi, target);
}

// x labels: level, slanted or upright and thinned. Returns the height they take.
double layoutXLabels(const Chart& chart, Canvas& canvas, Layout& l, double line) {
    size_t points = std::max<size_t>(1, chart.pointLabels.size());
    double slot = (l.plotRight - l.plotLeft) / static_cast<double>(points);
    double widest = 0;
    for (const std::string& s : chart.pointLabels) {
        widest = std::max(widest, canvas.measure(s).width);
    }
    double maxLen = l.height * 0.28;
    double labelsHeight = line;
    if (widest <= slot * 0.92) {
        l.labelMode = LabelMode::Level;
    } else if (widest <= line * 2.2) {
        // Short labels such as years stay level; only every k-th one is shown.
        l.labelMode = LabelMode::Level;
        for (int k : {2, 5, 10, 20, 50, 100, 200, 500, 1000}) {
            l.labelEvery = k;
            if (widest * 1.3 <= slot * k) {
                break;
            }
        }
    } else if (slot >= line * 1.2) {
        l.labelMode = LabelMode::Slanted;
        widest = std::min(widest, maxLen / kSin45);
        labelsHeight = widest * kSin45 + line * kSin45 + 2;
    } else {
        l.labelMode = LabelMode::Upright;
        l.labelEvery = std::max(1, static_cast<int>(std::ceil(line * 1.1 / slot)));
        widest = std::min(widest, maxLen);
        labelsHeight = widest + 3;
    }
    for (const std::string& s : chart.pointLabels) {
        l.xLabels.push_back(l.labelMode == LabelMode::Level
                                ? canvas.fit(s, slot * l.labelEvery * 0.98)
                                : canvas.fit(s, widest + 0.5));
    }
    return labelsHeight;
}

}  // namespace

Layout layoutChart(const Chart& chart, Canvas& canvas) {
    Layout l;
    l.width = chart.widthPt;
    l.height = chart.heightPt;
    const double W = l.width;
    const double H = l.height;
    l.font = std::clamp(std::min(W, H) / 26.0, 6.0, 10.0) * chart.fontScale;
    const double small = l.font * 0.9;
    const double line = small * 1.25;

    const double top = layoutTitle(chart, canvas, l);
    double bottom = layoutLegend(chart, canvas, l, H - kMargin);
    if (!chart.xAxisLabel.empty()) {
        l.xAxisLabelY = bottom - line * 0.5;
        bottom -= line * 1.15;
    }

    // The tick labels' width sets the plot's left edge.
    l.scale = valueScale(chart, std::clamp(static_cast<int>((H * 0.55) / (line * 2.2)), 3, 8));
    canvas.setFont(small, false);
    double tickWidth = 0;
    for (double t : l.scale.ticks) {
        tickWidth = std::max(tickWidth, canvas.measure(formatTick(t, l.scale.step)).width);
    }
    l.plotLeft = kMargin + (chart.yAxisLabel.empty() ? 0 : line * 1.2) + tickWidth + 4;
    l.plotRight = W - kMargin - 2;

    const double labelsHeight = layoutXLabels(chart, canvas, l, line);
    l.plotBottom = bottom - labelsHeight - 3;
    l.xLabelTop = l.plotBottom + 3;
    l.plotTop = top + l.font * 0.5;
    return l;
}

}  // namespace qvc::graph::detail
