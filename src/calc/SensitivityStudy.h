#pragma once
// A study and its design cases as read from the project, held in memory so
// that a sensitivity analysis can vary them without touching the project.

#include <cstdint>
#include <optional>
#include <vector>

#include "common/CaseSnapshot.h"
#include "common/StudySettings.h"

namespace qvc::calc {

struct SensitivityStudy {
    StudyArray study;  // the ten study texts, as the calculator loads them
    StudySettings settings;
    std::vector<int16_t> caseIds;     // in study order
    std::vector<CaseSnapshot> cases;  // one per case ID

    // The 0-based position of a case of the study.
    std::optional<size_t> positionOf(int16_t caseId) const;
};

// Reads study `studyId` and every one of its design cases through the
// thread's project, leaving the thread's loaded arrays and status as they
// were. Raises rt::Error: 3021 when there is no such study, 302 when it has
// no design case, 308 when a case record is missing, and what reading raises.
SensitivityStudy readSensitivityStudy(int16_t studyId);

}  // namespace qvc::calc
