#include "project/cDBoperations.h"

#include <fmt/format.h>

#include "common/ErrorRecord.h"
#include "common/ThreadState.h"
#include "project/ProjectFile.h"
#include "project/WriteTransaction.h"
#include "qvc/CalcStatus.h"
#include "qvc/dao/Database.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc {
namespace {

std::string num(long v) {
    return fmt::format("{}", v);
}

dao::Database& projectDb() {
    auto& db = threadState().gdbProject;
    if (!db)
        throw rt::Error(rt::err::kObjectNotSet, "Object variable or With block variable not set");
    return *db;
}

rt::Value textOrEmpty(const rt::Value& v) {
    return v.isNull() ? rt::Value("") : rt::Value(v.toText());
}

// Reads the rows of `sql` into arr(1..fields.size(), 0..n), the first field as
// text; returns false when there was no row (the array is then untouched).
bool readItems(const std::string& sql, const std::vector<const char*>& fields,
               rt::DynArray2<rt::Value>& arr) {
    auto rs = projectDb().OpenRecordset(sql);
    if (isEmptyResult(*rs)) {
        CloseRecordset(rs);
        return false;
    }
    long n = 0;
    long count = static_cast<long>(fields.size());
    while (!rs->eof()) {
        ++n;
        arr.redimPreserve(1, count, 0, n);
        for (long f = 1; f <= count; ++f) {
            rt::Value v = rs->field(fields[static_cast<size_t>(f - 1)]);
            arr(f, n) = f == 1 ? textOrEmpty(v) : v;
        }
        rs->MoveNext();
    }
    CloseRecordset(rs);
    return true;
}

}  // namespace

std::string cDBoperations::projectFile(const std::string& workPath) {
    return workPath + "/ORV30.mdb";
}

void cDBoperations::fail(const char* operation) {
    errorText_ = currentErrorRecord(std::string("#") + operation + "#cDBoperations #");
}

void cDBoperations::openDB() {
    errorText_.clear();
    if (WriteTransaction::active())
        return;  // reads go through the open transaction's connection
    try {
        auto& db = threadState().gdbProject;
        if (db)
            db->Close();
        db.reset();
        db = project::openProjectFile(projectFile(threadState().StrWorkPath), /*forWrite=*/false);
    } catch (...) {
        fail("openDB");
    }
}

void cDBoperations::closeDB() {
    errorText_.clear();
    if (WriteTransaction::active())
        return;  // the transaction closes the database when it ends
    try {
        auto& db = threadState().gdbProject;
        if (db) {
            db->Close();
            db.reset();
        }
    } catch (...) {
        fail("CloseDB");
    }
}

cDBoperations::RecordsetPtr cDBoperations::getStudyRecords(int16_t StudyID) {
    errorText_.clear();
    try {
        openDB();
        if (!errorText_.empty())
            return nullptr;
        return projectDb().OpenRecordset("SELECT * FROM tblStudy" +
                                         (" WHERE iStudyId =" + num(StudyID)));
    } catch (...) {
        fail("getStudyRecords");
        return nullptr;
    }
}

cDBoperations::RecordsetPtr cDBoperations::getProjectDetails(int16_t StudyID) {
    errorText_.clear();
    try {
        std::string sql =
            "SELECT a.iStudyId AS iStudyId, a.sStudyTitle AS sStudyTitle,"
            "a.nTypeOfAnalysis AS nTypeOfAnalysis, a.nTypeOfAlts AS nTypeOfAlts,"
            "a.sCurrSymbol AS sCurrSymbol,a.nLifecycle AS nLifecycle,"
            "b.iCaseId As iCaseId,b.sCaseTitle AS sCaseTitle,a.bCalcIncomeTaxes AS bCalcIncomeTaxes"
            " FROM tblStudy AS a LEFT JOIN tblDesignCase AS b ";
        if (StudyID != 0) {
            sql += " ON a.iStudyId = b.iStudyId";
            sql += " WHERE a.iStudyId=" + num(StudyID) + " ORDER BY b.iCaseId";
        } else {
            sql += " ON a.iStudyId = b.iStudyId ";
            sql += " ORDER BY a.iStudyId, b.iCaseId";
        }
        openDB();
        if (!errorText_.empty())
            return nullptr;
        return projectDb().OpenRecordset(sql);
    } catch (...) {
        fail("getProjectDetails");
        return nullptr;
    }
}

int16_t cDBoperations::getNoOfCopies(int32_t StudyID, int32_t CaseID) {
    errorText_.clear();
    int16_t copies = 0;
    RecordsetPtr rs;
    try {
        openDB();
        std::string sql =
            CaseID != 0 ? "SELECT iCaseCopy FROM tblDesignCase WHERE iStudyId = " + num(StudyID) +
                              " AND iCaseId = " + num(CaseID)
                        : "SELECT iStudyCopy FROM tblStudy WHERE iStudyId = " + num(StudyID);
        rs = projectDb().OpenRecordset(sql);
        // The copy counter is read whenever the set is at its beginning or not at its
        // end, so an empty set fails here with "no current record".
        if (rs->bof() || !rs->eof()) {
            copies = static_cast<int16_t>(rs->field(0).toInt16() + 1);
        }
    } catch (...) {
        fail("getNoOfCopies");
        copies = 0;
    }
    CloseRecordset(rs);
    CloseDatabase();
    return copies;
}

