#include <gtest/gtest.h>

#include "DaoTestSupport.h"
#include "project/ProjectSchema.h"
#include "qvc/dao/Database.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::project {
namespace {

TEST(ProjectSchema, IsNeverWrittenOverAndDeletingAStudyRemovesItsCasesAndItems) {
    auto file = test::freshDir("schema") / "ORV30.mdb";
    createProjectDatabase(file.string());
    EXPECT_EQ(test::errorNumberOf([&] { createProjectDatabase(file.string()); }),
              rt::err::kFileAlreadyExists);
    auto db = dao::Database::Open(file.string());
    db->Execute(
        "INSERT INTO tblStudy (sStudyTitle) VALUES ('A'), ('B');"
        "INSERT INTO tblDesignCase (iStudyId, sCaseTitle) VALUES (1, 'a1'), (2, 'b1');"
        "INSERT INTO tblInvestmentCost (iCaseId) VALUES (1), (2);"
        "INSERT INTO tblLoanDetails (iCaseId) VALUES (1);"
        "INSERT INTO tblAnnualOPCost (iCaseId) VALUES (1);"
        "INSERT INTO tblOtherOPCost (iCaseId) VALUES (1), (2);");
    db->Execute("DELETE FROM tblStudy WHERE iStudyId = 1");
    // What is left: study 2's case and its rows, each table keyed by an autonumber.
    const std::pair<const char*, int> left[] = {{"tblStudy", 1},          {"tblDesignCase", 1},
                                                {"tblInvestmentCost", 1}, {"tblLoanDetails", 0},
                                                {"tblAnnualOPCost", 0},   {"tblOtherOPCost", 1}};
    for (const auto& [table, rows] : left) {
        auto rs = db->OpenRecordset(std::string("SELECT * FROM ") + table);
        EXPECT_EQ(rs->RecordCount(), rows) << table;
        EXPECT_TRUE(rs->columns().front().autoNumber) << table;
    }
}

}  // namespace
}  // namespace qvc::project
