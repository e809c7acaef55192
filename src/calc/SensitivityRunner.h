#pragma once
// The work behind SensitivityAnalysis: the study read once into memory, its
// base point, every factor at its low and high value, and the break-even
// discount rates.

#include <cstdint>
#include <vector>

#include "calc/FactorVariation.h"
#include "calc/SensitivityPointCalculator.h"
#include "calc/SensitivityStudy.h"
#include "qvc/SensitivityAnalysis.h"

namespace qvc::calc {

class SensitivityRunner {
  public:
    // Reads the study (raises what readSensitivityStudy raises) and
    // calculates its base point.
    SensitivityRunner(int16_t studyId, const ResourceTexts& texts);

    int16_t studyId() const { return result_.studyId; }
    std::vector<SensitivityFactor> defaultFactors() const;
    // Raises rt::Error 9 for a factor naming a case the study does not have,
    // 5 for a factor with only one of its values given.
    const SensitivityResult& run(const std::vector<SensitivityFactor>& factors);
    const SensitivityResult& result() const { return result_; }

  private:
    void describeStudy();
    void checkFactor(const SensitivityFactor& factor) const;
    SensitivityFactorResult factorResult(const SensitivityFactor& factor);
    // The factor at one side: the value used and how it acts.
    SensitivityPoint pointAt(const SensitivityFactor& factor, std::optional<double> given,
                             double defaultMultiplier);
    SensitivityPoint studyRatePoint(SensitivityFactorKind kind, double rate);
    double swingOf(const SensitivityFactorResult& f) const;
    void findBreakEven();
    std::string labelOf(const SensitivityFactor& factor) const;

    SensitivityStudy study_;
    SensitivityPointCalculator calculator_;
    // Each case's cash flows at the base point, for the break-even search.
    std::vector<std::vector<double>> baseFlows_;
    SensitivityResult result_;
};

}  // namespace qvc::calc
