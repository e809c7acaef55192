#include <gtest/gtest.h>

#include "DaoTestSupport.h"
#include "project/ProjectSchema.h"
#include "qvc/dao/Database.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::project {
namespace {

using rt::Value;
using rt::ValueType;

TEST(ProjectSchema, EmptyProjectHasEveryTableWithTypedColumns) {
    auto file = test::freshDir("schema") / "ORV30.mdb";
    createProjectDatabase(file.string());
    EXPECT_EQ(test::errorNumberOf([&] { createProjectDatabase(file.string()); }),
              rt::err::kFileAlreadyExists);
    auto db = dao::Database::Open(file.string());
    for (const char* table : {"tblStudy", "tblDesignCase", "tblInvestmentCost", "tblLoanDetails",
                              "tblAnnualOPCost", "tblOtherOPCost"}) {
        auto rs = db->OpenRecordset(std::string("SELECT * FROM ") + table + " WHERE 0 = 1");
        EXPECT_TRUE(rs->bof() && rs->eof()) << table;
        EXPECT_TRUE(rs->columns().front().autoNumber) << table;
    }
    auto rs = db->OpenRecordset("SELECT * FROM tblStudy WHERE 0 = 1");
    rs->AddNew();
    rs->setField("sStudyTitle", Value("Office"));
    rs->setField("nTypeOfAnalysis", Value(int16_t{1}));
    rs->setField("dDiscountRate", Value(3.5));
    rs->setField("bCalcIncomeTaxes", Value(false));
    rs->Update();
    auto back = db->OpenRecordset("SELECT * FROM tblStudy WHERE iStudyId =1");
    EXPECT_EQ(back->field("nTypeOfAnalysis").type(), ValueType::Int16);
    EXPECT_EQ(back->field("dDiscountRate"), Value(3.5));
    EXPECT_EQ(back->field("bCalcIncomeTaxes"), Value(false));
    EXPECT_EQ(back->field("iStudyCopy").type(), ValueType::Null);
}

TEST(ProjectSchema, DeletingAStudyRemovesItsCasesAndTheirItems) {
    auto file = test::freshDir("cascade") / "ORV30.mdb";
    createProjectDatabase(file.string());
    auto db = dao::Database::Open(file.string());
    db->Execute(
        "INSERT INTO tblStudy (sStudyTitle) VALUES ('A'), ('B');"
        "INSERT INTO tblDesignCase (iStudyId, sCaseTitle) VALUES (1, 'a1'), (2, 'b1');"
        "INSERT INTO tblInvestmentCost (iCaseId) VALUES (1), (2);"
        "INSERT INTO tblLoanDetails (iCaseId) VALUES (1);"
        "INSERT INTO tblAnnualOPCost (iCaseId) VALUES (1);"
        "INSERT INTO tblOtherOPCost (iCaseId) VALUES (1), (2);");
    db->Execute("DELETE FROM tblStudy WHERE iStudyId = 1");
    auto count = [&](const char* sql) { return db->OpenRecordset(sql)->field(0).toInt32(); };
    EXPECT_EQ(count("SELECT count(*) FROM tblDesignCase"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM tblInvestmentCost WHERE iCaseId = 2"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM tblInvestmentCost"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM tblLoanDetails"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM tblAnnualOPCost"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM tblOtherOPCost"), 1);
}

}  // namespace
}  // namespace qvc::project
