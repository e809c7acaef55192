#pragma once
// The value axis: a range with round tick marks, and number texts for them.

#include <string>
#include <vector>

namespace qvc::graph::detail {

struct Scale {
    double min = 0;
    double max = 1;
    double step = 0.2;
    std::vector<double> ticks;
    double fraction(double v) const { return (v - min) / (max - min); }
};

// A round step (1, 2, 2.5 or 5 times a power of ten) giving about `targetTicks`
// intervals over [min, max]; ticks are the multiples of the step inside the range.
Scale makeScale(double min, double max, int targetTicks);
Scale scaleWithStep(double min, double max, double step);

// The range shown when the description gives none: the data's range, always
// including 0, widened by 10 % at the data side(s) and rounded out to ticks.
Scale autoScale(double dataMin, double dataMax, int targetTicks);

// "1,234,567", "-2,500", "0.25": grouping with the locale's thousands separator
// ("," when the locale has none) and as many decimals as the step needs.
std::string formatTick(double value, double step);

}  // namespace qvc::graph::detail
