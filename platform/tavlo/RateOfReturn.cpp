#include "RateOfReturn.h"

#include <cmath>

#include "BrentRoot.h"
#include "Tolerances.h"

namespace tavlo {

namespace {

struct PresentWorth {
    double value;     // present worth of the amounts, scaled
    double absolute;  // present worth of their absolute values, same scale
};

// Present worth at rate r, multiplied by (1+r)^L when r < 0 so that no power
// exceeds 1 and nothing overflows. The factor is positive and continuous in r,
// so signs and roots are those of the true present worth.
PresentWorth presentWorth(std::span<const double> amounts, double r) {
    double value = 0.0;
    double absolute = 0.0;
    if (r < 0.0) {
        const double g = 1.0 + r;
        for (double x : amounts) {
            value = value * g + x;
            absolute = absolute * g + std::fabs(x);
        }
    } else {
        const double v = 1.0 / (1.0 + r);
        for (auto it = amounts.rbegin(); it != amounts.rend(); ++it) {
            value = value * v + *it;
            absolute = absolute * v + std::fabs(*it);
        }
    }
    return {value, absolute};
}

constexpr int kFineSteps = 1100;  // -0.99 .. 10.00 by 0.01
constexpr double kLargestRate = 1e9;
constexpr double kRootTolerance = 1e-10;
constexpr double kRelativeZero = 1e-9;

double gridRate(int step, double& coarse) {
    if (step < kFineSteps) {
        return static_cast<double>(step - 99) / 100.0;
    }
    coarse *= 1.5;
    return coarse;
}

}  // namespace

double internalRateOfReturn(std::span<const double> amounts) {
    bool positive = false;
    bool negative = false;
    for (double x : amounts) {
        positive = positive || isPositiveMoney(x);
        negative = negative || isNegativeMoney(x);
    }
    if (!positive || !negative) {
        return -1.0;
    }
    double coarse = 10.0;
    double previousRate = 0.0;
    double previousValue = 0.0;
    for (int step = 0;; ++step) {
        const double r = gridRate(step, coarse);
        if (r > kLargestRate) {
            return -1.0;
        }
        const PresentWorth pw = presentWorth(amounts, r);
        if (std::fabs(pw.value) <= kRelativeZero * pw.absolute) {
            return r;
        }
        if (step > 0 && (pw.value > 0.0) != (previousValue > 0.0)) {
            auto f = [&](double x) { return presentWorth(amounts, x).value; };
            return brentRoot(f, previousRate, r, previousValue, pw.value, kRootTolerance);
        }
        previousRate = r;
        previousValue = pw.value;
    }
}

}  // namespace tavlo
