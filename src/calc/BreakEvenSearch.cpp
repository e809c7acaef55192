#include "calc/BreakEvenSearch.h"

#include <cmath>

namespace qvc::calc {
namespace {

constexpr double kGridStep = 0.001;
constexpr double kRateTolerance = 1e-13;

// Present worth of the difference, with differences within `zero` taken as 0.
struct Difference {
    std::vector<double> flows;
    double zero = 0;

    double at(double rate) const {
        const double pw = presentWorth(flows, rate);
        return std::fabs(pw) <= zero ? 0.0 : pw;
    }
};

double bisect(const Difference& d, double lo, double hi) {
    double fLo = d.at(lo);
    while (hi - lo > kRateTolerance) {
        const double mid = 0.5 * (lo + hi);
        const double fMid = d.at(mid);
        if (fMid == 0)
            return mid;
        if ((fMid < 0) == (fLo < 0)) {
            lo = mid;
            fLo = fMid;
        } else {
            hi = mid;
        }
    }
    return 0.5 * (lo + hi);
}

}  // namespace

std::vector<std::vector<double>> cashFlowsOf(const tavlo::ILifeCycleEngine& engine) {
    const tavlo::IAlternatives& alternatives = engine.Alternatives();
    const int16_t years = engine.AnalysisPeriod();
    const double growth = 1.0 + engine.DiscountRate();
    std::vector<std::vector<double>> flows;
    for (int16_t i = 1; i <= alternatives.Count(); ++i) {
        const tavlo::IAlternative& alt = alternatives.Item(i);
        std::vector<double> cf(static_cast<size_t>(years) + 1);
        double factor = 1.0;  // (1 + d)^y undoes the discounting of year y
        for (int16_t y = 0; y <= years; ++y, factor *= growth)
            cf[static_cast<size_t>(y)] = alt.PWCashFlowAt(y) * factor;
        flows.push_back(std::move(cf));
    }
    return flows;
}

double presentWorth(const std::vector<double>& flows, double rate) {
    // Horner's rule in v = 1 / (1 + rate), from the last year down.
    const double v = 1.0 / (1.0 + rate);
    double sum = 0;
    for (auto it = flows.rbegin(); it != flows.rend(); ++it)
        sum = sum * v + *it;
    return sum;
}

std::optional<double> lowestCrossing(const std::vector<double>& a, const std::vector<double>& b,
                                     double low, double high) {
    Difference d;
    double scale = 0;
    for (size_t y = 0; y < a.size() && y < b.size(); ++y) {
        d.flows.push_back(a[y] - b[y]);
        scale += std::fabs(a[y]) + std::fabs(b[y]);
    }
    d.zero = 1e-12 * scale;
    bool differ = false;
    for (double f : d.flows)
        differ = differ || std::fabs(f) > d.zero;
    if (!differ)
        return std::nullopt;
    double prevRate = low;
    double prev = d.at(low);
    if (prev == 0)
        return low;
    const auto steps = static_cast<int>(std::ceil((high - low) / kGridStep - 1e-9));
    for (int i = 1; i <= steps; ++i) {
        const double rate = i == steps ? high : low + i * kGridStep;
        const double f = d.at(rate);
        if (f == 0)
            return rate;
        if ((f < 0) != (prev < 0))
            return bisect(d, prevRate, rate);
        prevRate = rate;
        prev = f;
    }
    return std::nullopt;
}

}  // namespace qvc::calc
