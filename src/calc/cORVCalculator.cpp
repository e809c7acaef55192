#include "qvc/cORVCalculator.h"

#include "calc/EngineAssignment.h"
#include "common/ErrorRecord.h"
#include "common/ThreadState.h"
#include "project/cDBoperations.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"
#include "qvc/runtime/Like.h"

namespace qvc {
namespace {

constexpr const char* kClass = "cORVCalculator";

[[noreturn]] void throwNoObject() {
    throw rt::Error(rt::err::kObjectNotSet, "Object variable or With block variable not set");
}

// The shared error record of a failed calculator procedure.
void recordFailure(const char* procedure) {
    threadState().gErrMsg = errorRecord(procedure, kClass);
}

std::string textOrEmpty(const rt::Value& v) {
    return v.isNull() ? std::string() : v.toText();
}

}  // namespace

cORVCalculator::cORVCalculator()
    : objLifeCycle(tavlo::createEngine()), m_oDB(std::make_unique<cDBoperations>()) {
    ThreadState& state = threadState();
    state.colCases.Clear();
    state.gReportMode = 0;
}

cORVCalculator::~cORVCalculator() {
    objLifeCycle.reset();
    threadState().colCases.Clear();
}

void cORVCalculator::setProjectPath(const std::string& strProjectPath,
                                    const std::string& strProjectName,
                                    const std::string& strAppName,
                                    const std::string& strCompanyName,
                                    const std::string& strAppVersion,
                                    const std::string& strTempPath) {
    ThreadState& state = threadState();
    state.strProjectPath = strProjectPath;
    state.strProjectName = strProjectName;
    state.strAppName = strAppName;
    state.strCompanyName = strCompanyName;
    state.strAppVersion = strAppVersion;
    state.strTempPath = strTempPath;
}

void cORVCalculator::getStudyDetails() {
    try {
        cDBoperations db;
        auto rs = db.getStudyRecords(StudyID);
        if (!rs)
            throwNoObject();
        if (!isEmptyResult(*rs)) {
            auto& s = threadState().arrStudy;
            s[0] = rs->field("sStudyTitle").toText();
            s[1] = textOrEmpty(rs->field("sStudyDescription"));
            s[2] = rs->field("nTypeOfAnalysis").toText();
            s[3] = rs->field("nTypeOfAlts").toText();
            s[4] = rs->field("nBaseYear").toText();
            s[5] = rs->field("nLifecycle").toText();
            s[6] = rs->field("dDiscountRate").toText();
            s[7] = rs->field("bCalcIncomeTaxes").toBool() ? "True" : "False";
            s[8] = rs->field("dIncomeTaxRate").toText();
            s[9] = rs->field("sCurrSymbol").toText();
        }
        CloseRecordset(rs);
        db.closeDB();
    } catch (...) {
        recordFailure("getStudyDetails");
    }
    CloseDatabase();
}

void cORVCalculator::getCase(int16_t caseId) {
    try {
        ThreadState& state = threadState();
        state.arrCaseStatus.fill(0);
        m_oDB->getCaseRecords(StudyID, caseId, state.arrCaseGen, state.arrInvCosts, state.arrLoan,
                              state.arrAnOpCost, state.arrOtherCost);
        const std::string& type = state.arrStudy[2];
        if ((rt::Like(type, "[0,1]") || rt::Like(type, "[2,3]")) && state.arrCaseStatus[0] == 303)
            state.gErrCode = statusNumber(CalcStatus::CaseRecordMissing);
    } catch (...) {
        recordFailure("getCase");
    }
}

void cORVCalculator::BuildCollections(int16_t count) {
    try {
        tavlo::ILifeCycleEngine& lifeCycle = engine();
        lifeCycle.Alternatives().Initialize(count);
        lifeCycle.Comparisons().Initialize(count > 1 ? static_cast<int16_t>(count - 1) : count);
    } catch (...) {
        recordFailure("BuildCollections");
    }
}

void cORVCalculator::AssignProperties(const std::string& part, int32_t position) {
    try {
        if (part != "study" && part != "inv" && part != "ann" && part != "other")
            return;
        calc::EngineAssignment assign(engine(), threadState(), m_InvalidCaseData, m_sInvalidValue);
        if (part == "study") {
            assign.study();
            return;
        }
        const int16_t index = calc::itemIndex(position);
        if (part == "inv")
            assign.investments(index);
        else if (part == "ann")
            assign.annualCosts(index);
        else
            assign.otherCosts(index);
    } catch (...) {
        recordFailure("AssignProperties");
    }
}

void cORVCalculator::addCaseSnapshot(int32_t position) {
    ThreadState& state = threadState();
    state.colCases.Add(CaseSnapshot::of(state.arrCaseGen, state.arrInvCosts, state.arrLoan,
                                        state.arrAnOpCost, state.arrOtherCost),
                       std::to_string(position));
}

void cORVCalculator::eraseCaseArrays() {
    ThreadState& state = threadState();
    state.arrCaseGen.erase();
    state.arrInvCosts.erase();
    state.arrLoan.erase();
    state.arrAnOpCost.erase();
    state.arrOtherCost.erase();
}

tavlo::ILifeCycleEngine& cORVCalculator::engine() {
    if (!objLifeCycle)
        throwNoObject();
    return *objLifeCycle;
}

}  // namespace qvc
