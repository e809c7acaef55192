#pragma once
// One comparison of a challenger alternative with a base alternative, filled by
// LifeCycle::Calculate. Savings are positive when the challenger is cheaper.
//
// Every getter throws qvc::rt::Error 5 (after OnError) before a successful
// Calculate; per-year getters throw Error 9 for a year outside 0..L. Getters do
// not allocate.

#include <cstdint>

#include "tavlo/Export.h"

namespace tavlo {

class TAVLO_EXPORT IComparison {
  public:
    virtual ~IComparison() = default;

    // Alternative numbers (IAlternative::Number).
    virtual int16_t BaseCase() const = 0;
    virtual int16_t Challenger() const = 0;
    virtual int16_t Winner() const = 0;  // challenger when NPWSavings > 0.005

    virtual double AdditionalFirstCost() const = 0;  // challenger minus base
    virtual double NPWSavings() const = 0;           // TPW base - TPW challenger
    virtual double IRR() const = 0;                  // fraction; exactly -1 when undefined
    virtual double BeforeTaxIRR() const = 0;         // fraction; exactly -1 when undefined
    // Adjusted internal rate of return, savings reinvested at the discount
    // rate d: (1 + d) * SIR(L)^(1/L) - 1; exactly -1 unless SIR(L) > 0 and L >= 1.
    virtual double AIRR() const = 0;
    virtual double PaybackYears() const = 0;  // discounted; exactly -1 when never
    // Savings-to-investment ratio at the end of year y; exactly -1 when the
    // cumulative additional investment is not positive.
    virtual double SIR(int16_t year) const = 0;

    // Present worths per year y = 0..L.
    virtual double AddInvCostAt(int16_t year) const = 0;
    virtual double CumAddInvCostAt(int16_t year) const = 0;
    virtual double OpCostSavingsAt(int16_t year) const = 0;
    virtual double CumOpCostSavingsAt(int16_t year) const = 0;
    virtual double NPWSavingsAt(int16_t year) const = 0;
};

}  // namespace tavlo
