#pragma once
// The results of one alternative, computed by Calculate: summary values and the
// per-year series in one flat array (series-major, L + 1 values each).

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavlo {

enum class Series : int {
    CashInvestment,
    LoanPrincipal,
    LoanInterest,
    TotalInvestment,
    AnnualOpCost,
    NonAnnualOpCost,
    TotalOpCost,
    BeforeTaxCashFlow,
    NetIncome,
    Depreciation,
    TaxableIncome,
    Tax,
    AfterTaxCashFlow,
    BookValue,
    PWInvestment,
    PWOpCost,
    PWCashFlow,
    // Used by the comparisons: the cash flow that counts (after tax when taxes
    // apply) split into an operating part and an investment part.
    OperatingPart,
    InvestmentPart,
    Count
};

inline constexpr int kSeriesCount = static_cast<int>(Series::Count);

struct AlternativeResults {
    bool available = false;
    int16_t period = 0;  // L of the calculation
    int16_t rank = 0;
    double totalPresentWorth = 0.0;
    double beforeTaxTPW = 0.0;
    double firstCost = 0.0;
    double annualOperatingCost = 0.0;
    std::vector<double> values;

    std::size_t years() const { return static_cast<std::size_t>(period) + 1; }

    // Zeroes every series for a study of L years, reusing the storage.
    void reset(int16_t analysisPeriod) {
        period = analysisPeriod;
        values.assign(static_cast<std::size_t>(kSeriesCount) * years(), 0.0);
    }
    double* series(Series s) { return values.data() + static_cast<std::size_t>(s) * years(); }
    const double* series(Series s) const {
        return values.data() + static_cast<std::size_t>(s) * years();
    }
};

}  // namespace tavlo
