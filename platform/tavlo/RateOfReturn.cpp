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
// zero tolerance, so no root lies further up and the scan can stop.
bool signSettled(double firstAmount, double absolute) {
    const double rest = absolute - std::fabs(firstAmount);
    return std::fabs(firstAmount) - rest > 2.0 * kRelativeZero * absolute;
}

// Follows the sign of the present worth along the grid and keeps the falling
// root nearest the discount rate. Grid points are taken in increasing order.
class FallingRootSearch {
  public:
    FallingRootSearch(std::span<const double> amounts, double discountRate)
        : amounts_(amounts), discountRate_(discountRate) {
        for (double x : amounts) {
            absoluteSum_ += std::fabs(x);
        }
    }

    // Takes grid point `index` with its present worth; false once no later
    // root can be nearer the discount rate than the best one found.
    bool take(std::size_t index, double value) {
        if (isZero(index, value)) {
            if (!zeroRun_) {
                firstZero_ = index;
                zeroRun_ = true;
            }
            lastZero_ = index;
            return true;
        }
        bool more = true;
        if (haveNonZero_ && previousValue_ > 0.0 && value < 0.0) {
            const double root = zeroRun_ ? nearestGridRate(firstZero_, lastZero_)
                                         : refine(previousIndex_, index, previousValue_, value);
            if (!found_ || std::fabs(root - discountRate_) < std::fabs(best_ - discountRate_)) {
                best_ = root;
                found_ = true;
            }
            // Every later root lies further above the discount rate.
            more = root < discountRate_;
        }
        haveNonZero_ = true;
        previousIndex_ = index;
        previousValue_ = value;
        zeroRun_ = false;
        return more;
    }

    double result() const { return found_ ? best_ : -1.0; }

  private:
    // The scaled absolute present worth never exceeds the plain sum of the
    // absolute amounts, so it is only computed when a value is that close to 0.
    bool isZero(std::size_t index, double value) const {
        return std::fabs(value) <= kRelativeZero * absoluteSum_ &&
               std::fabs(value) <=
                   kRelativeZero * absolutePresentWorth(amounts_, grid().rates[index]);
    }

    // Of a run of grid points that all count as zero, the one nearest the
    // discount rate (the lower one on a tie).
    double nearestGridRate(std::size_t first, std::size_t last) const {
        const std::vector<double>& rates = grid().rates;
        double nearest = rates[first];
        for (std::size_t k = first + 1; k <= last; ++k) {
            if (std::fabs(rates[k] - discountRate_) < std::fabs(nearest - discountRate_)) {
                nearest = rates[k];
            }
        }
        return nearest;
    }

    double refine(std::size_t below, std::size_t above, double valueBelow,
                  double valueAbove) const {
        auto f = [this](double x) { return presentWorth(amounts_, x); };
        return brentRoot(f, grid().rates[below], grid().rates[above], valueBelow, valueAbove,
                         kRootTolerance);
    }

    std::span<const double> amounts_;
    double discountRate_;
    double absoluteSum_ = 0.0;
    bool haveNonZero_ = false;
    std::size_t previousIndex_ = 0;
    double previousValue_ = 0.0;
    bool zeroRun_ = false;
    std::size_t firstZero_ = 0;
    std::size_t lastZero_ = 0;
    bool found_ = false;
    double best_ = -1.0;
};

}  // namespace

double internalRateOfReturn(std::span<const double> amounts, double discountRate) {
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
    const std::vector<double>& rates = grid().rates;
    const std::size_t split = grid().firstNonNegative;
    FallingRootSearch search(amounts, discountRate);
    std::array<double, kBlock> value{};
    for (std::size_t start = 0; start < rates.size();) {
        const std::size_t end =
            std::min({start + kBlock, rates.size(), start < split ? split : rates.size()});
        const std::size_t count = end - start;
        presentWorthBlock(amounts, &rates[start], count, value.data());
        for (std::size_t k = 0; k < count; ++k) {
            if (!search.take(start + k, value[k])) {
                return search.result();
            }
        }
        if (start >= split &&
            signSettled(amounts.front(), absolutePresentWorth(amounts, rates[end - 1]))) {
            break;
        }
        start = end;
    }
    return search.result();
}

}  // namespace tavlo
