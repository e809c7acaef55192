#pragma once
// A chart description: what the picture must show, independent of how it is
// drawn. The report code fills one per chart and hands it to ChartRenderer.
//
// Data: `pointLabels` has one label per point (x position); every subset has one
// value per point. Bar: the subsets' bars stand side by side in each point's slot.
// StackedBar: the subsets are stacked, positive values upwards from 0, negative
// ones downwards. Line: one line with markers per subset.
// Tornado: one horizontal bar per point, top to bottom in the order given, from
// `baseValue` to each subset's value in the subset's colour (one subset per
// side, such as an input's low and high value); the point labels stand on the
// left, the value axis runs along the bottom, titled by xAxisLabel, with
// yMin/yMax as its range, and a line marks the base value.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>
#include "qvc/graph/Export.h"

namespace qvc::graph {

struct QVC_GRAPH_EXPORT Colour {
    uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Colour&, const Colour&) = default;
};

enum class ChartKind { Bar, StackedBar, Line, Tornado };

struct QVC_GRAPH_EXPORT Subset {
    std::string label;  // legend text
    Colour colour;
    std::vector<double> values;  // one per point; must be finite
};

struct QVC_GRAPH_EXPORT Chart {
    ChartKind kind = ChartKind::Bar;
    std::string title;  // bold, centred at the top; empty = none
    std::vector<std::string> pointLabels;
    std::vector<Subset> subsets;
    // Text shown above each point's bar (below it for a negative value), such as
    // the money value; empty = none. Bar charts only; one entry per point.
    std::vector<std::string> valueAnnotations;
    // The y axis range. Used when both are set and max > min, widened when the
    // data (stack totals for stacked bars) would not fit, so nothing is cut off;
    // otherwise the range is taken from the data (always including 0).
    std::optional<double> yMin;
    std::optional<double> yMax;
    // Tornado: the value every bar starts from; part of the value range.
    double baseValue = 0;
    std::string xAxisLabel;
    std::string yAxisLabel;
    bool showLegend = false;           // drawn below the plot, never over the data
    std::string fontFamily = "Arial";  // Arial is drawn with Liberation Sans
    double fontScale = 1.0;            // multiplies every text size (0.5 .. 2)
    Colour barBorder{0, 0, 0};
    double barFill = 0.6;  // share of a point's slot covered by its bar(s), 0.1 .. 1
    // Picture size in points (1/72 inch) and the resolution it is drawn at.
    double widthPt = 440;
    double heightPt = 300;
    int dpi = 200;
};

}  // namespace qvc::graph
