#include "Scale.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>

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
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, std::fabs(value));
    std::string digits = buf;
    std::string fraction;
    if (auto dot = digits.find('.'); dot != std::string::npos) {
        fraction = digits.substr(dot + 1);
        digits.erase(dot);
    }
    const lconv* lc = std::localeconv();
    std::string sep = (lc && lc->thousands_sep && *lc->thousands_sep) ? lc->thousands_sep : ",";
    std::string point = (lc && lc->decimal_point && *lc->decimal_point) ? lc->decimal_point : ".";
    std::string grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            grouped += sep;
        }
        grouped += digits[i];
    }
    bool negative = value < 0 && std::round(std::fabs(value) * std::pow(10.0, decimals)) > 0;
    return (negative ? "-" : "") + grouped + (fraction.empty() ? "" : point + fraction);
}

}  // namespace qvc::graph::detail
