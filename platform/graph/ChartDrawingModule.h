#pragma once
// The drawing module (cairo, fonts, PNG encoding), loaded from the folder of
// libqvc_graph when the first chart is drawn and kept for the life of the
// process. Commands that draw nothing start without it.

#include "ChartDrawing.h"
#include "qvc/graph/Chart.h"
#include "qvc/graph/ChartRenderer.h"

namespace qvc::graph::detail {

class ChartDrawingModule {
  public:
    // Loads the module on first use (thread-safe); a module that is missing or
    // broken raises qvc::rt::Error 53 naming the file, at every call.
    static const ChartDrawingModule& instance();

    Image draw(const Chart& chart) const;

  private:
    ChartDrawingModule();

    DrawChartEntry entry_ = nullptr;
};

}  // namespace qvc::graph::detail
