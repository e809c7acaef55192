#pragma once
// The life-cycle cost engine: study settings, the two collections, validation
// and the calculation that fills every result.

#include <vector>

#include "AlternativeList.h"
#include "ComparisonList.h"
#include "ErrorReporter.h"
#include "StudySettings.h"
#include "tavlo/ILifeCycleEngine.h"

namespace tavlo {

class LifeCycle final : public ILifeCycleEngine {
  public:
    LifeCycle();

    int16_t AnalysisType() const override { return study_.analysisType; }
    void setAnalysisType(int16_t type) override { study_.analysisType = type; }
    int16_t AlternativeType() const override { return study_.alternativeType; }
    void setAlternativeType(int16_t type) override { study_.alternativeType = type; }
    int16_t AnalysisPeriod() const override { return study_.analysisPeriod; }
    void setAnalysisPeriod(int16_t years) override { study_.analysisPeriod = years; }
    double DiscountRate() const override { return study_.discountRate; }
    void setDiscountRate(double rate) override;
    double IncomeTaxRate() const override { return study_.incomeTaxRate; }
    void setIncomeTaxRate(double rate) override;
    bool IncomeTaxFlag() const override { return study_.incomeTaxFlag; }
    void setIncomeTaxFlag(bool considered) override { study_.incomeTaxFlag = considered; }

    IAlternatives& Alternatives() override { return alternatives_; }
    const IAlternatives& Alternatives() const override { return alternatives_; }
    IComparisons& Comparisons() override { return comparisons_; }
    const IComparisons& Comparisons() const override { return comparisons_; }

    bool ValidateInputs() override;
    bool Calculate() override;

    void setOnError(ErrorHandler handler) override { errors_.setHandler(std::move(handler)); }

  private:
    void rankAlternatives();
    void compareAlternatives();
    std::vector<std::size_t> pairingOrder() const;

    ErrorReporter errors_;
    StudySettings study_;
    AlternativeList alternatives_;
    ComparisonList comparisons_;
    std::vector<double> discount_;
};

}  // namespace tavlo
