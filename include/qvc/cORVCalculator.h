#pragma once
// The host's way to a calculated study: it names the study and the reports it
// wants, and the calculator loads the study and its design cases from the
// project database (<work folder>/ORV30.mdb) into the thread's shared arrays,
// checks every value and hands them to the life-cycle cost engine.
//
// Shared state (one copy per thread, see common/ThreadState.h): the study as ten
// texts in arrStudy, the current case in arrCaseGen / arrInvCosts / arrLoan /
// arrAnOpCost / arrOtherCost, its status codes in arrCaseStatus, the case
// snapshots in colCases, and the status gErrCode / gErrMsg / gReportMode.
//
// No failure escapes: a procedure that fails leaves
// "number#description#procedure#cORVCalculator#" in the shared gErrMsg.
//
// Threading: one object per thread; objects on the same thread share the state.

#include <cstdint>
#include <memory>
#include <string>

#include "qvc/CalcStatus.h"
#include "qvc/Export.h"
#include "tavlo/ILifeCycleEngine.h"

namespace qvc {

class StudyLoader;
namespace calc {
class CalculationRun;
}

class QVC_EXPORT cORVCalculator {
  public:
    // Creates the engine (objLifeCycle) and an empty colCases; gReportMode 0.
    cORVCalculator();
    // Releases the engine and colCases.
    ~cORVCalculator();
    cORVCalculator(const cORVCalculator&) = delete;
    cORVCalculator& operator=(const cORVCalculator&) = delete;

    // The study to calculate.
    int16_t StudyID = 0;
    // Requested report codes joined by "-" (for example "LS-AD-CF").
    std::string sReportTypes;
    // Kept for the host; the calculator does not read it.
    std::string ASCIIFilepath;
    // Set when a value of a case was out of range; only the host resets it.
    bool m_InvalidCaseData = false;
    // The life-cycle cost engine; the host may read it or put another engine
    // here. An empty pointer makes every engine step fail with error 91.
    std::shared_ptr<tavlo::ILifeCycleEngine> objLifeCycle;

    // Copies the project paths into the thread's shared settings.
    void setProjectPath(const std::string& strProjectPath, const std::string& strProjectName,
                        const std::string& strAppName, const std::string& strCompanyName,
                        const std::string& strAppVersion, const std::string& strTempPath);

    // Reads study StudyID into arrStudy (0 title, 1 description, 2 type of
    // analysis, 3 type of alternatives, 4 base year, 5 length of analysis,
    // 6 discount rate, 7 "True"/"False" for income taxes, 8 income tax rate,
    // 9 currency symbol). A study that does not exist leaves arrStudy as it was.
    void getStudyDetails();

    // Loads the study and its cases, checks them, hands them to the engine and
    // runs it. True only after a successful engine run. Status codes (see
    // ReturnError and qvc/CalcStatus.h): Ok, NoDesignCase, CaseRecordMissing,
    // StudySettingsOutOfRange, CaseValueOutOfRange.
    // When results cannot be had but input reports were requested, only the
    // input reports are kept available (gReportMode 1). Messages go through
    // the message-box service.
    bool PerformCalc();
    // Builds the requested reports after PerformCalc (intAction 1: print them
    // without showing the viewer) and shows any error left behind. True when
    // the reports were built.
    bool BuildReports(int16_t intAction = 0);
    // The last status code (a CalcStatus number), error text, and the ID of the design case that
    // stopped the last run.
    int16_t ReturnError() const;
    std::string getErrorMsg() const;
    int16_t ReturnERRDC() const { return m_iErrDCId; }

  private:
    friend class CalculatorProbe;       // white-box tests
    friend class calc::CalculationRun;  // the steps of PerformCalc

    // True when the study's length, discount rate and tax rate are in range;
    // otherwise gErrCode StudySettingsOutOfRange.
    bool studyCheck();
    // Receives the engine's errors: gErrMsg = description#library#class# method#source.
    void onEngineError(int32_t number, const std::string& description, const std::string& source,
                       const std::string& library, const std::string& className,
                       const std::string& method);

    // Loads case `caseId` of StudyID into the five shared case arrays after
    // clearing arrCaseStatus; gErrCode CaseRecordMissing when the case record is missing.
    void getCase(int16_t caseId);
    // Sizes the engine's collections: `count` alternatives and count - 1
    // comparisons (0 or 1 are passed to the comparisons unchanged).
    void BuildCollections(int16_t count);
    // Hands a part of the loaded study or case to the engine: "study" the
    // study settings; "inv", "ann", "other" the investments with their loans,
    // the annual and the other operating costs of the case at 1-based
    // `position`. Any other text does nothing. A value out of range is not
    // passed on; it sets m_InvalidCaseData and gErrCode CaseValueOutOfRange.
    void AssignProperties(const std::string& part, int32_t position);
    // Adds copies of the five case arrays to colCases under the position text.
    void addCaseSnapshot(int32_t position);
    // Erases the five shared case arrays.
    static void eraseCaseArrays();
    // The engine, or error 91 when there is none.
    tavlo::ILifeCycleEngine& engine();

    std::unique_ptr<StudyLoader> m_loader;
    // Result of the last calculation (True only after a successful engine run).
    bool m_bCalcResult = false;
    // ID of the design case that stopped the last run.
    int16_t m_iErrDCId = 0;
    // The first value out of range of the case being handed over: list, row,
    // field, value and range, for the CaseValueOutOfRange message.
    std::string m_sInvalidValue;
};

}  // namespace qvc
