#pragma once
// The one place the reports read the per-thread state: the loaded study, the
// case snapshots, the engine's results, the resource texts, the path settings,
// and the report state the builder prepared (the texts of the type of analysis
// and alternatives, the graph surface).

#include "reports/ReportInputs.h"

namespace qvc::reports {

// The inputs of a build started now (the time from rt::Env::Default()'s clock).
// A study slot that holds no number raises
// what StudySettings::fromStudyArray raises.
ReportInputs readReportInputs();

}  // namespace qvc::reports
