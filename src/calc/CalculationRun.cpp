// The steps of cORVCalculator::PerformCalc.

#include "calc/CalculationRun.h"

#include "calc/ReportRequest.h"
#include "project/StudyLoader.h"
#include "qvc/CalcStatus.h"
#include "qvc/cORVCalculator.h"
#include "tavlo/IAlternative.h"
#include "tavlo/IAlternatives.h"
#include "tavlo/IComparisons.h"

namespace qvc::calc {
namespace {

// The case and, when known, the value that put it out of range.
std::string invalidCaseText(const ThreadState& state, const std::string& invalidValue) {
    const std::string title = caseTitle(state);
    return invalidValue.empty() ? title : title + ": " + invalidValue;
}

}  // namespace

CalculationRun::CalculationRun(cORVCalculator& calculator, ThreadState& state)
    : calc_(calculator),
      st_(state),
      types_(calculator.sReportTypes),
      wantResults_(resultsRequested(types_)),
      wantInputs_(inputsRequested(types_)) {}

bool CalculationRun::perform() {
    load();
    if (!decideReportModeForStudy())
        return false;
    // The study settings go to the engine in either report mode.
    calc_.AssignProperties("study", 0);
    if (!decideReportModeForCases())
        return false;
    if (!handOver())
        return false;
    return run();
}

void CalculationRun::load() {
    if (calc_.objLifeCycle) {
        cORVCalculator& calc = calc_;
        calc_.objLifeCycle->setOnError(
            [&calc](const tavlo::TavloError& e, const std::string& library,
                    const std::string& className, const std::string& method) {
                calc.onEngineError(e.number, e.description, e.source, library, className, method);
            });
    }
    st_.gReportMode = wantResults_ ? 2 : 1;
    calc_.getStudyDetails();
}

bool CalculationRun::decideReportModeForStudy() {
    if (st_.gReportMode != 2 || calc_.studyCheck())
        return true;
    if (!wantInputs_) {
        inform(st_.res.gXstrInvaidStudyMsgNoInputs);
        return false;
    }
    st_.gReportMode = 1;
    fallbackStatus_ = st_.gErrCode;
    inform(st_.res.gXstrInvalidStudyMsg);
    return true;
}

bool CalculationRun::decideReportModeForCases() {
    calc_.m_loader->loadCaseIds(calc_.StudyID, st_.lCaseIDArr);
    if (st_.gErrCode != CalcStatus::NoDesignCase)
        return true;
    if (!requested(types_, "SI")) {
        inform(st_.res.gXstrNODCStudyOnly);
        return false;
    }
    st_.gReportMode = 1;
    if (fallbackStatus_ == 0)  // the study check's reason comes first
        fallbackStatus_ = st_.gErrCode;
    inform(st_.res.gXstrNoDCforStudy);
    processCases_ = false;
    return true;
}

bool CalculationRun::handOver() {
    const long cases =
        processCases_ && st_.lCaseIDArr.isDimensioned() ? st_.lCaseIDArr.ubound() : 0;
    if (processCases_)
        calc_.BuildCollections(static_cast<int16_t>(cases));
    st_.gErrMsg.clear();
    st_.gErrCode = 0;
    for (long i = 1; i <= cases; ++i)
        if (!handOverCase(i))
            return false;
    return true;
}

bool CalculationRun::handOverCase(long position) {
    const int16_t id = st_.lCaseIDArr(position);
    calc_.getCase(id);
    if (st_.gErrCode == CalcStatus::CaseRecordMissing) {
        calc_.m_iErrDCId = id;
        if (!wantInputs_)
            return false;
        st_.gErrMsg = caseTitle(st_);
        st_.gReportMode = 1;
    }
    if (st_.gReportMode == 1) {
        if (requested(types_, "DC"))
            calc_.addCaseSnapshot(static_cast<int32_t>(position));
    } else if (!passCaseToEngine(position, id)) {
        return false;
    }
    calc_.eraseCaseArrays();
    return true;
}

bool CalculationRun::passCaseToEngine(long position, int16_t caseId) {
    const auto index = static_cast<int32_t>(position);
    calc_.addCaseSnapshot(index);
    calc_.engine()
        .Alternatives()
        .Item(static_cast<int16_t>(position))
        .setNumber(static_cast<int16_t>(position));
    const std::string before = st_.gErrMsg;
    calc_.m_sInvalidValue.clear();
    calc_.AssignProperties("inv", index);
    calc_.AssignProperties("ann", index);
    calc_.AssignProperties("other", index);
    if (st_.gErrMsg != before)
        handOverFailed_ = true;
    if (st_.gErrCode != CalcStatus::CaseValueOutOfRange)
        return true;
    if (!wantInputs_) {
        calc_.m_iErrDCId = caseId;
        // Nothing else will say which value stopped the run.
        inform(st_.res.gXstrInvalidDataDC + " [" + invalidCaseText(st_, calc_.m_sInvalidValue) +
               "].");
        calc_.eraseCaseArrays();
        return false;
    }
    st_.gErrMsg = invalidCaseText(st_, calc_.m_sInvalidValue);
    st_.gReportMode = 1;
    return true;
}

bool CalculationRun::run() {
    if (st_.gReportMode == 1) {
        // The hand-over starts from status 0; a run that fell back to the
        // input reports for the study or for want of cases still reports why.
        if (st_.gErrCode == CalcStatus::Ok)
            st_.gErrCode = fallbackStatus_;
        return false;
    }
    bool calculated = false;
    if (!calc_.m_InvalidCaseData && !handOverFailed_) {
        calculated = calc_.engine().ValidateInputs();
        if (calculated)
            calculated = calc_.engine().Calculate();
    }
    if (calculated) {
        const auto& engine = calc_.objLifeCycle;
        st_.colAlternatives =
            std::shared_ptr<const tavlo::IAlternatives>(engine, &engine->Alternatives());
        st_.colComparisons =
            std::shared_ptr<const tavlo::IComparisons>(engine, &engine->Comparisons());
        return true;
    }
    if (wantInputs_)
        st_.gReportMode = 1;
    return false;
}

}  // namespace qvc::calc
