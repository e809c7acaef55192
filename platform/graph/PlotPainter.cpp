#include "PlotPainter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace qvc::graph::detail {

namespace {

void bar(Canvas& canvas, const Chart& chart, double x0, double x1, double y0, double y1,
         const Colour& fill) {
    cairo_t* cr = canvas.cr();
    double top = std::min(y0, y1);
    double h = std::fabs(y1 - y0);
    cairo_rectangle(cr, x0, top, x1 - x0, h);
    canvas.colour(fill);
    if (x1 - x0 >= 1.5 && h > 0) {
        cairo_fill_preserve(cr);
        canvas.colour(chart.barBorder);
        cairo_set_line_width(cr, 0.5);
        cairo_stroke(cr);
    } else {
        cairo_fill(cr);
    }
}

void clipToPlot(Canvas& canvas, const Layout& l) {
    cairo_rectangle(canvas.cr(), l.plotLeft, l.plotTop - 1, l.plotRight - l.plotLeft,
                    l.plotBottom - l.plotTop + 2);
    cairo_clip(canvas.cr());
}

double clampY(const Layout& l, double v) {
    return std::clamp(l.y(v), l.plotTop - 1, l.plotBottom + 1);
}

// Traces one of the five filled shapes: circle, square, triangle, diamond,
// triangle pointing down.
void filledMarkerPath(cairo_t* cr, int shape, double x, double y, double r) {
    switch (shape) {
        case 0:
            cairo_arc(cr, x, y, r, 0, 2 * std::numbers::pi);
            break;
        case 1:
            cairo_rectangle(cr, x - r * 0.9, y - r * 0.9, r * 1.8, r * 1.8);
            break;
        case 2:
            cairo_move_to(cr, x, y - r * 1.1);
            cairo_line_to(cr, x + r, y + r * 0.8);
            cairo_line_to(cr, x - r, y + r * 0.8);
            cairo_close_path(cr);
            break;
        case 3:
            cairo_move_to(cr, x, y - r * 1.2);
            cairo_line_to(cr, x + r, y);
            cairo_line_to(cr, x, y + r * 1.2);
            cairo_line_to(cr, x - r, y);
            cairo_close_path(cr);
            break;
        case 4:
            cairo_move_to(cr, x, y + r * 1.1);
            cairo_line_to(cr, x + r, y - r * 0.8);
            cairo_line_to(cr, x - r, y - r * 0.8);
            cairo_close_path(cr);
            break;
    }
}

// Traces one of the five outlined shapes: ring, open square, cross, plus, open
// triangle.
void outlinedMarkerPath(cairo_t* cr, int shape, double x, double y, double r) {
    switch (shape) {
        case 5:
            cairo_arc(cr, x, y, r * 0.85, 0, 2 * std::numbers::pi);
            break;
        case 6:
            cairo_rectangle(cr, x - r * 0.8, y - r * 0.8, r * 1.6, r * 1.6);
            break;
        case 7:
            cairo_move_to(cr, x - r, y - r);
            cairo_line_to(cr, x + r, y + r);
            cairo_move_to(cr, x + r, y - r);
            cairo_line_to(cr, x - r, y + r);
            break;
        case 8:
            cairo_move_to(cr, x - r * 1.1, y);
            cairo_line_to(cr, x + r * 1.1, y);
            cairo_move_to(cr, x, y - r * 1.1);
            cairo_line_to(cr, x, y + r * 1.1);
            break;
        default:
            cairo_move_to(cr, x, y - r * 1.1);
            cairo_line_to(cr, x + r, y + r * 0.8);
            cairo_line_to(cr, x - r, y + r * 0.8);
            cairo_close_path(cr);
            break;
    }
}

}  // namespace

