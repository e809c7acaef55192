#pragma once
// Computes the per-year cash flows, taxes and present worths of one alternative
// from its inputs.

#include <span>

#include "AlternativeInputs.h"
#include "AlternativeResults.h"
#include "StudySettings.h"

namespace tavlo {

class CashFlowCalculator {
  public:
    // discount holds v(y) = (1 + d)^-y for y = 0..L.
    CashFlowCalculator(const StudySettings& study, std::span<const double> discount)
        : study_(study), discount_(discount) {}

    // Fills every series and summary value except the rank.
    void calculate(const AlternativeInputs& inputs, AlternativeResults& out) const;

  private:
    void addInvestment(const InvestmentItem& item, AlternativeResults& out) const;
    void addAnnual(const AnnualItem& item, AlternativeResults& out) const;
    void addOther(const OtherItem& item, AlternativeResults& out) const;
    void combine(AlternativeResults& out) const;

    const StudySettings& study_;
    std::span<const double> discount_;
};

}  // namespace tavlo
