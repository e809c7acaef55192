#pragma once
// The engine's comparison: serves the results Calculate leaves in it.

#include <string_view>

#include "ComparisonResults.h"
#include "ErrorReporter.h"
#include "tavlo/IComparison.h"

namespace tavlo {

class Comparison final : public IComparison {
  public:
    explicit Comparison(const ErrorReporter& errors) : errors_(&errors) {}

    int16_t BaseCase() const override;
    int16_t Challenger() const override;
    int16_t Winner() const override;
    double AdditionalFirstCost() const override;
    double NPWSavings() const override;
    double IRR() const override;
    double BeforeTaxIRR() const override;
    double AIRR() const override;
    double PaybackYears() const override;
    double SIR(int16_t year) const override;
    double AddInvCostAt(int16_t year) const override;
    double CumAddInvCostAt(int16_t year) const override;
    double OpCostSavingsAt(int16_t year) const override;
    double CumOpCostSavingsAt(int16_t year) const override;
    double NPWSavingsAt(int16_t year) const override;

    // For the engine.
    ComparisonResults& results() { return results_; }

  private:
    const ComparisonResults& available(std::string_view method) const;
    double at(ComparisonSeries series, int16_t year, std::string_view method) const;

    const ErrorReporter* errors_;
    ComparisonResults results_;
};

}  // namespace tavlo
