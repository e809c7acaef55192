#pragma once
// The colours of a chart's series, in the order the series are drawn. The
// first eight stay apart for readers with red-green or blue-yellow colour
// blindness and in greyscale print: their grey levels are spread from black
// to a light cyan that still shows on white paper. Line charts also give each
// series its own marker shape, so two lines never depend on colour alone.

#include <array>
#include <cstddef>

#include "qvc/graph/Chart.h"
#include "qvc/graph/Export.h"

namespace qvc::graph {

inline constexpr size_t kSeriesColours = 20;

QVC_GRAPH_EXPORT const std::array<Colour, kSeriesColours>& seriesPalette();

}  // namespace qvc::graph
