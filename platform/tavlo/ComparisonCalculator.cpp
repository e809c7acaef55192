#include "ComparisonCalculator.h"

#include <cmath>

#include "RateOfReturn.h"
#include "Tolerances.h"

namespace tavlo {

void ComparisonCalculator::calculate(int16_t baseNumber, const AlternativeResults& base,
                                     int16_t challengerNumber, const AlternativeResults& challenger,
                                     ComparisonResults& out) {
    out.reset(study_.analysisPeriod);
    const std::size_t n = out.years();
    const double* opBase = base.series(Series::OperatingPart);
    const double* opChallenger = challenger.series(Series::OperatingPart);
    const double* invBase = base.series(Series::InvestmentPart);
    const double* invChallenger = challenger.series(Series::InvestmentPart);
    double* addInv = out.series(ComparisonSeries::AddInvCost);
    double* cumAddInv = out.series(ComparisonSeries::CumAddInvCost);
    double* opSavings = out.series(ComparisonSeries::OpCostSavings);
    double* cumOpSavings = out.series(ComparisonSeries::CumOpCostSavings);
    double* npwSavings = out.series(ComparisonSeries::NPWSavings);
    double* sir = out.series(ComparisonSeries::SIR);

    double totalSavings = 0.0;
    double runningInv = 0.0;
    double runningOp = 0.0;
    for (std::size_t y = 0; y < n; ++y) {
        const double v = discount_[y];
        addInv[y] = (invChallenger[y] - invBase[y]) * v;
        opSavings[y] = (opBase[y] - opChallenger[y]) * v;
        npwSavings[y] = opSavings[y] - addInv[y];
        runningInv += addInv[y];
        runningOp += opSavings[y];
        cumAddInv[y] = runningInv;
        cumOpSavings[y] = runningOp;
        sir[y] = isPositiveMoney(runningInv) ? runningOp / runningInv : -1.0;
        totalSavings += npwSavings[y];
    }

    out.baseCase = baseNumber;
    out.challenger = challengerNumber;
    out.npwSavings = totalSavings;
    out.winner = totalSavings > kWinnerThreshold ? challengerNumber : baseNumber;
    out.additionalFirstCost = challenger.firstCost - base.firstCost;
    out.paybackYears = discountedPayback(out);
    out.airr = adjustedRateOfReturn(out);

    out.irr = savingsRateOfReturn(
        study_.taxesApply() ? Series::AfterTaxCashFlow : Series::BeforeTaxCashFlow, base,
        challenger);
    out.beforeTaxIrr = study_.taxesApply()
                           ? savingsRateOfReturn(Series::BeforeTaxCashFlow, base, challenger)
                           : out.irr;
    out.available = true;
}

// The rate of return of the actual savings base - challenger of a cash flow.
double ComparisonCalculator::savingsRateOfReturn(Series cashFlow, const AlternativeResults& base,
                                                 const AlternativeResults& challenger) {
    const std::size_t n = base.years();
    const double* cfBase = base.series(cashFlow);
    const double* cfChallenger = challenger.series(cashFlow);
    savings_.resize(n);
    for (std::size_t y = 0; y < n; ++y) {
        savings_[y] = cfBase[y] - cfChallenger[y];
    }
    return internalRateOfReturn(savings_, study_.discountRate);
}

// The savings reinvested at the discount rate grow to SIR(L) (1 + d)^L per unit
// of additional investment by the end of the study; the AIRR is the rate that
// grows the investment to the same amount: (1 + d) SIR(L)^(1/L) - 1.
double ComparisonCalculator::adjustedRateOfReturn(const ComparisonResults& out) const {
    const int16_t years = out.period;
    const double sir = out.series(ComparisonSeries::SIR)[years];
    if (years < 1 || !(sir > 0.0)) {
        return -1.0;
    }
    return (1.0 + study_.discountRate) * std::pow(sir, 1.0 / years) - 1.0;
}

// From Z(y) = cumulative savings - cumulative additional investment: 0 when
// Z never falls below zero; -1 when it is still below zero at the end; else the
// time, interpolated within the year, after which it stays at or above zero.
double ComparisonCalculator::discountedPayback(const ComparisonResults& out) const {
    const std::size_t n = out.years();
    const double* cumInv = out.series(ComparisonSeries::CumAddInvCost);
    const double* cumOp = out.series(ComparisonSeries::CumOpCostSavings);
    for (std::size_t i = n; i-- > 0;) {
        const double z = cumOp[i] - cumInv[i];
        if (!isNegativeMoney(z)) {
            continue;
        }
        if (i == n - 1) {
            return -1.0;
        }
        const double zNext = cumOp[i + 1] - cumInv[i + 1];
        return static_cast<double>(i) + (-z) / (zNext - z);
    }
    return 0.0;
}

}  // namespace tavlo
