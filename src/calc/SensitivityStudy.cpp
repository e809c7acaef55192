#include "calc/SensitivityStudy.h"

#include <fmt/format.h>

#include "common/ThreadState.h"
#include "project/StudyLoader.h"
#include "qvc/CalcStatus.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::calc {
namespace {

// The thread's status, which reading the project sets on the way.
class KeptStatus {
  public:
    explicit KeptStatus(ThreadState& st)
        : st_(st), code_(st.gErrCode), message_(st.gErrMsg), caseStatus_(st.arrCaseStatus) {}
    ~KeptStatus() {
        st_.gErrCode = code_;
        st_.gErrMsg = message_;
        st_.arrCaseStatus = caseStatus_;
    }
    KeptStatus(const KeptStatus&) = delete;
    KeptStatus& operator=(const KeptStatus&) = delete;

  private:
    ThreadState& st_;
    int16_t code_;
    std::string message_;
    std::array<int16_t, 5> caseStatus_;
};

}  // namespace

std::optional<size_t> SensitivityStudy::positionOf(int16_t caseId) const {
    for (size_t i = 0; i < caseIds.size(); ++i)
        if (caseIds[i] == caseId)
            return i;
    return std::nullopt;
}

SensitivityStudy readSensitivityStudy(int16_t studyId) {
    ThreadState& thread = threadState();
    KeptStatus kept(thread);
    // The arrays land in a state of their own; the project is the thread's.
    ThreadState scratch;
    StudyLoader loader(scratch);
    loader.loadStudy(studyId);
    if (scratch.arrStudy[StudyField::TypeOfAnalysis].empty())
        throw rt::Error(rt::err::kNoCurrentRecord, fmt::format("There is no study {}", studyId));

    SensitivityStudy s;
    s.study = scratch.arrStudy;
    s.settings = StudySettings::fromStudyArray(s.study);
    thread.gErrCode = 0;
    rt::DynArray<int16_t> ids;
    loader.loadCaseIds(studyId, ids);
    if (thread.gErrCode == CalcStatus::NoDesignCase || !ids.isDimensioned())
        throw rt::Error(statusNumber(CalcStatus::NoDesignCase),
                        fmt::format("Study {} has no design case", studyId));
    // The IDs are 1-based, as the calculator reads them.
    for (long i = 1; i <= ids.ubound(); ++i) {
        const int16_t id = ids(i);
        thread.arrCaseStatus.fill(0);
        loader.loadCase(studyId, id);
        if (thread.arrCaseStatus[0] == 303)
            throw rt::Error(statusNumber(CalcStatus::CaseRecordMissing),
                            fmt::format("The record of design case {} is missing", id));
        s.caseIds.push_back(id);
        s.cases.push_back(CaseSnapshot::of(scratch.arrCaseGen, scratch.arrInvCosts, scratch.arrLoan,
                                           scratch.arrAnOpCost, scratch.arrOtherCost));
        loader.eraseCaseArrays();
    }
    return s;
}

}  // namespace qvc::calc
