#pragma once
// White-box access to the calculator's private loading and assignment steps.

#include <string>

#include "common/ThreadState.h"
#include "project/cDBoperations.h"
#include "qvc/cORVCalculator.h"

namespace qvc {

class CalculatorProbe {
  public:
    static void getCase(cORVCalculator& c, int16_t caseId) { c.getCase(caseId); }
    static void BuildCollections(cORVCalculator& c, int16_t count) { c.BuildCollections(count); }
    static void AssignProperties(cORVCalculator& c, const std::string& part, int32_t position) {
        c.AssignProperties(part, position);
    }
    static void addCaseSnapshot(cORVCalculator& c, int32_t position) {
        c.addCaseSnapshot(position);
    }
    static void eraseCaseArrays() { cORVCalculator::eraseCaseArrays(); }
    // The description of the first value out of range of the case handed over.
    static std::string& invalidValue(cORVCalculator& c) { return c.m_sInvalidValue; }

    // The loading and hand-over steps of a calculation run, case by case, with
    // alternative i numbered i; the caller checks the error state and runs the
    // engine.
    static void loadStudy(cORVCalculator& calc, int16_t studyId) {
        ThreadState& st = threadState();
        calc.StudyID = studyId;
        calc.getStudyDetails();
        AssignProperties(calc, "study", 1);
        {
            cDBoperations db;
            db.getCaseIDs(studyId, st.lCaseIDArr);
        }
        const auto count = static_cast<int16_t>(st.lCaseIDArr.ubound());
        BuildCollections(calc, count);
        for (int16_t i = 1; i <= count; ++i) {
            getCase(calc, st.lCaseIDArr(i));
            addCaseSnapshot(calc, i);
            calc.objLifeCycle->Alternatives().Item(i).setNumber(i);
            AssignProperties(calc, "inv", i);
            AssignProperties(calc, "ann", i);
            AssignProperties(calc, "other", i);
            eraseCaseArrays();
        }
    }
};

}  // namespace qvc
