#pragma once
// Calculating a study from Python: the results as `qvc calc --json` gives
// them, and the reports as `qvc calc DIR STUDY --reports CODES --out OUT`
// writes them. A study that cannot be calculated raises qvcomponents.Error
// with the calculator's status number (302 no design case, 309 a study
// setting out of range, 310 a case value out of range, ...) and the message
// the component shows.

#include <string>
#include <vector>

#include "CalculationResults.h"
#include "ProjectHandle.h"
#include "SilentServices.h"
#include "qvc/SensitivityAnalysis.h"

namespace qvc::py {

class StudyCalculation {
  public:
    StudyCalculation(const ProjectHandle& project, RecordingMessageBox& messages);

    CalculationResults calculate(int studyId);
    // Builds the reports named by `codes` ("SI-DC-LS-AD-CF-TPW-ACF") into the
    // folder `out` (made when missing) and returns the files in it, by name.
    std::vector<std::string> writeReports(int studyId, const std::string& codes,
                                          const std::string& out);
    // The sensitivity analysis of `qvc sensitivity` over `factors` (every
    // factor of the study at -20 % / +20 % when empty), as its JSON document.
    // A point that cannot be calculated is part of the answer; a study that
    // cannot be analysed raises.
    nlohmann::ordered_json sensitivity(int studyId, std::vector<SensitivityFactor> factors);

  private:
    const ProjectHandle& project_;
    RecordingMessageBox& messages_;
};

}  // namespace qvc::py
