#pragma once
// The general economic settings of one study, as the host and the project
// component hand them to each other. A plain value holder: no checks, no
// persistence. A new object has empty texts, zero numbers and False.

#include <cstdint>
#include <string>

#include "qvc/Export.h"

namespace qvc {

class QVC_EXPORT cStudy {
  public:
    std::string StudyTitle;
    std::string StudyDescription;
    int16_t TypeOfAnalysis =
        0;  // 0 private sector, 1 public sector, 2 simple payback, 3 simple cash flow
    int16_t TypeOfAlternative = 0;  // 0 mutually exclusive, 1 independent
    int16_t BaseYear = 0;
    std::string CurSymbol;
    int16_t Lifecycle = 0;      // years
    double DiscountRate = 0.0;  // percent
    bool CalcIncomeTaxes = false;
    double IncomeTaxes = 0.0;  // percent
};

}  // namespace qvc
