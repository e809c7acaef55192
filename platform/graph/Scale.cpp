#include "Scale.h"

#include <algorithm>
#include <cmath>

#include "qvc/runtime/NumberFormat.h"

namespace qvc::graph::detail {

namespace {
double niceStep(double rough) {
    double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double m : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        if (m * power >= rough * 0.999) {
            return m * power;
        }
    }
    return 10.0 * power;
}
}  // namespace

Scale scaleWithStep(double min, double max, double step) {
    Scale s;
    s.min = min;
    s.max = max;
    s.step = step;
    double first = std::ceil(min / step - 1e-9) * step;
    for (int i = 0; i <= 60; ++i) {
        double v = first + i * step;
        if (v > max + step * 1e-9) {
            break;
        }
        s.ticks.push_back(std::fabs(v) < step * 1e-9 ? 0.0 : v);
    }
    return s;
}

Scale makeScale(double min, double max, int targetTicks) {
    return scaleWithStep(min, max, niceStep((max - min) / std::max(1, targetTicks)));
}

Scale autoScale(double dataMin, double dataMax, int targetTicks) {
    double lo = std::min(0.0, dataMin);
    double hi = std::max(0.0, dataMax);
    if (hi - lo <= 0) {
        return makeScale(0.0, 1.0, targetTicks);
    }
    double span = hi - lo;
    if (hi > 0) {
        hi += span * 0.1;
    }
    if (lo < 0) {
        lo -= span * 0.1;
    }
    double step = niceStep((hi - lo) / std::max(1, targetTicks));
    return scaleWithStep(std::floor(lo / step - 1e-9) * step, std::ceil(hi / step - 1e-9) * step,
                         step);
}

std::string formatTick(double value, double step) {
    int decimals = 0;
    if (step < 1.0) {
        decimals = std::min(6, static_cast<int>(std::ceil(-std::log10(step) - 1e-9)));
        if (std::fabs(std::round(step * std::pow(10.0, decimals)) -
                      step * std::pow(10.0, decimals)) > 1e-6) {
            ++decimals;
        }
    }
    // Tick values are multiples of the step, so no tick lies halfway between two
    // texts and half-to-even rounding gives what any rounding would.
    return rt::FormatNumber(value, decimals);
}

}  // namespace qvc::graph::detail
