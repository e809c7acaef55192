// The calculation run of cORVCalculator: PerformCalc, BuildReports and the
// status the host reads afterwards.

#include "common/ErrorMessage.h"
#include "common/ErrorRecord.h"
#include "common/ThreadState.h"
#include "project/cDBoperations.h"
#include "qvc/cORVCalculator.h"
#include "qvc/runtime/Value.h"
#include "qvc/ui/MessageBox.h"
#include "qvc/ui/Services.h"
#include "reports/cRptBuilder.h"
#include "tavlo/IAlternative.h"
#include "tavlo/IAlternatives.h"
#include "tavlo/IComparisons.h"

namespace qvc {
namespace {

bool requested(const std::string& types, const char* code) {
    return types.find(code) != std::string::npos;
}
bool resultsRequested(const std::string& t) {
    return requested(t, "AD") || requested(t, "LS") || requested(t, "TPW") || requested(t, "CF") ||
           requested(t, "ACF");
}
bool inputsRequested(const std::string& t) {
    return requested(t, "DC") || requested(t, "SI");
}

// Information icon, OK button, default title.
void inform(const std::string& text) {
    ui::Services::messageBox()->show(text, ui::mb::kInformation, "");
}

double numberOf(const std::string& text) {
    try {
        return rt::Value(text).toDouble();
    } catch (...) {
        return -1.0;  // not a number: outside every range checked here
    }
}

std::string caseTitle() {
    const auto& gen = threadState().arrCaseGen;
    return gen.isDimensioned() ? gen(1) : std::string();
}

// The case and, when known, the value that put it out of range.
std::string invalidCaseText(const std::string& invalidValue) {
    const std::string title = caseTitle();
    return invalidValue.empty() ? title : title + ": " + invalidValue;
}

std::string calculatorTag(const char* procedure) {
    return classTag(procedure, "cORVCalculator");
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
    const double years = numberOf(st.arrStudy[5]);
    const double discount = numberOf(st.arrStudy[6]);
    const double tax = numberOf(st.arrStudy[8]);
    const bool valid = years == static_cast<double>(static_cast<long>(years)) && years >= 2 &&
                       years <= 50 && discount >= 0 && discount <= 50 && tax >= 0 && tax <= 99;
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
        int16_t fallbackStatus = 0;
        if (objLifeCycle) {
            objLifeCycle->setOnError([this](const tavlo::TavloError& e, const std::string& library,
                                            const std::string& className,
                                            const std::string& method) {
                onEngineError(e.number, e.description, e.source, library, className, method);
            });
        }
        const bool wantResults = resultsRequested(sReportTypes);
        const bool wantInputs = inputsRequested(sReportTypes);
        st.gReportMode = wantResults ? 2 : 1;
        getStudyDetails();

        if (st.gReportMode == 2) {
            if (!studyCheck()) {
                if (!wantInputs) {
                    inform(st.res.gXstrInvaidStudyMsgNoInputs);
                    return false;
                }
                st.gReportMode = 1;
                fallbackStatus = st.gErrCode;
                inform(st.res.gXstrInvalidStudyMsg);
            }
        }
        AssignProperties("study", 0);

        bool processCases = true;
        m_oDB->getCaseIDs(StudyID, st.lCaseIDArr);
        if (st.gErrCode == CalcStatus::NoDesignCase) {
            if (!requested(sReportTypes, "SI")) {
                inform(st.res.gXstrNODCStudyOnly);
                return false;
            }
            st.gReportMode = 1;
            if (fallbackStatus == 0)  // the study check's reason comes first
                fallbackStatus = st.gErrCode;
            inform(st.res.gXstrNoDCforStudy);
            processCases = false;
        } else {
            BuildCollections(
                st.lCaseIDArr.isDimensioned() ? static_cast<int16_t>(st.lCaseIDArr.ubound()) : 0);
        }

        st.gErrMsg.clear();
        st.gErrCode = 0;
        // A failure inside the hand-over (not a value out of range) leaves the
        // engine with part of a case; it must not be calculated.
        bool handOverFailed = false;
        const long cases =
            processCases && st.lCaseIDArr.isDimensioned() ? st.lCaseIDArr.ubound() : 0;
        for (long i = 1; i <= cases; ++i) {
            const int16_t id = st.lCaseIDArr(i);
            getCase(id);
            if (st.gErrCode == CalcStatus::CaseRecordMissing) {
                m_iErrDCId = id;
                if (!wantInputs)
                    return false;
                st.gErrMsg = caseTitle();
                st.gReportMode = 1;
            }
            if (st.gReportMode == 1) {
                if (requested(sReportTypes, "DC"))
                    addCaseSnapshot(static_cast<int32_t>(i));
            } else {
                addCaseSnapshot(static_cast<int32_t>(i));
                engine()
                    .Alternatives()
                    .Item(static_cast<int16_t>(i))
                    .setNumber(static_cast<int16_t>(i));
                const std::string before = st.gErrMsg;
                m_sInvalidValue.clear();
                AssignProperties("inv", static_cast<int32_t>(i));
                AssignProperties("ann", static_cast<int32_t>(i));
                AssignProperties("other", static_cast<int32_t>(i));
                if (st.gErrMsg != before)
                    handOverFailed = true;
                if (st.gErrCode == CalcStatus::CaseValueOutOfRange) {
                    if (!wantInputs) {
                        m_iErrDCId = id;
                        // Nothing else will say which value stopped the run.
                        inform(st.res.gXstrInvalidDataDC + " [" + invalidCaseText(m_sInvalidValue) +
                               "].");
                        eraseCaseArrays();
                        return false;
                    }
                    st.gErrMsg = invalidCaseText(m_sInvalidValue);
                    st.gReportMode = 1;
                }
            }
            eraseCaseArrays();
        }

        if (st.gReportMode == 1) {
            // The case loop starts from status 0; a run that fell back to the
            // input reports for the study or for want of cases
            // still reports why.
            if (st.gErrCode == CalcStatus::Ok)
                st.gErrCode = fallbackStatus;
            return m_bCalcResult;
        }
        if (!m_InvalidCaseData && !handOverFailed) {
            m_bCalcResult = engine().ValidateInputs();
            if (m_bCalcResult)
                m_bCalcResult = engine().Calculate();
        }
        if (m_bCalcResult) {
            st.colAlternatives = std::shared_ptr<const tavlo::IAlternatives>(
                objLifeCycle, &objLifeCycle->Alternatives());
            st.colComparisons = std::shared_ptr<const tavlo::IComparisons>(
                objLifeCycle, &objLifeCycle->Comparisons());
            return true;
        }
        if (wantInputs)
            st.gReportMode = 1;
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
            if (resultsRequested(sReportTypes)) {
                const auto& r = st.res;
                if (st.gErrCode == CalcStatus::CaseRecordMissing) {
                    inform(r.gXstrNOdataInDC + "." + r.gXstrOnlyInputs + "." +
                           r.gXstrPleaseCorrect + ".");
                } else if (st.gErrCode == CalcStatus::CaseValueOutOfRange) {
                    inform(r.gXstrInvalidDataDC + " [" + st.gErrMsg + "]. " + r.gXstrOnlyInputs);
                }
            }
            const bool dc = requested(sReportTypes, "DC");
            const bool si = requested(sReportTypes, "SI");
            std::string reduced = sReportTypes;
            if (dc && si)
                reduced = "SI-DC";
            else if (si)
                reduced = "SI";
            else if (dc)
                reduced = "DC";
            build(reduced);
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
