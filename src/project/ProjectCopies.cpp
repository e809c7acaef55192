// Copies, moves and deletions of studies and cases on cORVProject.

#include "common/ThreadState.h"

#include <fmt/format.h>
#include "project/ProjectOperation.h"
#include "project/cDBoperations.h"
#include "qvc/cORVProject.h"
#include "qvc/runtime/Value.h"

namespace qvc {
namespace {

std::string copyPrefix(int16_t n) {
    return fmt::format("Copy ({}) of ", n);
}

// Runs one statement as its own transaction (or as part of the thread's open
// one); false (with the error text kept) when anything failed.
bool runStatement(ProjectOperation& op, const std::string& sql) {
    if (!op.openForWrite())
        return false;
    op.database().Execute(sql);
    op.close();
    return op.ok();
}

// The IDs of the study's cases (unbounded when it has none); false with the
// error text when they cannot be read.
bool readCaseIds(ProjectOperation& op, int16_t studyId, rt::DynArray<int16_t>& ids) {
    // The shared list may still hold another study's IDs; start it empty so
    // a study without cases copies no cases.
    auto& caseIds = threadState().lCaseIDArr;
    caseIds.erase();
    op.db().getCaseIDs(studyId, caseIds);
    if (!op.db().ErrorText().empty()) {
        op.errorText() = op.db().ErrorText();
        return false;
    }
    ids = caseIds;
    caseIds.erase();
    return true;
}

// Adds a copy of every listed case of `fromStudy` to `toStudy`, stored as
// type 0 rows; false when one could not be read or written.
bool copyCases(cORVProject& project, ProjectOperation& op, int16_t fromStudy, int16_t toStudy,
               const rt::DynArray<int16_t>& ids) {
    if (!IsArrayDimensioned(ids))
        return true;
    for (long k = 1; k <= ids.ubound(); ++k) {
        cDesignCase c;
        project.getCaseDetails(fromStudy, ids(k), c);
        if (!op.ok())
            return false;
        c.StudyID = toStudy;
        c.AnalysisType = 0;
        project.addCaseDetails(toStudy, c);
        if (!op.ok())
            return false;
    }
    return true;
}

}  // namespace

// Every step joins one transaction: a failure or a killed process leaves no
// partial copy behind.
bool cORVProject::DuplicateStudy(int16_t iStudyID, std::string& strXML) {
    ProjectOperation op(*this, "DuplicateStudy");
    try {
        if (!op.openForWrite())
            return false;
        const int16_t n = op.db().getNoOfCopies(iStudyID, 0);
        if (!op.db().ErrorText().empty()) {
            m_sErrMsg = op.db().ErrorText();
            return false;
        }
        rt::DynArray<int16_t> ids;
        if (!readCaseIds(op, iStudyID, ids))
            return false;

        cStudy study;
        getStudyDetails(iStudyID, study);
        if (!op.ok())
            return false;
        study.StudyTitle = copyPrefix(n) + study.StudyTitle;
        addStudyDetails(study);
        if (!op.ok())
            return false;
        const int32_t newId = m_lastAddedStudyID;
        const int16_t newStudy = rt::Value(newId).toInt16();
        op.database().Execute(
            fmt::format("UPDATE tblStudy SET iStudyCopy={} WHERE iStudyId={}", n, iStudyID));

        if (!copyCases(*this, op, iStudyID, newStudy, ids))
            return false;
        getProjectDetails(strXML, newStudy);
        if (!op.ok())
            return false;
        op.close();
        m_lastAddedStudyID = newId;
        notifyChanged();
        return true;
    } catch (...) {
        op.fail();
        CloseDatabase();
        return false;
    }
}

bool cORVProject::DuplicateCase(int16_t inStudyId, int16_t iCaseID, const std::string& strAction,
                                std::string& strXML, int16_t opStudyId) {
    ProjectOperation op(*this, "DuplicateCase");
    try {
        if (strAction != "D" && strAction != "M") {
            notifyChanged();
            return false;
        }
        if (!op.openForWrite())
            return false;
        if (strAction == "D") {
            const int16_t n = op.db().getNoOfCopies(inStudyId, iCaseID);
            if (!op.db().ErrorText().empty()) {
                m_sErrMsg = op.db().ErrorText();
                return false;
            }
            cDesignCase c;
            getCaseDetails(inStudyId, iCaseID, c);
            if (!op.ok())
                return false;
            c.CaseTitle = copyPrefix(n) + c.CaseTitle;
            c.AnalysisType = 0;
            addCaseDetails(opStudyId, c);
            if (!op.ok())
                return false;
            op.database().Execute(
                fmt::format("UPDATE tblDesignCase SET iCaseCopy={} WHERE iCaseId={}", n, iCaseID));
        } else {
            op.database().Execute(fmt::format(
                "UPDATE tblDesignCase SET iStudyId={} WHERE iCaseId={}", opStudyId, iCaseID));
        }
        getProjectDetails(strXML, opStudyId);
        if (!op.ok())
            return false;
        op.close();
        notifyChanged();
        return true;
    } catch (...) {
        op.fail();
        CloseDatabase();
        return false;
    }
}

bool cORVProject::DeleteStudy(int16_t StudyID, std::string& /*ErrorMessage*/) {
    ProjectOperation op(*this, "DeleteStudy");
    try {
        if (!runStatement(op, fmt::format("DELETE FROM tblStudy WHERE iStudyId = {}", StudyID)))
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
        if (!runStatement(
                op, fmt::format("DELETE FROM tblDesignCase WHERE iStudyId = {} AND iCaseId={}",
                                nStudyID, nCaseID)))
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
