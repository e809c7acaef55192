#pragma once
// The sensitivity analysis of a study as a text for people (sensitivity.txt):
// the base answer, one row per factor (its low and high value, the preferred
// case's TPW at each and the swing, the preferred case at each), every case's
// TPW at every point, the break-even discount rate, and why any point was not
// calculated. Lines end in CR LF.

#include <string>

#include "qvc/SensitivityAnalysis.h"

namespace qvc::cli {

std::string sensitivityText(const SensitivityResult& result);

// A point's value as the text and the chart show it: a rate "2.4 %", a
// multiplier as the change it makes "-20 %" / "+20 %".
std::string pointValueText(const SensitivityFactor& factor, const SensitivityPoint& point);

}  // namespace qvc::cli
