// Study operations and counting queries of cORVProject.

#include "common/ThreadState.h"

#include <fmt/format.h>
#include "project/ProjectOperation.h"
#include "project/cDBoperations.h"
#include "qvc/cORVProject.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc {
namespace {

using rt::Value;

void writeStudy(dao::Recordset& rs, const cStudy& s) {
    rs.setField("sStudyTitle", Value(s.StudyTitle));
    rs.setField("sStudyDescription", Value(s.StudyDescription));
    rs.setField("nTypeOfAnalysis", Value(s.TypeOfAnalysis));
    rs.setField("nTypeOfAlts", Value(s.TypeOfAlternative));
    rs.setField("nBaseYear", Value(s.BaseYear));
    rs.setField("sCurrSymbol", Value(s.CurSymbol));
    rs.setField("nLifecycle", Value(s.Lifecycle));
    rs.setField("dDiscountRate", Value(s.DiscountRate));
    rs.setField("bCalcIncomeTaxes", Value(s.CalcIncomeTaxes));
    rs.setField("dIncomeTaxRate", Value(s.IncomeTaxes));
    rs.setField("iStudyCopy", Value(int16_t{0}));
    rs.setField("bStudyArchive", Value(false));
}

std::string textOf(const Value& v) {
    return v.isNull() ? std::string() : v.toText();
}

}  // namespace

void cORVProject::addStudyDetails(const cStudy& oStudyDetails) {
    ProjectOperation op(*this, "addStudyDetails");
    try {
        if (!op.openForWrite())
            return;
        auto rs = op.database().OpenRecordset("SELECT * FROM tblStudy WHERE 0 = 1");
        rs->AddNew();
        writeStudy(*rs, oStudyDetails);
        rs->Update();
        const int32_t studyId = static_cast<int32_t>(rs->LastInsertedKey());
        CloseRecordset(rs);
        op.close();
        m_lastAddedStudyID = studyId;
        if (op.ok())
            notifyChanged();
    } catch (...) {
        op.fail();
        CloseDatabase();
    }
}

void cORVProject::getStudyDetails(int16_t intStudyId, cStudy& objStudy) {
    ProjectOperation op(*this, "getStudyDetails");
    try {
        auto rs = op.db().getStudyRecords(intStudyId);
        if (!rs) {
            // The database could not be opened or read: its own record says why.
            op.errorText() = op.db().ErrorText();
            CloseDatabase();
            return;
        }
        if (!isEmptyResult(*rs)) {
            cStudy s = objStudy;
            s.StudyTitle = textOf(rs->field("sStudyTitle"));
            s.StudyDescription = textOf(rs->field("sStudyDescription"));
            s.TypeOfAnalysis = rs->field("nTypeOfAnalysis").toInt16();
            s.TypeOfAlternative = rs->field("nTypeOfAlts").toInt16();
            s.BaseYear = rs->field("nBaseYear").toInt16();
            s.CurSymbol = textOf(rs->field("sCurrSymbol"));
            s.Lifecycle = rs->field("nLifecycle").toInt16();
            s.DiscountRate = rs->field("dDiscountRate").toDouble();
            s.CalcIncomeTaxes = rs->field("bCalcIncomeTaxes").toBool();
            s.IncomeTaxes = rs->field("dIncomeTaxRate").toDouble();
            objStudy = std::move(s);
        }
        CloseRecordset(rs);
        op.close();
    } catch (...) {
        op.fail();
        CloseDatabase();
    }
}

void cORVProject::updateStudyDetails(int32_t lStudyID, const cStudy& objStudy) {
    ProjectOperation op(*this, "updateStudyDetails");
    std::unique_ptr<dao::Recordset> rs;
    try {
        if (!op.openForWrite())
            return;
        rs = op.database().OpenRecordset(
            fmt::format("SELECT * FROM tblStudy WHERE iStudyId={}", lStudyID));
        if (!rs->eof()) {
            rs->Edit();
            writeStudy(*rs, objStudy);
            rs->Update();
            CloseRecordset(rs);
            op.close();
            if (op.ok())
                notifyChanged();
        } else {
            CloseRecordset(rs);
            op.close();  // no such study: nothing to write
        }
    } catch (...) {
        op.fail();
    }
    CloseRecordset(rs);
    CloseDatabase();
}

namespace {

// Column 0 of the first row as a 16-bit number, `whenEmpty` for no row or Null.
int16_t readCount(ProjectOperation& op, const std::string& sql, int16_t whenNull) {
    int16_t result = 0;
    try {
        if (!op.open())
            return 0;
        auto rs = op.database().OpenRecordset(sql);
        if (!isEmptyResult(*rs)) {
            Value v = rs->field(0);
            result = v.isNull() ? whenNull : v.toInt16();
        }
        rs.reset();
        op.close();
    } catch (...) {
        op.fail();
        CloseDatabase();
        result = 0;
    }
    return result;
}

}  // namespace

int16_t cORVProject::chkMaxStudyAndCase(int16_t StudyID) {
    ProjectOperation op(*this, "chkMaxStudyAndCase");
    std::string sql =
        StudyID != 0 ? fmt::format("select Count(*) from tblDesignCase where istudyid={}", StudyID)
                     : std::string("select Count(*) from tblStudy");
    return readCount(op, sql, 0);
}

bool cORVProject::StudyExists(int16_t StudyID) {
    ProjectOperation op(*this, "StudyExists");
    return readCount(op, fmt::format("select count(*) from tblStudy where istudyid={}", StudyID),
                     0) > 0;
}

bool cORVProject::CaseExists(int16_t StudyID, int16_t CaseID) {
    ProjectOperation op(*this, "CaseExists");
    return readCount(
               op,
               fmt::format("select count(*) from tblDesignCase where istudyid={} and icaseid={}",
                           StudyID, CaseID),
               0) > 0;
}

int16_t cORVProject::GetMaxCaseID() {
    ProjectOperation op(*this, "GetMaxCaseID");
    return readCount(op, "select max(icaseid) from tblDesignCase", 1);
}

int16_t cORVProject::GetMaxStudyID() {
    ProjectOperation op(*this, "GetMaxStudyID");
    return readCount(op, "select max(istudyid) as iStId from tblStudy", 1);
}

}  // namespace qvc
