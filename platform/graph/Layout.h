#pragma once
// Where the parts of a chart go, in points from the picture's top left corner.

#include <string>
#include <vector>

#include "Scale.h"

namespace qvc::graph::detail {

enum class LabelMode { Level, Slanted, Upright };

struct Layout {
    double width = 0, height = 0;
    double font = 8;  // base text size in points
    double titleFont = 10;
    std::string title;  // the chart's title, shortened to fit
    double plotLeft = 0, plotTop = 0, plotRight = 0, plotBottom = 0;
    Scale scale;
    LabelMode labelMode = LabelMode::Level;
    int labelEvery = 1;                // draw every k-th x label
    std::vector<std::string> xLabels;  // already shortened to fit
    double xLabelTop = 0;
    double xAxisLabelY = 0;
    double legendTop = 0, legendFont = 8, legendColumnWidth = 0;
    int legendColumns = 1;
    std::vector<std::string> legendLabels;

    double slot(size_t points) const {
        return (plotRight - plotLeft) / static_cast<double>(points);
    }
    double xCentre(size_t i, size_t points) const { return plotLeft + slot(points) * (i + 0.5); }
    double y(double v) const { return plotBottom - scale.fraction(v) * (plotBottom - plotTop); }
    // Tornado charts: the value axis is horizontal and the points are rows.
    double x(double v) const { return plotLeft + scale.fraction(v) * (plotRight - plotLeft); }
    double row(size_t points) const { return (plotBottom - plotTop) / static_cast<double>(points); }
    double yCentre(size_t i, size_t points) const { return plotTop + row(points) * (i + 0.5); }
};

}  // namespace qvc::graph::detail
