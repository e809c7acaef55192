#pragma once
// An engine that only writes down what it is told: every setter call and every
// collection call becomes one line such as "Alt1.InvestmentCost(2, 1500)" or
// "Alternatives.Initialize(3)", in call order. Result getters return 0.

#include <memory>
#include <string>
#include <vector>

#include "tavlo/ILifeCycleEngine.h"

namespace qvc::test {

using CallLog = std::vector<std::string>;

// Shortest text that reads back as the same double ("0.05", "1102", "-1").
std::string numberText(double v);

class RecordingEngine : public tavlo::ILifeCycleEngine {
  public:
    RecordingEngine();
    ~RecordingEngine() override;

    int16_t AnalysisType() const override { return analysisType_; }
    void setAnalysisType(int16_t type) override;
    int16_t AlternativeType() const override { return alternativeType_; }
    void setAlternativeType(int16_t type) override;
    int16_t AnalysisPeriod() const override { return period_; }
    void setAnalysisPeriod(int16_t years) override;
    double DiscountRate() const override { return discount_; }
    void setDiscountRate(double rate) override;
    double IncomeTaxRate() const override { return taxRate_; }
    void setIncomeTaxRate(double rate) override;
    bool IncomeTaxFlag() const override { return taxFlag_; }
    void setIncomeTaxFlag(bool considered) override;

    tavlo::IAlternatives& Alternatives() override;
    const tavlo::IAlternatives& Alternatives() const override;
    tavlo::IComparisons& Comparisons() override;
    const tavlo::IComparisons& Comparisons() const override;

    bool ValidateInputs() override;
    bool Calculate() override;
    void setOnError(tavlo::ErrorHandler handler) override;

    // Every call so far, and the calls of one alternative only (without the
    // "AltN." prefix).
    CallLog calls;
    CallLog callsOf(int position) const;
    // Only the lines that start with `prefix` (for example "Alt1.Loan").
    CallLog callsStartingWith(const std::string& prefix) const;

  private:
    class Alternatives_;
    class Comparisons_;
    std::unique_ptr<Alternatives_> alternatives_;
    std::unique_ptr<Comparisons_> comparisons_;
    int16_t analysisType_ = 0, alternativeType_ = 0, period_ = 0;
    double discount_ = 0, taxRate_ = 0;
    bool taxFlag_ = false;
};

}  // namespace qvc::test
