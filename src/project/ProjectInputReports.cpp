// Input reports requested through cORVProject, before any calculation.

#include "common/CaseSnapshot.h"
#include "common/ErrorRecord.h"
#include "common/ThreadState.h"
#include "project/ProjectOperation.h"
#include "project/cDBoperations.h"
#include "qvc/cORVCalculator.h"
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
                    : std::to_string(rt::err::kInternal) + "#The input reports could not be built" +
                          classTag("InputReports", "cORVProject");
}

}  // namespace

void cORVProject::InputReports(int16_t StudyID, int16_t AnalysisType, int16_t caseId,
                               int16_t intAction) {
    ProjectOperation op(*this, "InputReports");
    ThreadState& s = threadState();
    const int16_t action = intAction == 1 ? 1 : 0;
    try {
        auto builder = std::make_unique<cRptBuilder>();
        // The calculator loads the study record the reports read; creating it
        // also starts an empty case collection.
        auto calculator = std::make_unique<cORVCalculator>();
        calculator->StudyID = StudyID;
        calculator->getStudyDetails();
        if (caseId == 0) {
            calculator.reset();
            builder->sReportTypes = "SI";
            if (!builder->BuildReports(action))
                recordBuildFailure(op.errorText());
            return;
        }
        builder->sReportTypes = AnalysisType == 0 || AnalysisType == 1 ? "DC1" : "DC2";
        op.db().getCaseRecords(StudyID, caseId, s.arrCaseGen, s.arrInvCosts, s.arrLoan,
                               s.arrAnOpCost, s.arrOtherCost);
        s.colCases.Add(
            CaseSnapshot::of(s.arrCaseGen, s.arrInvCosts, s.arrLoan, s.arrAnOpCost, s.arrOtherCost),
            "1");
        if (!builder->BuildReports(action))
            recordBuildFailure(op.errorText());
        m_oDB.reset();
        builder.reset();
        calculator.reset();
    } catch (...) {
        op.fail();
    }
    s.arrCaseGen.erase();
    s.arrInvCosts.erase();
    s.arrLoan.erase();
    s.arrAnOpCost.erase();
    s.arrOtherCost.erase();
}

}  // namespace qvc
