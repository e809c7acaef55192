// Copies, moves and deletions of studies and cases on cORVProject.

#include "common/ThreadState.h"
#include "project/ProjectOperation.h"
#include "project/cDBoperations.h"
#include "qvc/cORVProject.h"

namespace qvc {
namespace {

std::string copyPrefix(int16_t n) {
    return "Copy (" + std::to_string(n) + ") of ";
}

// Runs one statement between its own open and close of the database; false
// (with the error text kept) when anything failed.
bool runStatement(ProjectOperation& op, const std::string& sql) {
    if (!op.open())
        return false;
    op.database().Execute(sql);
    op.close();
    return op.ok();
}

}  // namespace

bool cORVProject::DuplicateStudy(int16_t iStudyID, std::string& strXML) {
    ProjectOperation op(*this, "DuplicateStudy");
    bool complete = true;
    auto track = [&] { complete = complete && m_sErrMsg.empty(); };
    try {
        const int16_t n = op.db().getNoOfCopies(iStudyID, 0);
        if (!op.db().ErrorText().empty()) {
            m_sErrMsg = op.db().ErrorText();
            return false;
        }
        // The shared list may still hold another study's IDs; start it empty so
        // a study without cases copies no cases.
        auto& caseIds = threadState().lCaseIDArr;
        caseIds.erase();
        op.db().getCaseIDs(iStudyID, caseIds);
        if (!op.db().ErrorText().empty()) {
            m_sErrMsg = op.db().ErrorText();
            return false;
        }

        cStudy study;
        getStudyDetails(iStudyID, study);
        track();
        study.StudyTitle = copyPrefix(n) + study.StudyTitle;
        addStudyDetails(study);
        track();

        if (!runStatement(op, "UPDATE tblStudy SET iStudyCopy=" + std::to_string(n) +
                                  " WHERE iStudyId=" + std::to_string(iStudyID)))
            return false;
        if (!op.open())
            return false;
        int16_t newId = 0;
        {
            auto rs = op.database().OpenRecordset("SELECT MAX(iStudyId) FROM tblStudy");
            newId = rs->field(0).toInt16();
            CloseRecordset(rs);
        }
        op.close();
        if (!op.ok())
            return false;

        if (IsArrayDimensioned(caseIds)) {
            const rt::DynArray<int16_t> ids = caseIds;
            for (long k = 1; k <= ids.ubound(); ++k) {
                cDesignCase c;
                getCaseDetails(iStudyID, ids(k), c);
                track();
                c.StudyID = newId;
                c.AnalysisType = 0;
                addCaseDetails(newId, c);
                track();
            }
            caseIds.erase();
        }
        getProjectDetails(strXML, newId);
        track();
        notifyChanged();
        return complete;
    } catch (...) {
        op.fail();
        CloseDatabase();
        return false;
    }
}

bool cORVProject::DuplicateCase(int16_t inStudyId, int16_t iCaseID, const std::string& strAction,
                                std::string& strXML, int16_t opStudyId) {
    ProjectOperation op(*this, "DuplicateCase");
    bool complete = true;
    try {
        if (strAction == "D") {
            const int16_t n = op.db().getNoOfCopies(inStudyId, iCaseID);
            if (!op.db().ErrorText().empty()) {
                m_sErrMsg = op.db().ErrorText();
                return false;
            }
            cDesignCase c;
            getCaseDetails(inStudyId, iCaseID, c);
            complete = m_sErrMsg.empty();
            c.CaseTitle = copyPrefix(n) + c.CaseTitle;
            c.AnalysisType = 0;
            addCaseDetails(opStudyId, c);
            complete = complete && m_sErrMsg.empty();
            if (!runStatement(op, "UPDATE tblDesignCase SET iCaseCopy=" + std::to_string(n) +
                                      " WHERE iCaseId=" + std::to_string(iCaseID)))
                return false;
        } else if (strAction == "M") {
            if (!runStatement(op, "UPDATE tblDesignCase SET iStudyId=" + std::to_string(opStudyId) +
                                      " WHERE iCaseId=" + std::to_string(iCaseID)))
                return false;
        } else {
            notifyChanged();
            return false;
        }
        getProjectDetails(strXML, opStudyId);
        complete = complete && m_sErrMsg.empty();
        notifyChanged();
        return complete;
    } catch (...) {
        op.fail();
        CloseDatabase();
        return false;
    }
}

bool cORVProject::DeleteStudy(int16_t StudyID, std::string& /*ErrorMessage*/) {
    ProjectOperation op(*this, "DeleteStudy");
    try {
        if (!runStatement(op, "DELETE FROM tblStudy WHERE iStudyId = " + std::to_string(StudyID)))
            return false;
        notifyChanged();
        return true;
    } catch (...) {
        op.fail();
        CloseDatabase();
        return false;
    }
}

bool cORVProject::DeleteCase(int16_t nStudyID, int16_t nCaseID, std::string& /*ErrorMessage*/) {
    ProjectOperation op(*this, "DeleteCase");
    try {
        if (!runStatement(op,
                          "DELETE FROM tblDesignCase WHERE iStudyId = " + std::to_string(nStudyID) +
                              " AND iCaseId=" + std::to_string(nCaseID)))
            return false;
        notifyChanged();
        return true;
    } catch (...) {
        op.fail();
        CloseDatabase();
        return false;
    }
}

}  // namespace qvc
