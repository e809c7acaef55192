#include "qvc/graph/ChartRenderer.h"

#include <fmt/format.h>

#include <cmath>

#include "ChartDrawingModule.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::graph {

namespace {

void invalid(const std::string& why) {
    throw rt::Error(rt::err::kInvalidProcedureCall, "Invalid chart: " + why);
}

void validate(const Chart& c) {
    if (!(c.widthPt >= 20 && c.widthPt <= 3000 && c.heightPt >= 20 && c.heightPt <= 3000)) {
        invalid("the picture size must be between 20 and 3000 points");
    }
    if (c.dpi < 72 || c.dpi > 600) {
        invalid("the resolution must be between 72 and 600 dpi");
    }
    if (c.pointLabels.empty()) {
        invalid("there are no points");
    }
    if (c.subsets.empty()) {
        invalid("there are no subsets");
    }
    for (const Subset& s : c.subsets) {
        if (s.values.size() != c.pointLabels.size()) {
            invalid(fmt::format("subset \"{}\" has {} values for {} points", s.label,
                                s.values.size(), c.pointLabels.size()));
        }
        for (double v : s.values) {
            if (!std::isfinite(v)) {
                invalid("subset \"" + s.label + "\" has a value that is not a number");
            }
        }
    }
    if (!c.valueAnnotations.empty() && c.valueAnnotations.size() != c.pointLabels.size()) {
        invalid("there must be one value annotation per point");
    }
    if (!(c.fontScale >= 0.5 && c.fontScale <= 2.0) || !(c.barFill >= 0.1 && c.barFill <= 1.0)) {
        invalid("font scale or bar fill out of range");
    }
    if ((c.yMin && !std::isfinite(*c.yMin)) || (c.yMax && !std::isfinite(*c.yMax))) {
        invalid("the axis range is not a number");
    }
    if (!std::isfinite(c.baseValue)) {
        invalid("the base value is not a number");
    }
}

}  // namespace

Image ChartRenderer::render(const Chart& chart) const {
    validate(chart);
    return detail::ChartDrawingModule::instance().draw(chart);
}

}  // namespace qvc::graph
