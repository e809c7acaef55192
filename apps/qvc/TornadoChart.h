#pragma once
// The tornado chart of a sensitivity analysis (tornado.png of `qvc
// sensitivity`): the TPW of the case preferred at the base, one bar per factor
// from its low to its high value around the base TPW, the largest swing on top.

#include <cstddef>

#include "qvc/SensitivityAnalysis.h"
#include "qvc/graph/Chart.h"

namespace qvc::cli {

// At most `maxBars` factors, those with the largest swings (the title says
// how many were left out); factors that do not move the preferred case's TPW
// (those of other cases) are left out, and the axis title says how many,
// unless no factor moves it. A side that was not calculated has no bar.
// Raises CommandError when the base or no factor was calculated.
graph::Chart tornadoChart(const SensitivityResult& result, size_t maxBars = 20);

}  // namespace qvc::cli
