#include "RateOfReturn.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "BrentRoot.h"
#include "Tolerances.h"

namespace tavlo {

namespace {

constexpr double kRootTolerance = 1e-10;
constexpr double kRelativeZero = 1e-9;
constexpr std::size_t kBlock = 16;

// The scan grid: -0.99, -0.98, ..., 10.00, then 10 * 1.5^k up to 1e9.
struct Grid {
    std::vector<double> rates;
    std::size_t firstNonNegative = 0;

    Grid() {
        for (int step = -99; step <= 1000; ++step) {
            rates.push_back(step / 100.0);
        }
        for (double r = 15.0; r <= 1e9; r *= 1.5) {
            rates.push_back(r);
        }
        firstNonNegative = 99;
    }
};

const Grid& grid() {
    static const Grid instance;
    return instance;
}

// Present worth at rate r, multiplied by (1+r)^L when r < 0 so that no power
// exceeds 1 and nothing overflows. The factor is positive and continuous in r,
// so signs and roots are those of the true present worth; the same factor
// scales `absolute`, the present worth of the absolute amounts.
double presentWorth(std::span<const double> amounts, double r) {
    double value = 0.0;
    if (r < 0.0) {
        const double g = 1.0 + r;
        for (double x : amounts) {
            value = value * g + x;
        }
    } else {
        const double v = 1.0 / (1.0 + r);
        for (auto it = amounts.rbegin(); it != amounts.rend(); ++it) {
            value = value * v + *it;
        }
    }
    return value;
}

// The present worth of the absolute amounts, scaled like presentWorth().
double absolutePresentWorth(std::span<const double> amounts, double r) {
    double absolute = 0.0;
    if (r < 0.0) {
        const double g = 1.0 + r;
        for (double x : amounts) {
            absolute = absolute * g + std::fabs(x);
        }
    } else {
        const double v = 1.0 / (1.0 + r);
        for (auto it = amounts.rbegin(); it != amounts.rend(); ++it) {
            absolute = absolute * v + std::fabs(*it);
        }
    }
    return absolute;
}

// presentWorth() for up to kBlock rates of one sign at once: the independent
// evaluations run side by side, which is several times faster than one by one.
// Each lane does exactly the operations presentWorth() does.
void presentWorthBlock(std::span<const double> amounts, const double* rates, std::size_t count,
                       double* value) {
    std::array<double, kBlock> factor{};
    std::array<double, kBlock> f{};
    const bool negative = rates[0] < 0.0;
    for (std::size_t k = 0; k < kBlock; ++k) {
        const double r = rates[std::min(k, count - 1)];
        factor[k] = negative ? 1.0 + r : 1.0 / (1.0 + r);
    }
    const std::size_t n = amounts.size();
    for (std::size_t i = 0; i < n; ++i) {
        const double x = amounts[negative ? i : n - 1 - i];
        for (std::size_t k = 0; k < kBlock; ++k) {
            f[k] = f[k] * factor[k] + x;
        }
    }
    std::copy_n(f.begin(), count, value);
}

// For r >= 0 the present worth is s0 + sum s_y v^y with v <= 1 falling as r
// rises. Once |s0| outweighs the rest by a margin at some rate, it does so at
// every higher rate: the sign stays that of s0 and no grid rate is within the
// zero tolerance, so the scan can stop.
bool signSettled(double firstAmount, double absolute) {
    const double rest = absolute - std::fabs(firstAmount);
    return std::fabs(firstAmount) - rest > 2.0 * kRelativeZero * absolute;
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
    // Leading zero years scale the present worth by a positive power only.
    while (amounts.front() == 0.0) {
        amounts = amounts.subspan(1);
    }
    // The scaled absolute present worth never exceeds the plain sum of the
    // absolute amounts, so it is only needed when a value is that close to 0.
    double absoluteSum = 0.0;
    for (double x : amounts) {
        absoluteSum += std::fabs(x);
    }
    const std::vector<double>& rates = grid().rates;
    const std::size_t split = grid().firstNonNegative;
    std::array<double, kBlock> value{};
    bool havePrevious = false;
    double previousRate = 0.0;
    double previousValue = 0.0;
    for (std::size_t start = 0; start < rates.size();) {
        const std::size_t end =
            std::min({start + kBlock, rates.size(), start < split ? split : rates.size()});
        const std::size_t count = end - start;
        presentWorthBlock(amounts, &rates[start], count, value.data());
        for (std::size_t k = 0; k < count; ++k) {
            const double r = rates[start + k];
            if (std::fabs(value[k]) <= kRelativeZero * absoluteSum &&
                std::fabs(value[k]) <= kRelativeZero * absolutePresentWorth(amounts, r)) {
                return r;
            }
            if (havePrevious && (value[k] > 0.0) != (previousValue > 0.0)) {
                auto f = [&](double x) { return presentWorth(amounts, x); };
                return brentRoot(f, previousRate, r, previousValue, value[k], kRootTolerance);
            }
            havePrevious = true;
            previousRate = r;
            previousValue = value[k];
        }
        if (start >= split &&
            signSettled(amounts.front(), absolutePresentWorth(amounts, rates[end - 1]))) {
            return -1.0;
        }
        start = end;
    }
    return -1.0;
}

}  // namespace tavlo