void drawMarker(Canvas& canvas, int shape, double x, double y, double size, const Colour& c) {
    cairo_t* cr = canvas.cr();
    double r = size / 2;
    canvas.colour(c);
    cairo_new_path(cr);
    const int kind = shape % 10;
    if (kind >= 0 && kind < 5) {
        filledMarkerPath(cr, kind, x, y, r);
        cairo_fill(cr);
    } else {
        outlinedMarkerPath(cr, kind, x, y, r);
        cairo_set_line_width(cr, std::max(0.6, size * 0.18));
        cairo_stroke(cr);
    }
}

void paintData(const Chart& chart, const Layout& l, Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    const size_t points = chart.pointLabels.size();
    const double slot = l.slot(points);
    cairo_save(cr);
    clipToPlot(canvas, l);
    if (chart.kind == ChartKind::Bar) {
        double group = slot * chart.barFill;
        double each = group / static_cast<double>(chart.subsets.size());
        for (size_t i = 0; i < points; ++i) {
            double x = l.xCentre(i, points) - group / 2;
            for (size_t s = 0; s < chart.subsets.size(); ++s) {
                double v = chart.subsets[s].values[i];
                bar(canvas, chart, x + each * s, x + each * (s + 1), clampY(l, 0), clampY(l, v),
                    chart.subsets[s].colour);
            }
        }
    } else if (chart.kind == ChartKind::StackedBar) {
        double w = slot * chart.barFill;
        for (size_t i = 0; i < points; ++i) {
            double x = l.xCentre(i, points) - w / 2;
            double up = 0;
            double down = 0;
            for (const Subset& s : chart.subsets) {
                double v = s.values[i];
                double& base = v >= 0 ? up : down;
                bar(canvas, chart, x, x + w, clampY(l, base), clampY(l, base + v), s.colour);
                base += v;
            }
        }
    } else {
        double marker = std::clamp(slot * 0.45, 1.8, 4.0);
        for (size_t s = 0; s < chart.subsets.size(); ++s) {
            const Subset& sub = chart.subsets[s];
            canvas.colour(sub.colour);
            cairo_set_line_width(cr, 1.1);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            cairo_new_path(cr);
            for (size_t i = 0; i < points; ++i) {
                cairo_line_to(cr, l.xCentre(i, points), l.y(sub.values[i]));
            }
            cairo_stroke(cr);
            for (size_t i = 0; i < points; ++i) {
                drawMarker(canvas, static_cast<int>(s), l.xCentre(i, points), l.y(sub.values[i]),
                           marker, sub.colour);
            }
        }
    }
    cairo_restore(cr);
}

void paintAnnotations(const Chart& chart, const Layout& l, Canvas& canvas) {
    if (chart.kind != ChartKind::Bar || chart.valueAnnotations.empty()) {
        return;
    }
    const size_t points = chart.pointLabels.size();
    const double slot = l.slot(points);
    double size = l.font * 0.85;
    canvas.setFont(size, false);
    double widest = 0;
    for (const std::string& a : chart.valueAnnotations) {
        widest = std::max(widest, canvas.measure(a).width);
    }
    bool upright = widest > slot * 0.95;
    if (upright) {
        size = std::min(size, slot * 0.8);
        canvas.setFont(size, false);
    }
    canvas.grey(0.1);
    for (size_t i = 0; i < points && i < chart.valueAnnotations.size(); ++i) {
        double v = 0;
        for (const Subset& s : chart.subsets) {
            v = std::fabs(s.values[i]) > std::fabs(v) ? s.values[i] : v;
        }
        double x = l.xCentre(i, points);
        double y = clampY(l, v);
        const std::string& text = chart.valueAnnotations[i];
        if (upright) {
            if (v >= 0) {
                canvas.text(text, x, y - 2, Anchor::MiddleLeft, 90);
            } else {
                canvas.text(text, x, y + 2, Anchor::MiddleRight, 90);
            }
        } else if (v >= 0) {
            canvas.text(text, x, y - 1.5, Anchor::BottomCentre);
        } else {
            canvas.text(text, x, y + 1.5, Anchor::TopCentre);
        }
    }
}

}  // namespace qvc::graph::detail
