// Input reports requested through cORVProject, before any calculation.

#include "common/ErrorRecord.h"

#include <fmt/format.h>
#include "common/ThreadState.h"
#include "project/ProjectOperation.h"
#include "project/StudyLoader.h"
#include "qvc/cORVProject.h"
#include "qvc/runtime/ErrorNumbers.h"
#include "reports/cRptBuilder.h"

namespace qvc {

namespace {

// A build that failed (a folder that cannot be written, say) is this
// operation's failure: the builder's record says why, so the host can report
// it instead of taking the missing files for success.
void recordBuildFailure(std::string& errorText) {
    const std::string& why = threadState().gErrMsg;
    errorText = !why.empty()
                    ? why
                    : fmt::format("{}#The input reports could not be built{}", rt::err::kInternal,
                                  classTag("InputReports", "cORVProject"));
}

}  // namespace

void cORVProject::InputReports(int16_t StudyID, int16_t AnalysisType, int16_t caseId,
                               int16_t intAction) {
    ProjectOperation op(*this, "InputReports");
    ThreadState& s = threadState();
    StudyLoader loader(s);
    const int16_t action = intAction == 1 ? 1 : 0;
    // The reports read the loaded study and the case collection, which holds
    // only the case asked for; no calculation's report mode is left behind.
    s.colCases.Clear();
    s.gReportMode = 0;
    try {
        auto builder = std::make_unique<cRptBuilder>();
        loader.loadStudy(StudyID);
        if (caseId == 0) {
            builder->sReportTypes = "SI";
        } else {
            builder->sReportTypes = AnalysisType == 0 || AnalysisType == 1 ? "DC1" : "DC2";
            loader.loadCase(StudyID, caseId);
            loader.addCaseSnapshot("1");
        }
        if (!builder->BuildReports(action))
            recordBuildFailure(op.errorText());
        m_oDB.reset();
    } catch (...) {
        op.fail();
    }
    loader.eraseCaseArrays();
    s.colCases.Clear();
}

}  // namespace qvc
