#pragma once
// White-box access to the calculator's private loading and assignment steps.

#include <string>

#include "qvc/cORVCalculator.h"

namespace qvc {

class CalculatorProbe {
  public:
    static void getCase(cORVCalculator& c, int16_t caseId) { c.getCase(caseId); }
    static void BuildCollections(cORVCalculator& c, int16_t count) { c.BuildCollections(count); }
    static void AssignProperties(cORVCalculator& c, const std::string& part, int32_t position) {
        c.AssignProperties(part, position);
    }
    static void addCaseSnapshot(cORVCalculator& c, int32_t position) {
        c.addCaseSnapshot(position);
    }
    static void eraseCaseArrays() { cORVCalculator::eraseCaseArrays(); }
    // The description of the first value out of range of the case handed over.
    static std::string& invalidValue(cORVCalculator& c) { return c.m_sInvalidValue; }
};

}  // namespace qvc
