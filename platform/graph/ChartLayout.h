#pragma once
// Computes the Layout of a chart: text sizes from the picture size, title, legend
// rows, the value scale, and how the x labels must be turned to stay readable.

#include "Canvas.h"
#include "Layout.h"
#include "qvc/graph/Chart.h"

namespace qvc::graph::detail {

Layout layoutChart(const Chart& chart, Canvas& canvas);

// The title: one line, shrunk to fit (Layout::title, titleFont). Returns the
// top of what lies below it.
double layoutTitle(const Chart& chart, Canvas& canvas, Layout& l);
// The legend: columns of equal width ending at `bottom`, in smaller type until
// it takes at most 30 % of the height. Returns the bottom of what lies above it.
double layoutLegend(const Chart& chart, Canvas& canvas, Layout& l, double bottom);

// The smallest and largest value the plot must show (stacked: the stack totals).
std::pair<double, double> dataRange(const Chart& chart);

}  // namespace qvc::graph::detail
