#pragma once
// The life-cycle cost engine: study settings, the alternatives to compare, input
// validation and the calculation. Arithmetic: docs/engine.md.
//
// Usage:
//   auto engine = tavlo::createEngine();
//   engine->setOnError(handler);                  // optional
//   engine->setAnalysisPeriod(25); engine->setDiscountRate(0.03); ...
//   engine->Alternatives().Initialize(n);
//   engine->Comparisons().Initialize(n - 1);     // optional; Calculate resizes
//   for each i: engine->Alternatives().Item(i).setNumber(i), setters ...
//   if (engine->ValidateInputs() && engine->Calculate()) read the results.
//
// Threading: one engine per thread; nothing is locked. Failures: every failing
// call first calls the OnError handler, then throws qvc::rt::Error (5 invalid
// argument or call, 9 index or year out of range).

#include <cstdint>
#include <memory>

#include "tavlo/Export.h"
#include "tavlo/IAlternatives.h"
#include "tavlo/IComparisons.h"
#include "tavlo/TavloError.h"

namespace tavlo {

class TAVLO_EXPORT ILifeCycleEngine {
  public:
    virtual ~ILifeCycleEngine() = default;

    // 0 private-sector life cycle, 1 public-sector life cycle, 2 simple payback,
    // 3 simple cash flow. Income taxes apply only with 0 and IncomeTaxFlag.
    virtual int16_t AnalysisType() const = 0;
    virtual void setAnalysisType(int16_t type) = 0;
    // 0 mutually exclusive, 1 independent.
    virtual int16_t AlternativeType() const = 0;
    virtual void setAlternativeType(int16_t type) = 0;
    // L, the length of the study in years.
    virtual int16_t AnalysisPeriod() const = 0;
    virtual void setAnalysisPeriod(int16_t years) = 0;
    // Fractions; a value that is not a finite number throws Error 5.
    virtual double DiscountRate() const = 0;
    virtual void setDiscountRate(double rate) = 0;
    virtual double IncomeTaxRate() const = 0;
    virtual void setIncomeTaxRate(double rate) = 0;
    virtual bool IncomeTaxFlag() const = 0;
    virtual void setIncomeTaxFlag(bool considered) = 0;

    // The same collection object on every call, owned by the engine.
    virtual IAlternatives& Alternatives() = 0;
    virtual const IAlternatives& Alternatives() const = 0;
    virtual IComparisons& Comparisons() = 0;
    virtual const IComparisons& Comparisons() const = 0;

    // True when every input can be calculated; otherwise calls OnError naming
    // the first bad input and returns false (does not throw).
    virtual bool ValidateInputs() = 0;
    // Calculates every result and resizes Comparisons to Count - 1 members.
    // Returns true. With bad inputs (the same checks as ValidateInputs, or no
    // alternatives at all) calls OnError and throws Error 5, leaving the
    // previous results untouched.
    virtual bool Calculate() = 0;

    // The OnError event. An empty handler disables it.
    virtual void setOnError(ErrorHandler handler) = 0;
};

// A new engine with default settings (all zero, no alternatives).
TAVLO_EXPORT std::unique_ptr<ILifeCycleEngine> createEngine();

}  // namespace tavlo
