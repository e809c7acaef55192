#pragma once
// The host's access to the project database: studies, design cases, the
// project summary, copies, deletions and analysis type conversion.
//
// Every operation opens the project database (<work folder>/ORV30.mdb) at its
// start and closes it before it returns; nothing is held open between calls.
// No failure escapes: an operation that fails leaves its error record
// ("number#description#operation#cORVProject#") for getErrorMsg, and an
// operation that succeeds leaves getErrorMsg empty.
//
// Every operation that writes is one transaction: it either completes or
// leaves the project as it was, also when the process is killed. It takes the
// write lock at its start and waits up to five seconds while another process
// writes. Read operations open the file read-only. A file that is not a
// project database is refused and never written.
//
// Threading: one object per thread; objects on the same thread share the path
// settings and the open database handle.

#include <cstdint>
#include <memory>
#include <string>

#include "qvc/Export.h"
#include "qvc/IChangeNotifier.h"
#include "qvc/cDesignCase.h"
#include "qvc/cStudy.h"

namespace qvc {

class cDBoperations;
class WriteTransaction;

class QVC_EXPORT cORVProject {
  public:
    cORVProject();
    ~cORVProject();
    cORVProject(const cORVProject&) = delete;
    cORVProject& operator=(const cORVProject&) = delete;

    // The observer told after every successful change; may be null (no one told).
    void setChangeNotifier(std::shared_ptr<IChangeNotifier> notifier);

    // Settings shared by every object on this thread.
    void setWorkPath(const std::string& StrWorkPath, const std::string& strExePath,
                     const std::string& strJobPath);
    void setProjectPath(const std::string& strProjectPath, const std::string& strProjectName,
                        const std::string& strAppName, const std::string& strCompanyName,
                        const std::string& strAppVersion, const std::string& strTempPath);
    std::string getErrorMsg() const { return m_sErrMsg; }
    void clearError() { m_sErrMsg.clear(); }

    // Groups the operations that follow on this thread into one transaction
    // until CommitTransaction (or RollbackTransaction, or the object's end,
    // which undo them all). When one of them fails, the commit undoes them
    // all and reports it. Not nested: a second Begin fails with 5, a Commit without
    // Begin with 3034.
    void BeginTransaction();
    void CommitTransaction();
    void RollbackTransaction();

    // Studies. LastAddedStudyID is the ID the database gave the study this
    // object added last (also by DuplicateStudy), 0 before any; unlike
    // GetMaxStudyID it is right while other processes add studies too.
    void addStudyDetails(const cStudy& oStudyDetails);
    int32_t LastAddedStudyID() const { return m_lastAddedStudyID; }
    // Whether the study, or the study's case, is stored; false on failure.
    bool StudyExists(int16_t StudyID);
    bool CaseExists(int16_t StudyID, int16_t CaseID);
    // Leaves objStudy unchanged when the study does not exist.
    void getStudyDetails(int16_t intStudyId, cStudy& objStudy);
    // Does nothing when the study does not exist; restarts its copy counter.
    void updateStudyDetails(int32_t lStudyID, const cStudy& objStudy);

    // Number of cases of a study, or of studies for StudyID 0; 0 on failure.
    int16_t chkMaxStudyAndCase(int16_t StudyID = 0);
    // Highest case / study ID, 1 for an empty table, 0 on failure.
    int16_t GetMaxCaseID();
    int16_t GetMaxStudyID();

    // Design cases. addCaseDetails stores the rows the case's AnalysisType
    // allows; LastAddedCaseID is the ID the database gave the case this
    // object added last (also by DuplicateCase and the import), 0 before any.
    void addCaseDetails(int16_t iStudyID, const cDesignCase& oCaseDetails);
    int32_t LastAddedCaseID() const { return m_lastAddedCaseID; }
    // Stores every filled row of an imported case; returns its ID and trimmed title.
    void addCaseDetailsWEX(int16_t iStudyID, const cDesignCase& oCaseDetails, int16_t& iCaseID,
                           std::string& sCaseTitle);
    // Fills the object from the database without clearing it first.
    void getCaseDetails(int16_t intStudyId, int16_t intCaseID, cDesignCase& objDesignCase);
    // Writes the case back: rows with a key are updated or (when emptied)
    // deleted, filled rows without a key are added. A key that is not one of
    // the case's own rows in that list is refused (5) and nothing is written.
    void updateCaseDetails(int32_t lStudyID, int32_t lCaseID, const cDesignCase& objDesignCase);

    // Project summary mark-up of every study (iStudyID 0) or of one study:
    // <project><study Id='1' StudyTitle='..' ...><case id='3'>X</case></study></project>.
    // strXML is left unchanged on failure.
    void getProjectDetails(std::string& strXML, int16_t iStudyID = 0);
    // Copies a study with its cases as "Copy (n) of <title>"; strXML receives
    // the new study's summary. True when every step succeeded; otherwise
    // nothing was copied.
    bool DuplicateStudy(int16_t iStudyID, std::string& strXML);
    // strAction "D" copies the case into opStudyId as "Copy (n) of <title>",
    // "M" moves it there; strXML receives opStudyId's summary. True when every
    // step succeeded; otherwise nothing was changed.
    bool DuplicateCase(int16_t inStudyId, int16_t iCaseID, const std::string& strAction,
                       std::string& strXML, int16_t opStudyId = 0);
    // ErrorMessage is accepted and left untouched; see getErrorMsg.
    bool DeleteStudy(int16_t StudyID, std::string& ErrorMessage);
    bool DeleteCase(int16_t nStudyID, int16_t nCaseID, std::string& ErrorMessage);

    // Rewrites every case of the study for a new type of analysis (iLifecycle
    // is the study's length in years): types 0 and 1 give the first rows their
    // default names and attributes; types 2 and 3 fold each list into one
    // investment, one loan, an energy and a maintenance cost, and remove the
    // rest. All cases or none are converted. The study row keeps its type;
    // store the new one with updateStudyDetails (inside BeginTransaction and
    // CommitTransaction for both to be one change). Notifies the observer,
    // also for a study without cases.
    void ChangeAnalysisType(int16_t TypeOfAnalysis, int16_t iStudyID, int16_t iLifecycle);

    // Builds the study inputs report (caseId 0) or the design case inputs
    // report of one case ("DC1" for AnalysisType 0 or 1, else "DC2") and shows
    // it in the report viewer; intAction 1 prints it without showing.
    void InputReports(int16_t StudyID, int16_t AnalysisType, int16_t caseId, int16_t intAction = 0);

  private:
    friend class ProjectOperation;
    void notifyChanged();
    cDBoperations& db();

    std::unique_ptr<cDBoperations> m_oDB;
    std::unique_ptr<WriteTransaction> m_oTransaction;
    int32_t m_lastAddedStudyID = 0;
    int32_t m_lastAddedCaseID = 0;
    bool m_notifyPending = false;
    std::shared_ptr<IChangeNotifier> m_oChangeNotifier;
    std::string m_sErrMsg;
};

}  // namespace qvc
