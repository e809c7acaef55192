#include "TornadoPainter.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "ChartLayout.h"

namespace qvc::graph::detail {

namespace {

constexpr double kMargin = 6.0;
constexpr double kLabelShare = 0.45;  // of the width, at most, for the row labels

// Every value the axis must show: the bars' ends and the base.
std::pair<double, double> tornadoRange(const Chart& chart) {
    double lo = chart.baseValue;
    double hi = chart.baseValue;
    for (const Subset& s : chart.subsets) {
        for (double v : s.values) {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    }
    if (chart.yMin && chart.yMax && *chart.yMax > *chart.yMin) {
        lo = std::min(lo, *chart.yMin);
        hi = std::max(hi, *chart.yMax);
    }
    return {lo, hi};
}

// Round ticks over the range, padded a little so no bar ends on the frame, with
// no more ticks than their labels have room for side by side.
Scale tornadoScale(const Chart& chart, Canvas& canvas, double plotWidth, double font) {
    auto [lo, hi] = tornadoRange(chart);
    double span = hi - lo;
    if (span <= 0) {
        span = std::max(std::fabs(chart.baseValue) * 0.02, 1.0);
    }
    lo -= span * 0.06;
    hi += span * 0.06;
    canvas.setFont(font, false);
    // The ticks are the step's multiples inside the padded range, so the bars
    // fill the plot instead of a range rounded out to whole steps.
    Scale scale;
    for (int target = 8; target >= 2; --target) {
        scale = scaleWithStep(lo, hi, makeScale(lo, hi, target).step);
        double widest = 0;
        for (double t : scale.ticks) {
            widest = std::max(widest, canvas.measure(formatTick(t, scale.step)).width);
        }
        if (widest * 1.4 * static_cast<double>(scale.ticks.size()) <= plotWidth) {
            break;
        }
    }
    return scale;
}

}  // namespace

Layout layoutTornado(const Chart& chart, Canvas& canvas) {
    Layout l;
    l.width = chart.widthPt;
    l.height = chart.heightPt;
    l.font = std::clamp(std::min(l.width, l.height) / 26.0, 6.0, 10.0) * chart.fontScale;
    const double small = l.font * 0.9;
    const double line = small * 1.25;

    const double top = layoutTitle(chart, canvas, l);
    double bottom = layoutLegend(chart, canvas, l, l.height - kMargin);
    if (!chart.xAxisLabel.empty()) {
        l.xAxisLabelY = bottom - line * 0.5;
        bottom -= line * 1.15;
    }
    l.plotBottom = bottom - line - 3;
    l.xLabelTop = l.plotBottom + 3;
    l.plotTop = top + l.font * 0.5;

    canvas.setFont(small, false);
    double widest = 0;
    for (const std::string& s : chart.pointLabels) {
        widest = std::max(widest, canvas.measure(s).width);
    }
    const double labelWidth = std::min(widest, l.width * kLabelShare);
    for (const std::string& s : chart.pointLabels) {
        l.xLabels.push_back(canvas.fit(s, labelWidth + 0.5));
    }
    l.plotLeft = kMargin + labelWidth + 6;
    // Room for half of the last tick label to the right of the plot.
    l.plotRight = l.width - kMargin - small * 2.5;
    l.scale = tornadoScale(chart, canvas, l.plotRight - l.plotLeft, small);
    return l;
}

void paintTornadoAxes(const Chart& chart, const Layout& l, Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    canvas.setFont(l.font * 0.9, false);
    for (double t : l.scale.ticks) {
        const double x = l.x(t);
        canvas.grey(0.85);
        cairo_set_line_width(cr, 0.4);
        cairo_move_to(cr, x, l.plotTop);
        cairo_line_to(cr, x, l.plotBottom);
        cairo_stroke(cr);
        canvas.grey(0.15);
        canvas.text(formatTick(t, l.scale.step), x, l.xLabelTop, Anchor::TopCentre);
    }
    canvas.grey(0);
    cairo_set_line_width(cr, 0.8);
    cairo_move_to(cr, l.plotLeft, l.plotTop);
    cairo_line_to(cr, l.plotLeft, l.plotBottom);
    cairo_line_to(cr, l.plotRight, l.plotBottom);
    cairo_stroke(cr);
    const size_t rows = chart.pointLabels.size();
    canvas.grey(0.1);
    for (size_t i = 0; i < rows; ++i) {
        canvas.text(l.xLabels[i], l.plotLeft - 4, l.yCentre(i, rows), Anchor::MiddleRight);
    }
    if (!chart.xAxisLabel.empty()) {
        canvas.setFont(l.font * 0.95, false);
        canvas.grey(0);
        canvas.text(canvas.fit(chart.xAxisLabel, l.width - 12), (l.plotLeft + l.plotRight) / 2,
                    l.xAxisLabelY, Anchor::Centre);
    }
}

void paintTornadoBars(const Chart& chart, const Layout& l, Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    const size_t rows = chart.pointLabels.size();
    const double thickness = l.row(rows) * chart.barFill;
    const double base = l.x(chart.baseValue);
    std::vector<size_t> order(chart.subsets.size());
    for (size_t i = 0; i < rows; ++i) {
        std::iota(order.begin(), order.end(), size_t{0});
        auto reach = [&](size_t s) {
            return std::fabs(chart.subsets[s].values[i] - chart.baseValue);
        };
        std::stable_sort(order.begin(), order.end(),
                         [&](size_t a, size_t b) { return reach(a) > reach(b); });
        const double top = l.yCentre(i, rows) - thickness / 2;
        for (size_t s : order) {
            const double end = l.x(chart.subsets[s].values[i]);
            cairo_rectangle(cr, std::min(base, end), top, std::fabs(end - base), thickness);
            canvas.colour(chart.subsets[s].colour);
            cairo_fill_preserve(cr);
            canvas.colour(chart.barBorder);
            cairo_set_line_width(cr, 0.5);
            cairo_stroke(cr);
        }
    }
    canvas.grey(0);
    cairo_set_line_width(cr, 1.0);
    cairo_move_to(cr, base, l.plotTop);
    cairo_line_to(cr, base, l.plotBottom);
    cairo_stroke(cr);
}

}  // namespace qvc::graph::detail
