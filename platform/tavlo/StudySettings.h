#pragma once
// The study-wide settings of the engine.

#include <cstdint>

namespace tavlo {

struct StudySettings {
    int16_t analysisType = 0;
    int16_t alternativeType = 0;
    int16_t analysisPeriod = 0;
    double discountRate = 0.0;
    double incomeTaxRate = 0.0;
    bool incomeTaxFlag = false;

    // Income taxes count only for a private-sector life cycle with taxes on.
    bool taxesApply() const { return analysisType == 0 && incomeTaxFlag; }
    double effectiveTaxRate() const { return taxesApply() ? incomeTaxRate : 0.0; }
};

}  // namespace tavlo
