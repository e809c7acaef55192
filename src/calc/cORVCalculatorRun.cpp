// The calculation run of cORVCalculator: PerformCalc (its steps are in
// CalculationRun), BuildReports and the status the host reads afterwards.

#include "calc/CalculationRun.h"
#include "calc/ReportRequest.h"
#include "calc/StudyCheck.h"
#include "common/ErrorMessage.h"
#include "common/ErrorRecord.h"
#include "common/StudySettings.h"
#include "common/ThreadState.h"
#include "qvc/cORVCalculator.h"
#include "qvc/runtime/Value.h"
#include "reports/cRptBuilder.h"

namespace qvc {
namespace {

using calc::inform;
using calc::requested;

std::string calculatorTag(const char* procedure) {
    return classTag(procedure, "cORVCalculator");
}

// The input reports among the requested ones, for a run that has no results.
std::string inputReportTypes(const std::string& types) {
    const bool dc = requested(types, "DC");
    const bool si = requested(types, "SI");
    if (dc && si)
        return "SI-DC";
    if (si)
        return "SI";
    if (dc)
        return "DC";
    return types;
}

// Why only the input reports are built, when results were asked for.
void explainInputsOnly(const ThreadState& st) {
    const auto& r = st.res;
    if (st.gErrCode == CalcStatus::CaseRecordMissing) {
        inform(r.gXstrNOdataInDC + "." + r.gXstrOnlyInputs + "." + r.gXstrPleaseCorrect + ".");
    } else if (st.gErrCode == CalcStatus::CaseValueOutOfRange) {
        inform(r.gXstrInvalidDataDC + " [" + st.gErrMsg + "]. " + r.gXstrOnlyInputs);
    }
}

}  // namespace

int16_t cORVCalculator::ReturnError() const {
    return threadState().gErrCode;
}
std::string cORVCalculator::getErrorMsg() const {
    return threadState().gErrMsg;
}

bool cORVCalculator::studyCheck() {
    ThreadState& st = threadState();
    st.gErrCode = 0;
    st.gErrMsg.clear();
    const bool valid = calc::studySettingsInRange(st.arrStudy);
    if (!valid)
        st.gErrCode = statusNumber(CalcStatus::StudySettingsOutOfRange);
    return valid;
}

void cORVCalculator::onEngineError(int32_t /*number*/, const std::string& description,
                                   const std::string& source, const std::string& library,
                                   const std::string& className, const std::string& method) {
    threadState().gErrMsg =
        description + "#" + library + "#" + className + "# " + method + "#" + source;
}

bool cORVCalculator::PerformCalc() {
    ThreadState& st = threadState();
    try {
        m_bCalcResult = false;
        m_bCalcResult = calc::CalculationRun(*this, st).perform();
        return m_bCalcResult;
    } catch (...) {
        st.gErrMsg = currentErrorRecord(calculatorTag("PerformCalc"));
        eraseCaseArrays();
        m_bCalcResult = false;
        return false;
    }
}

bool cORVCalculator::BuildReports(int16_t intAction) {
    ThreadState& st = threadState();
    const int16_t action = intAction == 1 ? 1 : 0;
    try {
        auto build = [&](const std::string& types) {
            cRptBuilder builder;
            builder.sReportTypes = types;
            m_bCalcResult = builder.BuildReports(action);
        };
        if (m_bCalcResult) {
            build(sReportTypes);
        } else if (st.gReportMode == 1) {
            if (calc::resultsRequested(sReportTypes))
                explainInputsOnly(st);
            build(inputReportTypes(sReportTypes));
        }
    } catch (...) {
        st.gErrMsg = currentErrorRecord(calculatorTag("BuildReports"));
        m_bCalcResult = false;
    }
    eraseCaseArrays();
    if (!m_bCalcResult && !st.gErrMsg.empty()) {
        ui::Services::messageBox()->show(FormatErrorMessage(st.gErrMsg), ui::mb::kOkOnly, "");
        st.gErrMsg.clear();
    }
    return m_bCalcResult;
}

}  // namespace qvc
