#pragma once
// Computes the Layout of a chart: text sizes from the picture size, title, legend
// rows, the value scale, and how the x labels must be turned to stay readable.

#include "Canvas.h"
#include "Layout.h"
#include "qvc/graph/Chart.h"

namespace qvc::graph::detail {

Layout layoutChart(const Chart& chart, Canvas& canvas);

// The smallest and largest value the plot must show (stacked: the stack totals).
std::pair<double, double> dataRange(const Chart& chart);

}  // namespace qvc::graph::detail
