#pragma once
// Draws the data of a chart inside the plot area of its Layout: bars side by
// side, stacked bars, or lines with markers, and the value annotations.

#include "Canvas.h"
#include "Layout.h"
#include "qvc/graph/Chart.h"

namespace qvc::graph::detail {

void paintData(const Chart& chart, const Layout& layout, Canvas& canvas);
void paintAnnotations(const Chart& chart, const Layout& layout, Canvas& canvas);
// One of ten distinct marker shapes, by subset number.
void drawMarker(Canvas& canvas, int shape, double x, double y, double size, const Colour& c);

}  // namespace qvc::graph::detail
