#pragma once
// The results of one comparison: summary values and the per-year series in one
// flat array (series-major, L + 1 values each).

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavlo {

enum class ComparisonSeries : int {
    AddInvCost,
    CumAddInvCost,
    OpCostSavings,
    CumOpCostSavings,
    NPWSavings,
    SIR,
    Count
};

inline constexpr int kComparisonSeriesCount = static_cast<int>(ComparisonSeries::Count);

struct ComparisonResults {
    bool available = false;
    int16_t period = 0;
    int16_t baseCase = 0;
    int16_t challenger = 0;
    int16_t winner = 0;
    double additionalFirstCost = 0.0;
    double npwSavings = 0.0;
    double irr = -1.0;
    double beforeTaxIrr = -1.0;
    double airr = -1.0;
    double paybackYears = -1.0;
    std::vector<double> values;

    std::size_t years() const { return static_cast<std::size_t>(period) + 1; }
    void reset(int16_t analysisPeriod) {
        period = analysisPeriod;
        values.assign(static_cast<std::size_t>(kComparisonSeriesCount) * years(), 0.0);
    }
    double* series(ComparisonSeries s) {
        return values.data() + static_cast<std::size_t>(s) * years();
    }
    const double* series(ComparisonSeries s) const {
        return values.data() + static_cast<std::size_t>(s) * years();
    }
};

}  // namespace tavlo
