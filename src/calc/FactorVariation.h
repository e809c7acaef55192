#pragma once
// A sensitivity factor at one value, applied to copies of a loaded study's
// texts or of one design case: the study's discount or income tax rate
// replaced, a case's cost group multiplied, its escalation rates multiplied
// or replaced. The values go through the calculator's checks afterwards, so
// nothing is limited here.

#include "common/CaseSnapshot.h"
#include "common/StudySettings.h"
#include "qvc/SensitivityAnalysis.h"

namespace qvc::calc {

// How a point's value acts on the factor's inputs.
enum class ValueUse {
    Replace,   // the value is the rate itself (a fraction)
    Multiply,  // every amount or rate of the group is multiplied by the value
};

// The study texts with the discount rate or the income tax rate (`kind`) set
// to `rate` (a fraction; the texts hold percent).
StudyArray studyWithRate(const StudyArray& study, SensitivityFactorKind kind, double rate);

// The case with the group `kind` changed: investment costs (with their
// salvage values), annual costs or other costs multiplied by `value`; the
// escalation rates of all three lists multiplied or replaced.
CaseSnapshot caseWithGroup(const CaseSnapshot& kase, SensitivityFactorKind kind, double value,
                           ValueUse use);

// The base value of a study rate as a fraction.
double baseRate(const StudySettings& settings, SensitivityFactorKind kind);

}  // namespace qvc::calc
