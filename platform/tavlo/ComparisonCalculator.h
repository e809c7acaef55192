#pragma once
// Computes one comparison of a challenger with its base case from their
// calculated results.

#include <span>
#include <vector>

#include "AlternativeResults.h"
#include "ComparisonResults.h"
#include "StudySettings.h"

namespace tavlo {

class ComparisonCalculator {
  public:
    ComparisonCalculator(const StudySettings& study, std::span<const double> discount)
        : study_(study), discount_(discount) {}

    void calculate(int16_t baseNumber, const AlternativeResults& base, int16_t challengerNumber,
                   const AlternativeResults& challenger, ComparisonResults& out);

  private:
    double savingsRateOfReturn(Series cashFlow, const AlternativeResults& base,
                               const AlternativeResults& challenger);
    double discountedPayback(const ComparisonResults& out) const;
    double adjustedRateOfReturn(const ComparisonResults& out) const;

    const StudySettings& study_;
    std::span<const double> discount_;
    std::vector<double> savings_;  // scratch: actual savings per year
};

}  // namespace tavlo
