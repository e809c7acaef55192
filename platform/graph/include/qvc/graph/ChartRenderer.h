#pragma once
// Draws a Chart with cairo into an RGB PNG (no alpha channel, so PDF export keeps
// it lossless). The picture is widthPt x heightPt points at chart.dpi; the report
// inserts it at exactly that size, so text sizes are real print sizes.
//
// Layout rules: the title shrinks to fit one line; x labels are drawn level when
// they fit their slot, at 45 degrees when not, and upright (every k-th one) when
// the points are too dense even for that; value annotations turn upright when
// wider than their bar; the y axis has 4 to 8 round ticks with grouped thousands
// (the locale's separator, "," when it has none); the legend sits below the plot.
//
// Invalid descriptions (no subsets, value counts that differ from the label
// count, non-finite values, sizes outside 20..3000 pt, dpi outside 72..600)
// raise qvc::rt::Error 5. The renderer keeps no state and may be shared.

#include <cstdint>
#include <vector>

#include "qvc/graph/Chart.h"
#include "qvc/graph/Export.h"

namespace qvc::graph {

struct QVC_GRAPH_EXPORT Image {
    std::vector<uint8_t> png;
    int32_t pixelWidth = 0;
    int32_t pixelHeight = 0;
    double widthPt = 0;
    double heightPt = 0;
};

class QVC_GRAPH_EXPORT ChartRenderer {
  public:
    Image render(const Chart& chart) const;
};

}  // namespace qvc::graph
