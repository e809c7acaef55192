#include "reports/ReportInputsReader.h"

#include "common/ResourceStrings.h"
#include "common/ThreadState.h"
#include "qvc/runtime/Env.h"
#include "reports/ReportFolder.h"
#include "reports/ReportState.h"

namespace qvc::reports {

ReportInputs readReportInputs() {
    const ThreadState& state = threadState();
    const ReportState& rs = reportState();
    ReportInputs in;
    in.study = StudySettings::fromStudyArray(state.arrStudy);
    in.analysisTypeText = rs.strAnalysisType;
    in.alternativeTypeText = rs.strAlternativeType;
    in.cases = state.colCases;
    in.alternatives = state.colAlternatives;
    in.comparisons = state.colComparisons;
    in.texts = texts();
    in.reportTime = rt::Env::Default().localTime();
    in.projectName = state.strProjectName;
    in.companyName = state.strCompanyName;
    in.appName = state.strAppName;
    in.appVersion = state.strAppVersion;
    in.textFileFolder =
        reportFolder(state.strProjectPath.empty() ? state.StrWorkPath : state.strProjectPath);
    in.graph = rs.gGraph;
    return in;
}

}  // namespace qvc::reports
