#include "project/ProjectSchema.h"

#include "project/ProjectFile.h"
#include "qvc/dao/Database.h"

namespace qvc::project {

namespace {

// Column types: SHORT 16-bit, LONG 32-bit, DOUBLE, YESNO (stored -1/0), TEXT.
// Keys are numbered by the database and never reused (AUTOINCREMENT), as the
// host remembers study and case IDs between sessions. Every item table is
// indexed by the case that owns it.

// The studies and their design cases.
constexpr const char* kStudyTables = R"SQL(CREATE TABLE tblStudy (
  iStudyId INTEGER PRIMARY KEY AUTOINCREMENT,
  sStudyTitle TEXT,
  sStudyDescription TEXT,
  nTypeOfAnalysis SHORT,
  nTypeOfAlts SHORT,
  nBaseYear SHORT,
  sCurrSymbol TEXT,
  nLifecycle SHORT,
  dDiscountRate DOUBLE,
  bCalcIncomeTaxes YESNO,
  dIncomeTaxRate DOUBLE,
  iStudyCopy SHORT,
  bStudyArchive YESNO
);
CREATE TABLE tblDesignCase (
  iCaseId INTEGER PRIMARY KEY AUTOINCREMENT,
  iStudyId LONG,
  sCaseTitle TEXT,
  sCaseShortTitle TEXT,
  sCaseDescription TEXT,
  iCaseCopy SHORT,
  bCaseArchive YESNO
);
CREATE INDEX idxDesignCaseStudy ON tblDesignCase (iStudyId);
)SQL";

// The investment items of a case and the loans that finance them.
constexpr const char* kInvestmentTables = R"SQL(CREATE TABLE tblInvestmentCost (
  iInvestmentCostId INTEGER PRIMARY KEY AUTOINCREMENT,
  iCaseId LONG,
  sInvItemName TEXT,
  dInvCost DOUBLE,
  nInvYear SHORT,
  dInvEscRate DOUBLE,
  bInvTaxExempt YESNO,
  nInvDepMethod SHORT,
  nInvDepLife SHORT,
  nInvUsefulLife SHORT,
  dInvSalvage DOUBLE
);
CREATE INDEX idxInvestmentCostCase ON tblInvestmentCost (iCaseId);
CREATE TABLE tblLoanDetails (
  iLoanDetailsId INTEGER PRIMARY KEY AUTOINCREMENT,
  iCaseId LONG,
  sLoanItemName TEXT,
  dInvStartYear DOUBLE,
  nLoanYear SHORT,
  dLoanPercent DOUBLE,
  nLoanTerm SHORT,
  dLoanIntRate DOUBLE,
  nLoanPayPlan SHORT
);
CREATE INDEX idxLoanDetailsCase ON tblLoanDetails (iCaseId);
)SQL";

// The annual and the other (non-annual) operating costs of a case.
constexpr const char* kOperatingCostTables = R"SQL(CREATE TABLE tblAnnualOPCost (
  iAnnualOpCostId INTEGER PRIMARY KEY AUTOINCREMENT,
  iCaseId LONG,
  sAnnOpCostName TEXT,
  dAnnOpCost DOUBLE,
  nAnnOpCostStartYear SHORT,
  nAnnOpCostNumYears SHORT,
  dAnnOpCostEscRate DOUBLE
);
CREATE INDEX idxAnnualOPCostCase ON tblAnnualOPCost (iCaseId);
CREATE TABLE tblOtherOPCost (
  iOtherOpCostId INTEGER PRIMARY KEY AUTOINCREMENT,
  iCaseId LONG,
  sOtherOpCostName TEXT,
  dOtherOpCost DOUBLE,
  nOtherOpCostStartYear SHORT,
  nOtherOpCostTimes SHORT,
  nOtherOpCostInterval SHORT,
  dOtherOpCostEscRate DOUBLE
);
CREATE INDEX idxOtherOPCostCase ON tblOtherOPCost (iCaseId);
)SQL";

// Deleting a study removes its cases, and deleting a case removes its items:
// rows that no study or case owns any more could never be reached again.
constexpr const char* kCascadingDeletes =
    R"SQL(CREATE TRIGGER trgStudyDeleteCases AFTER DELETE ON tblStudy BEGIN
  DELETE FROM tblDesignCase WHERE iStudyId = OLD.iStudyId;
END;
CREATE TRIGGER trgCaseDeleteItems AFTER DELETE ON tblDesignCase BEGIN
  DELETE FROM tblInvestmentCost WHERE iCaseId = OLD.iCaseId;
  DELETE FROM tblLoanDetails WHERE iCaseId = OLD.iCaseId;
  DELETE FROM tblAnnualOPCost WHERE iCaseId = OLD.iCaseId;
  DELETE FROM tblOtherOPCost WHERE iCaseId = OLD.iCaseId;
END;
)SQL";

}  // namespace

const std::string& projectSchemaSql() {
    static const std::string sql =
        std::string(kStudyTables) + kInvestmentTables + kOperatingCostTables + kCascadingDeletes;
    return sql;
}

void createProjectDatabase(const std::string& path) {
    auto db = dao::Database::Create(path);
    db->Execute("BEGIN;" + projectSchemaSql() + "COMMIT;");
    markProjectFile(*db);
    db->Close();
}

}  // namespace qvc::project
