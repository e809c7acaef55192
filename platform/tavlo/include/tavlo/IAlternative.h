#pragma once
// One design alternative of a life-cycle cost study: its inputs (investment
// items with the loans financing them, annual and non-annual operating costs)
// and, after LifeCycle::Calculate, its results.
//
// Conventions:
// - Item indices are 1-based, 1..kMaxItems. Setting an item grows its list up to
//   that index; items never set stay all zero (no cost). An index outside
//   1..kMaxItems raises OnError and throws qvc::rt::Error 9.
// - Amounts are in base-date money, rates and escalations are fractions
//   (0.05 = 5 %). A value that is not a finite number throws Error 5. Values
//   that are finite but meaningless (negative years, unknown methods, ...) are
//   accepted here and refused by ValidateInputs, which names them.
// - Per-year getters take y = 0 (base date) .. L (AnalysisPeriod of the last
//   Calculate) and return actual (escalated) money, costs positive. A year
//   outside 0..L throws Error 9; any result getter called before a successful
//   Calculate throws Error 5.
// - Result getters do not allocate; they read values computed by Calculate.

#include <cstdint>

#include "tavlo/Export.h"

namespace tavlo {

class TAVLO_EXPORT IAlternative {
  public:
    static constexpr int16_t kMaxItems = 20;

    virtual ~IAlternative() = default;

    // Identity: set by the caller (usually the 1-based position); must be >= 1
    // and unique within the study.
    virtual int16_t Number() const = 0;
    virtual void setNumber(int16_t number) = 0;

    // Investment item (cost, year paid, escalation, tax exemption, depreciation
    // method 0..5 and life, useful life, salvage in base-date money).
    virtual void setInvestmentCost(int16_t item, double cost) = 0;
    virtual void setInvestmentYear(int16_t item, int16_t year) = 0;
    virtual void setInvestmentEscalation(int16_t item, double rate) = 0;
    virtual void setTaxExempt(int16_t item, bool exempt) = 0;
    virtual void setDepreciationMethod(int16_t item, int16_t method) = 0;
    virtual void setDepreciationLife(int16_t item, int16_t years) = 0;
    virtual void setUsefulLife(int16_t item, int16_t years) = 0;
    virtual void setSalvage(int16_t item, double salvage) = 0;

    // The loan financing investment item `item` (rate, share financed 0..1,
    // payment plan 0 level / 1 equal principal / 2 interest only, term in years).
    virtual void setLoanRate(int16_t item, double rate) = 0;
    virtual void setLoanFraction(int16_t item, double fraction) = 0;
    virtual void setPaymentPlan(int16_t item, int16_t plan) = 0;
    virtual void setLoanTerm(int16_t item, int16_t years) = 0;

    // Annual operating cost item: cost in every year from the start year on.
    virtual void setAnnualCost(int16_t item, double cost) = 0;
    virtual void setAnnualStartYear(int16_t item, int16_t year) = 0;
    virtual void setAnnualYears(int16_t item, int16_t years) = 0;
    virtual void setAnnualEscalation(int16_t item, double rate) = 0;

    // Non-annual operating cost item: cost `times` times, every `interval`
    // years from the start year on.
    virtual void setOtherCost(int16_t item, double cost) = 0;
    virtual void setOtherStartYear(int16_t item, int16_t year) = 0;
    virtual void setOtherTimes(int16_t item, int16_t times) = 0;
    virtual void setOtherInterval(int16_t item, int16_t years) = 0;
    virtual void setOtherEscalation(int16_t item, double rate) = 0;

    // Summary results.
    virtual int16_t Rank() const = 0;              // 1 = lowest total present worth
    virtual double TotalPresentWorth() const = 0;  // after taxes when taxes apply
    virtual double BeforeTaxTPW() const = 0;
    virtual double FirstCost() const = 0;            // investments of year 0, before financing
    virtual double AnnualOperatingCost() const = 0;  // AnnualOpCostAt(1); 0 when L = 0

    // Per-year results, y = 0..L.
    virtual double CashInvestmentAt(int16_t year) const = 0;
    virtual double LoanPrincipalAt(int16_t year) const = 0;
    virtual double LoanInterestAt(int16_t year) const = 0;
    virtual double TotalInvestmentAt(int16_t year) const = 0;
    virtual double AnnualOpCostAt(int16_t year) const = 0;
    virtual double NonAnnualOpCostAt(int16_t year) const = 0;
    virtual double TotalOpCostAt(int16_t year) const = 0;
    virtual double BeforeTaxCashFlowAt(int16_t year) const = 0;
    virtual double NetIncomeAt(int16_t year) const = 0;
    virtual double DepreciationAt(int16_t year) const = 0;
    virtual double TaxableIncomeAt(int16_t year) const = 0;
    virtual double TaxAt(int16_t year) const = 0;
    virtual double AfterTaxCashFlowAt(int16_t year) const = 0;
    virtual double BookValueAt(int16_t year) const = 0;
    virtual double PWInvestmentAt(int16_t year) const = 0;
    virtual double PWOpCostAt(int16_t year) const = 0;
    virtual double PWCashFlowAt(int16_t year) const = 0;
};

}  // namespace tavlo
