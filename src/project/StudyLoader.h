#pragma once
// Loads a study and its design cases from the project database into the
// thread's shared arrays: the study into arrStudy (ten texts, slots named by
// StudyField), a case into arrCaseGen / arrInvCosts / arrLoan / arrAnOpCost /
// arrOtherCost with its list statuses in arrCaseStatus, and copies of a loaded
// case into colCases. The calculator loads through it before handing a study
// to the engine; the input reports load through it before building.
//
// Each read opens the project database and closes it again (or joins the
// thread's open write transaction).

#include <cstdint>
#include <string>

#include "common/ThreadState.h"
#include "project/cDBoperations.h"
#include "qvc/runtime/DynArray.h"

namespace qvc {

class StudyLoader {
  public:
    explicit StudyLoader(ThreadState& state) : state_(state) {}

    // Reads study `studyId` into arrStudy (0 title, 1 description, 2 type of
    // analysis, 3 type of alternatives, 4 base year, 5 length of analysis,
    // 6 discount rate, 7 "True"/"False" for income taxes, 8 income tax rate,
    // 9 currency symbol). A study that does not exist leaves arrStudy as it
    // was. Raises 91 when the study table cannot be read; the project database
    // is closed afterwards either way.
    void loadStudy(int16_t studyId);
    // The IDs of the study's design cases into `ids`, 1-based in stored
    // order; gErrCode NoDesignCase (and `ids` as it was) when it has none.
    void loadCaseIds(int16_t studyId, rt::DynArray<int16_t>& ids);
    // Reads design case `caseId` of the study into the five case arrays after
    // clearing arrCaseStatus; a missing case record leaves 303 in status slot
    // 0, an empty loan, annual or other cost list 305, 306, 307 in slots 2-4.
    void loadCase(int16_t studyId, int16_t caseId);
    // Adds copies of the five case arrays to colCases under `key`.
    void addCaseSnapshot(const std::string& key);
    // Erases the five case arrays.
    void eraseCaseArrays();

  private:
    void readStudy(int16_t studyId);

    ThreadState& state_;
    cDBoperations db_;
};

}  // namespace qvc
