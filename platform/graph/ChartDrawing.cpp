#include "ChartDrawing.h"

#include "Canvas.h"
#include "ChartLayout.h"
#include "PlotPainter.h"
#include "TornadoPainter.h"

// The drawing half of the chart renderer: everything that needs cairo lives in
// the module qvc-chart-drawing.so, which libqvc_graph loads at the first chart,
// so that programs that draw nothing never load cairo and its dependencies.

namespace qvc::graph::detail {

namespace {

void paintAxes(const Chart& chart, const Layout& l, Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    // Grid lines and tick labels
    canvas.setFont(l.font * 0.9, false);
    for (double t : l.scale.ticks) {
        double y = l.y(t);
        canvas.grey(t == 0 ? 0.55 : 0.85);
        cairo_set_line_width(cr, t == 0 ? 0.7 : 0.4);
        cairo_move_to(cr, l.plotLeft, y);
        cairo_line_to(cr, l.plotRight, y);
        cairo_stroke(cr);
        canvas.grey(0.15);
        canvas.text(formatTick(t, l.scale.step), l.plotLeft - 3, y, Anchor::MiddleRight);
    }
    // Axes
    canvas.grey(0);
    cairo_set_line_width(cr, 0.8);
    cairo_move_to(cr, l.plotLeft, l.plotTop);
    cairo_line_to(cr, l.plotLeft, l.plotBottom);
    cairo_line_to(cr, l.plotRight, l.plotBottom);
    cairo_stroke(cr);
    // x labels
    const size_t points = chart.pointLabels.size();
    canvas.grey(0.1);
    for (size_t i = 0; i < points; i += static_cast<size_t>(l.labelEvery)) {
        double x = l.xCentre(i, points);
        cairo_set_line_width(cr, 0.6);
        cairo_move_to(cr, x, l.plotBottom);
        cairo_line_to(cr, x, l.plotBottom + 2);
        cairo_stroke(cr);
        const std::string& s = l.xLabels[i];
        switch (l.labelMode) {
            case LabelMode::Level:
                canvas.text(s, x, l.xLabelTop, Anchor::TopCentre);
                break;
            case LabelMode::Slanted:
                canvas.text(s, x + 2, l.xLabelTop, Anchor::TopRight, 45);
                break;
            case LabelMode::Upright:
                canvas.text(s, x, l.xLabelTop, Anchor::MiddleRight, 90);
                break;
        }
    }
    // Axis titles
    canvas.setFont(l.font * 0.95, false);
    canvas.grey(0);
    if (!chart.xAxisLabel.empty()) {
        canvas.text(canvas.fit(chart.xAxisLabel, l.width - 12), (l.plotLeft + l.plotRight) / 2,
                    l.xAxisLabelY, Anchor::Centre);
    }
    if (!chart.yAxisLabel.empty()) {
        canvas.text(canvas.fit(chart.yAxisLabel, l.plotBottom - l.plotTop), 6 + l.font * 0.6,
                    (l.plotTop + l.plotBottom) / 2, Anchor::Centre, 90);
    }
}

void paintTitleAndLegend(const Chart& chart, const Layout& l, Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    if (!chart.title.empty()) {
        canvas.setFont(l.titleFont, true);
        canvas.grey(0);
        canvas.text(l.title, l.width / 2, 6, Anchor::TopCentre);
    }
    if (!l.legendLabels.empty()) {
        canvas.setFont(l.legendFont, false);
        double rowHeight = l.legendFont * 1.35;
        double swatch = l.legendFont * 2.2;
        int columns = l.legendColumns;
        double used = columns * l.legendColumnWidth;
        double left = (l.width - used) / 2;
        for (size_t i = 0; i < l.legendLabels.size(); ++i) {
            double x = left + (i % columns) * l.legendColumnWidth;
            double y = l.legendTop + (i / columns) * rowHeight + rowHeight / 2;
            const Subset& s = chart.subsets[i];
            if (chart.kind == ChartKind::Line) {
                canvas.colour(s.colour);
                cairo_set_line_width(cr, 1.1);
                cairo_move_to(cr, x, y);
                cairo_line_to(cr, x + swatch * 0.8, y);
                cairo_stroke(cr);
                drawMarker(canvas, static_cast<int>(i), x + swatch * 0.4, y, l.legendFont * 0.55,
                           s.colour);
            } else {
                double h = l.legendFont * 0.8;
                cairo_rectangle(cr, x + swatch * 0.15, y - h / 2, swatch * 0.5, h);
                canvas.colour(s.colour);
                cairo_fill_preserve(cr);
                canvas.colour(chart.barBorder);
                cairo_set_line_width(cr, 0.4);
                cairo_stroke(cr);
            }
            canvas.grey(0.1);
            canvas.text(l.legendLabels[i], x + swatch, y, Anchor::MiddleLeft);
        }
    }
    // A thin frame around the whole picture.
    canvas.grey(0.6);
    cairo_set_line_width(cr, 0.6);
    cairo_rectangle(cr, 0.3, 0.3, l.width - 0.6, l.height - 0.6);
    cairo_stroke(cr);
}

}  // namespace

Image drawChart(const Chart& chart) {
    Canvas canvas(chart.widthPt, chart.heightPt, chart.dpi, chart.fontFamily);
    if (chart.kind == ChartKind::Tornado) {
        const Layout layout = layoutTornado(chart, canvas);
        paintTornadoAxes(chart, layout, canvas);
        paintTornadoBars(chart, layout, canvas);
        paintTitleAndLegend(chart, layout, canvas);
    } else {
        const Layout layout = layoutChart(chart, canvas);
        paintAxes(chart, layout, canvas);
        paintData(chart, layout, canvas);
        paintAnnotations(chart, layout, canvas);
        paintTitleAndLegend(chart, layout, canvas);
    }
    Image image;
    image.png = canvas.png();
    image.pixelWidth = canvas.pixelWidth();
    image.pixelHeight = canvas.pixelHeight();
    image.widthPt = chart.widthPt;
    image.heightPt = chart.heightPt;
    return image;
}

}  // namespace qvc::graph::detail

extern "C" void qvc_draw_chart(const qvc::graph::Chart* chart, qvc::graph::Image* image) {
    *image = qvc::graph::detail::drawChart(*chart);
}
