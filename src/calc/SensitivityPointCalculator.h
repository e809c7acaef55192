#pragma once
// Calculates a study held in memory (SensitivityStudy) through the same
// hand-over as cORVCalculator: the study settings checked, every case value
// range-checked by EngineAssignment, then the engine validates and
// calculates. One engine and one scratch state serve every point, so the
// thread's loaded study, case arrays and status are never touched.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "calc/SensitivityStudy.h"
#include "common/ThreadState.h"
#include "qvc/SensitivityAnalysis.h"
#include "tavlo/ILifeCycleEngine.h"

namespace qvc::calc {

class SensitivityPointCalculator {
  public:
    // `texts` name the values out of range in the points' messages.
    SensitivityPointCalculator(const SensitivityStudy& study, const ResourceTexts& texts);

    // The study with its texts replaced by `studyTexts` and, when `varied` is
    // set, the case at `variedPosition` (0-based) replaced by it. A value out
    // of range, an input the engine refuses or a failure gives a point that is
    // not calculated, with the number and text saying why.
    SensitivityPoint calculate(const StudyArray& studyTexts, size_t variedPosition = 0,
                               CaseSnapshot* varied = nullptr);
    // The engine after the last point that was calculated.
    const tavlo::ILifeCycleEngine& engine() const { return *engine_; }

  private:
    // Hands every case over; false when a value was out of range.
    bool handOver(const StudyArray& studyTexts, size_t variedPosition, CaseSnapshot* varied,
                  SensitivityPoint& point);
    bool handOverCase(size_t position, CaseSnapshot& kase, SensitivityPoint& point);
    void readResults(SensitivityPoint& point) const;

    const SensitivityStudy& study_;
    // The study's cases, swapped into the scratch state one at a time.
    std::vector<CaseSnapshot> cases_;
    std::unique_ptr<tavlo::ILifeCycleEngine> engine_;
    ThreadState scratch_;
    std::string engineMessage_;
};

}  // namespace qvc::calc
