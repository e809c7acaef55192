#pragma once
// One run of cORVCalculator::PerformCalc, step by step: load the study, decide
// the report mode (results, or only the input reports when the study or its
// cases cannot be calculated), hand the study and its cases over to the engine,
// and run it. The run works on the calculator's members and the thread's
// shared state as PerformCalc documents; failures are raised to PerformCalc.

#include <cstdint>
#include <string>

#include "common/ThreadState.h"

namespace qvc {
class cORVCalculator;
}

namespace qvc::calc {

class CalculationRun {
  public:
    CalculationRun(cORVCalculator& calculator, ThreadState& state);

    // True only after a successful engine run.
    bool perform();

  private:
    // Engine errors to the calculator, report mode 2 when results are wanted
    // (1 otherwise), the study into arrStudy.
    void load();
    // Falls back to the input reports (report mode 1) when the study settings
    // are out of range or the study has no design case; false when the run
    // stops because no input report was asked for.
    bool decideReportModeForStudy();
    bool decideReportModeForCases();
    // Every design case: loaded, kept for the reports and, in report mode 2,
    // handed to the engine. False when the run stops at a case.
    bool handOver();
    bool handOverCase(long position);
    bool passCaseToEngine(long position, int16_t caseId);
    // Calculates a study whose hand-over went through and publishes the
    // results; in report mode 1 keeps the reason for the fallback.
    bool run();

    cORVCalculator& calc_;
    ThreadState& st_;
    const std::string& types_;
    const bool wantResults_;
    const bool wantInputs_;
    // The status that made the run fall back to the input reports before the
    // cases were handed over.
    int16_t fallbackStatus_ = 0;
    bool processCases_ = true;
    // A failure inside the hand-over (not a value out of range) leaves the
    // engine with part of a case; it must not be calculated.
    bool handOverFailed_ = false;
};

}  // namespace qvc::calc
