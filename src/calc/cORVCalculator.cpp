#include "qvc/cORVCalculator.h"

#include <fmt/format.h>

#include "calc/EngineAssignment.h"
#include "common/ErrorRecord.h"
#include "common/StudySettings.h"
#include "common/ThreadState.h"
#include "project/StudyLoader.h"
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

}  // namespace

cORVCalculator::cORVCalculator()
    : objLifeCycle(tavlo::createEngine()), m_loader(std::make_unique<StudyLoader>(threadState())) {
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
        m_loader->loadStudy(StudyID);
    } catch (...) {
        recordFailure("getStudyDetails");
    }
}

void cORVCalculator::getCase(int16_t caseId) {
    try {
        ThreadState& state = threadState();
        m_loader->loadCase(StudyID, caseId);
        const std::string& type = state.arrStudy[StudyField::TypeOfAnalysis];
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
    m_loader->addCaseSnapshot(fmt::format("{}", position));
}

void cORVCalculator::eraseCaseArrays() {
    StudyLoader(threadState()).eraseCaseArrays();
}

tavlo::ILifeCycleEngine& cORVCalculator::engine() {
    if (!objLifeCycle)
        throwNoObject();
    return *objLifeCycle;
}

}  // namespace qvc
