#pragma once
// The tornado chart: factor labels on the left, one horizontal bar per point
// from the base value to each subset's value, the value axis along the bottom.

#include "Canvas.h"
#include "Layout.h"
#include "qvc/graph/Chart.h"

namespace qvc::graph::detail {

// The plot area, the horizontal value scale and the labels (fitted to at most
// 45 % of the width).
Layout layoutTornado(const Chart& chart, Canvas& canvas);
// Grid lines, tick labels, the axis title and the row labels.
void paintTornadoAxes(const Chart& chart, const Layout& layout, Canvas& canvas);
// The bars, the longer one of a row first so that a shorter one on the same
// side stays visible, and the base line.
void paintTornadoBars(const Chart& chart, const Layout& layout, Canvas& canvas);

}  // namespace qvc::graph::detail