void cDBoperations::getCaseIDs(int16_t StudyID, rt::DynArray<int16_t>& lCaseIDArr) {
    errorText_.clear();
    RecordsetPtr rs;
    try {
        openDB();
        if (!errorText_.empty()) {
            CloseRecordset(rs);
            CloseDatabase();
            return;
        }
        rs = projectDb().OpenRecordset("SELECT iCaseId FROM tblDesignCase WHERE iStudyId= " +
                                       num(StudyID));
        if (!isEmptyResult(*rs)) {
            long i = 0;
            while (!rs->eof()) {
                ++i;
                lCaseIDArr.redimPreserve(0, i);
                lCaseIDArr(i) = rs->field("iCaseId").toInt16();
                rs->MoveNext();
            }
        } else {
            threadState().gErrCode = statusNumber(CalcStatus::NoDesignCase);
        }
    } catch (...) {
        fail("getCaseIDs");
    }
    CloseRecordset(rs);
    CloseDatabase();
}

void cDBoperations::getCaseRecords(int16_t StudyID, int16_t CaseID,
                                   rt::DynArray<std::string>& arrCaseGen,
                                   rt::DynArray2<rt::Value>& arrInvCosts,
                                   rt::DynArray2<rt::Value>& arrLoan,
                                   rt::DynArray2<rt::Value>& arrAnOpCost,
                                   rt::DynArray2<rt::Value>& arrOtherCost) {
    errorText_.clear();
    auto& status = threadState().arrCaseStatus;
    try {
        openDB();
        if (!errorText_.empty()) {
            CloseDatabase();
            return;
        }
        auto rs = projectDb().OpenRecordset("SELECT * FROM tblDesignCase " +
                                            (" WHERE istudyid = " + num(StudyID)) +
                                            " AND icaseID=" + num(CaseID));
        if (!isEmptyResult(*rs)) {
            arrCaseGen.redim(1, 3);
            arrCaseGen(1) = textOrEmpty(rs->field("sCaseTitle")).text();
            arrCaseGen(2) = textOrEmpty(rs->field("sCaseShortTitle")).text();
            arrCaseGen(3) = textOrEmpty(rs->field("sCaseDescription")).text();
        } else {
            status[0] = 303;
        }
        CloseRecordset(rs);

        const std::string caseId = num(CaseID);
        readItems(
            "SELECT * FROM tblInvestmentCost" + (" WHERE iCaseId=" + caseId) +
                " ORDER BY iInvestmentCostID",
            {"sInvItemName", "dInvCost", "nInvYear", "dInvEscRate", "bInvTaxExempt",
             "nInvDepMethod", "nInvDepLife", "nInvUsefulLife", "dInvSalvage", "iInvestmentCostID"},
            arrInvCosts);
        if (!readItems("SELECT * FROM tblLoanDetails" + (" WHERE iCaseId =" + caseId) +
                           " ORDER BY iLoanDetailsId",
                       {"sLoanItemName", "dInvStartYear", "nLoanYear", "dLoanPercent", "nLoanTerm",
                        "dLoanIntRate", "nLoanPayPlan", "iLoanDetailsId"},
                       arrLoan))
            status[2] = 305;
        if (!readItems("SELECT * FROM tblAnnualOPCost" + (" WHERE iCaseId =" + caseId) +
                           " ORDER BY iAnnualOpCostId",
                       {"sAnnOpCostName", "dAnnOpCost", "nAnnOpCostStartYear", "nAnnOpCostNumYears",
                        "dAnnOpCostEscRate", "iAnnualOpCostId"},
                       arrAnOpCost))
            status[3] = 306;
        if (!readItems(
                "SELECT * FROM tblOtherOPCost" + (" WHERE iCaseId =" + caseId) +
                    " ORDER BY iOtherOPCostId",
                {"sOtherOpCostName", "dOtherOpCost", "nOtherOpCostStartYear", "nOtherOpCostTimes",
                 "nOtherOpCostInterval", "dOtherOpCostEscRate", "iOtherOPCostId"},
                arrOtherCost))
            status[4] = 307;
        closeDB();
        CloseDatabase();
    } catch (...) {
        fail("getCaseRecords");
        CloseDatabase();
    }
}

void CloseRecordset(std::unique_ptr<dao::Recordset>& rs) {
    try {
        if (rs)
            rs->Close();
    } catch (...) {
    }
    rs.reset();
}

void CloseDatabase() {
    if (WriteTransaction::active())
        return;
    auto& db = threadState().gdbProject;
    try {
        if (db)
            db->Close();
    } catch (...) {
    }
    db.reset();
}

bool isEmptyResult(const dao::Recordset& rs) {
    return rs.bof() && rs.eof();
}

}  // namespace qvc
