#include "CashFlowCalculator.h"

#include <algorithm>
#include <cmath>

#include "DepreciationSchedule.h"
#include "LoanSchedule.h"

namespace tavlo {

void CashFlowCalculator::calculate(const AlternativeInputs& inputs, AlternativeResults& out) const {
    out.reset(study_.analysisPeriod);
    out.firstCost = 0.0;
    for (const InvestmentItem& item : inputs.investments) {
        addInvestment(item, out);
    }
    for (const AnnualItem& item : inputs.annual) {
        addAnnual(item, out);
    }
    for (const OtherItem& item : inputs.other) {
        addOther(item, out);
    }
    combine(out);
    out.available = true;
}

// An investment item: its cash part, salvage, loan, depreciation, book value and
// disposal gain (gains are collected in the net-income series and completed in
// combine()).
void CashFlowCalculator::addInvestment(const InvestmentItem& item, AlternativeResults& out) const {
    const int L = study_.analysisPeriod;
    const int y0 = item.year;
    if (y0 > L) {
        return;  // paid after the end of the study
    }
    const double growth = 1.0 + item.escalation;
    const double cost = item.cost * std::pow(growth, y0);
    if (y0 == 0) {
        out.firstCost += cost;
    }
    const bool isAsset = cost > 0.0;
    const bool disposed = item.usefulLife > 0;
    const int disposalYear = std::min(y0 + static_cast<int>(item.usefulLife), L);
    const double salvage = disposed ? item.salvage * std::pow(growth, disposalYear) : 0.0;

    double financed = 0.0;
    if (isAsset && item.loanFraction > 0.0 && item.loanTerm >= 1) {
        financed = item.loanFraction * cost;
        Loan loan{financed, item.loanRate, item.paymentPlan, item.loanTerm, y0};
        addLoanRepayments(loan, L, out.series(Series::LoanPrincipal),
                          out.series(Series::LoanInterest));
    }
    double* cash = out.series(Series::CashInvestment);
    cash[y0] += cost - financed;
    if (disposed) {
        cash[disposalYear] -= salvage;
    }

    if (!isAsset || item.taxExempt) {
        return;  // outside the tax books
    }
    double* depreciation = out.series(Series::Depreciation);
    double* bookValue = out.series(Series::BookValue);
    DepreciationSchedule schedule(item.depreciationMethod, item.depreciationLife, cost);
    const int lastYear = disposed ? disposalYear : L;
    double taken = 0.0;
    for (int y = y0; y <= lastYear; ++y) {
        if (y > y0) {
            const double amount = schedule.next();
            depreciation[y] += amount;
            taken += amount;
        }
        if (!disposed || y < disposalYear) {
            bookValue[y] += cost - taken;
        }
    }
    if (disposed) {
        out.series(Series::NetIncome)[disposalYear] += salvage - (cost - taken);
    }
}

void CashFlowCalculator::addAnnual(const AnnualItem& item, AlternativeResults& out) const {
    const int first = std::max<int>(item.startYear, 0);
    const int last = std::min<int>(item.startYear + item.years - 1, study_.analysisPeriod);
    if (first > last) {
        return;
    }
    const double growth = 1.0 + item.escalation;
    double* annual = out.series(Series::AnnualOpCost);
    double amount = item.cost * std::pow(growth, first);
    for (int y = first; y <= last; ++y) {
        annual[y] += amount;
        amount *= growth;
    }
}

void CashFlowCalculator::addOther(const OtherItem& item, AlternativeResults& out) const {
    const int L = study_.analysisPeriod;
    const int y0 = item.startYear;
    if (item.times < 1 || y0 < 0 || y0 > L) {
        return;
    }
    const double growth = 1.0 + item.escalation;
    const double stepGrowth = std::pow(growth, item.interval);
    double* other = out.series(Series::NonAnnualOpCost);
    double amount = item.cost * std::pow(growth, y0);
    for (int q = 0, y = y0; q < item.times && y <= L; ++q, y += item.interval) {
        other[y] += amount;
        amount *= stepGrowth;
        if (item.interval < 1) {
            break;  // a single occurrence may carry any interval
        }
    }
}

// Totals, taxes and present worths from the collected components.
void CashFlowCalculator::combine(AlternativeResults& out) const {
    const std::size_t n = out.years();
    const bool taxes = study_.taxesApply();
    const double taxRate = study_.effectiveTaxRate();
    const double* cash = out.series(Series::CashInvestment);
    const double* principal = out.series(Series::LoanPrincipal);
    const double* interest = out.series(Series::LoanInterest);
    const double* annual = out.series(Series::AnnualOpCost);
    const double* other = out.series(Series::NonAnnualOpCost);
    const double* depreciation = out.series(Series::Depreciation);
    double* totalInvestment = out.series(Series::TotalInvestment);
    double* totalOp = out.series(Series::TotalOpCost);
    double* beforeTax = out.series(Series::BeforeTaxCashFlow);
    double* netIncome = out.series(Series::NetIncome);
    double* taxable = out.series(Series::TaxableIncome);
    double* tax = out.series(Series::Tax);
    double* afterTax = out.series(Series::AfterTaxCashFlow);
    double* pwInvestment = out.series(Series::PWInvestment);
    double* pwOp = out.series(Series::PWOpCost);
    double* pwCashFlow = out.series(Series::PWCashFlow);
    double* opPart = out.series(Series::OperatingPart);
    double* invPart = out.series(Series::InvestmentPart);

    double tpw = 0.0;
    double beforeTaxTpw = 0.0;
    for (std::size_t y = 0; y < n; ++y) {
        const double v = discount_[y];
        totalInvestment[y] = cash[y] + principal[y] + interest[y];
        totalOp[y] = annual[y] + other[y];
        beforeTax[y] = totalInvestment[y] + totalOp[y];
        netIncome[y] -= totalOp[y];  // the series already holds the disposal gains
        taxable[y] = netIncome[y] - depreciation[y] - interest[y];
        tax[y] = taxRate * taxable[y];
        afterTax[y] = beforeTax[y] + tax[y];
        pwInvestment[y] = totalInvestment[y] * v;
        pwOp[y] = totalOp[y] * v;
        const double cashFlow = taxes ? afterTax[y] : beforeTax[y];
        pwCashFlow[y] = cashFlow * v;
        opPart[y] = taxes ? totalOp[y] * (1.0 - study_.incomeTaxRate) : totalOp[y];
        invPart[y] = cashFlow - opPart[y];
        tpw += pwCashFlow[y];
        beforeTaxTpw += beforeTax[y] * v;
    }
    out.totalPresentWorth = tpw;
    out.beforeTaxTPW = beforeTaxTpw;
    out.annualOperatingCost = n > 1 ? annual[1] : 0.0;
}

}  // namespace tavlo
