#pragma once
// The entry point of the drawing module qvc-chart-drawing.so: draws a chart
// that ChartRenderer has already checked.

#include "qvc/graph/Chart.h"
#include "qvc/graph/ChartRenderer.h"

namespace qvc::graph::detail {

Image drawChart(const Chart& chart);

// The module's one exported function, found by name with dlsym. Failures are
// thrown as qvc::rt::Error, whose type the module shares with its caller
// through libqvc_runtime.
using DrawChartEntry = void (*)(const Chart* chart, Image* image);
inline constexpr const char* kDrawChartEntryName = "qvc_draw_chart";
inline constexpr const char* kDrawingModuleFile = "qvc-chart-drawing.so";

}  // namespace qvc::graph::detail

// Defined in the module, exported by name (the module hides everything else).
extern "C" __attribute__((visibility("default"))) void qvc_draw_chart(
    const qvc::graph::Chart* chart, qvc::graph::Image* image);
