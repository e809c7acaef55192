#include <gtest/gtest.h>

#include "ProjectFixture.h"
#include "project/cDBoperations.h"

namespace qvc {
namespace {

using rt::Value;

class DBoperations : public test::ProjectFixture {
  protected:
    void addStudyWithCases(int cases) {
        prj.addStudyDetails(sampleStudy());
        for (int k = 1; k <= cases; ++k) {
            cDesignCase c;
            c.CaseTitle = "Case " + std::to_string(k);
            prj.addCaseDetails(prj.GetMaxStudyID(), c);
        }
        ASSERT_EQ(prj.getErrorMsg(), "");
    }
    cDBoperations ops;
    ThreadState& state = threadState();
};

TEST_F(DBoperations, ProjectDetailsListsEveryStudyWithItsCasesInKeyOrder) {
    addStudyWithCases(2);
    addStudyWithCases(0);
    auto rs = ops.getProjectDetails(0);
    ASSERT_TRUE(rs);
    std::vector<std::pair<int, std::string>> rows;
    for (; !rs->eof(); rs->MoveNext())
        rows.emplace_back(rs->field("iStudyId").toInt32(),
                          rs->field("iCaseId").isNull() ? "-" : rs->field("sCaseTitle").toText());
    CloseDatabase();
    EXPECT_EQ(rows,
              (std::vector<std::pair<int, std::string>>{{1, "Case 1"}, {1, "Case 2"}, {2, "-"}}));
    auto none = ops.getProjectDetails(9);
    EXPECT_TRUE(none->bof() && none->eof());
    CloseDatabase();
}

TEST_F(DBoperations, CaseIdsFillFromOneAndLeaveTheArrayAloneForAStudyWithoutCases) {
    addStudyWithCases(3);
    addStudyWithCases(0);
    ops.getCaseIDs(1, state.lCaseIDArr);
    ASSERT_TRUE(IsArrayDimensioned(state.lCaseIDArr));
    EXPECT_EQ(state.lCaseIDArr.lbound(), 0);
    EXPECT_EQ(state.lCaseIDArr.ubound(), 3);
    EXPECT_EQ(state.lCaseIDArr(0), 0);
    EXPECT_EQ(state.lCaseIDArr(1), 1);
    EXPECT_EQ(state.lCaseIDArr(3), 3);
    EXPECT_EQ(state.gErrCode, 0);

    ops.getCaseIDs(2, state.lCaseIDArr);
    EXPECT_EQ(state.gErrCode, 302);
    EXPECT_EQ(state.lCaseIDArr.ubound(), 3);
    EXPECT_EQ(ops.ErrorText(), "");
    EXPECT_EQ(state.gdbProject, nullptr);
}

TEST_F(DBoperations, CaseRecordsGiveBoundsPerListAndStatusForEmptyLists) {
    addStudyWithCases(1);
    execute(
        "INSERT INTO tblInvestmentCost (iCaseId, sInvItemName, dInvCost) VALUES (1, NULL, "
        "NULL);"
        "INSERT INTO tblInvestmentCost (iCaseId, sInvItemName, dInvCost) VALUES (1, 'Chiller', "
        "5000);"
        "INSERT INTO tblAnnualOPCost (iCaseId, sAnnOpCostName) VALUES (1, 'Energy');"
        "UPDATE tblDesignCase SET sCaseDescription = NULL");
    ops.getCaseRecords(1, 1, state.arrCaseGen, state.arrInvCosts, state.arrLoan, state.arrAnOpCost,
                       state.arrOtherCost);
    EXPECT_EQ(ops.ErrorText(), "");
    EXPECT_EQ(state.arrCaseGen(1), "Case 1");
    EXPECT_EQ(state.arrCaseGen(3), "");
    EXPECT_EQ(state.arrInvCosts.lbound(1), 1);
    EXPECT_EQ(state.arrInvCosts.ubound(1), 10);
    EXPECT_EQ(state.arrInvCosts.lbound(2), 0);
    EXPECT_EQ(state.arrInvCosts.ubound(2), 2);
    EXPECT_EQ(state.arrInvCosts(1, 1), Value(""));  // a Null name becomes ""
    EXPECT_TRUE(state.arrInvCosts(2, 1).isNull());  // a Null amount stays Null
    EXPECT_EQ(state.arrInvCosts(2, 2), Value(5000.0));
    EXPECT_EQ(state.arrInvCosts(10, 2), Value(int32_t{2}));
    EXPECT_TRUE(state.arrInvCosts(1, 0).isEmpty());
    EXPECT_FALSE(IsArrayDimensioned(state.arrLoan));
    EXPECT_FALSE(IsArrayDimensioned(state.arrOtherCost));
    EXPECT_EQ(state.arrCaseStatus, (std::array<int16_t, 5>{0, 0, 305, 0, 307}));
    EXPECT_EQ(state.gdbProject, nullptr);

    state.arrCaseStatus = {};
    ops.getCaseRecords(1, 99, state.arrCaseGen, state.arrInvCosts, state.arrLoan, state.arrAnOpCost,
                       state.arrOtherCost);
    EXPECT_EQ(state.arrCaseStatus[0], 303);
    EXPECT_EQ(state.arrCaseGen(1), "Case 1");  // left as it was
}

TEST_F(DBoperations, CopyCounterIsReadPlusOneAndAMissingRowFails) {
    addStudyWithCases(1);
    execute("UPDATE tblStudy SET iStudyCopy = 2; UPDATE tblDesignCase SET iCaseCopy = 4");
    EXPECT_EQ(ops.getNoOfCopies(1, 0), 3);
    EXPECT_EQ(ops.getNoOfCopies(1, 1), 5);
    EXPECT_EQ(ops.getNoOfCopies(7, 0), 0);
    EXPECT_EQ(ops.ErrorText(), "3021#No current record#getNoOfCopies#cDBoperations #");
    EXPECT_EQ(state.gdbProject, nullptr);
}

TEST_F(DBoperations, MissingDatabaseGivesTheOpenRecordEverywhere) {
    prj.setWorkPath((dir / "elsewhere").string(), "", "");
    const std::string file = (dir / "elsewhere" / "ORV30.mdb").string();
    const std::string record = "3024#Could not find file '" + file + "'#openDB#cDBoperations #";
    EXPECT_EQ(ops.getStudyRecords(1), nullptr);
    EXPECT_EQ(ops.ErrorText(), record);
    EXPECT_EQ(ops.getProjectDetails(0), nullptr);
    EXPECT_EQ(ops.ErrorText(), record);
    EXPECT_EQ(ops.getNoOfCopies(1, 0), 0);
    state.lCaseIDArr.redim(0, 1);
    ops.getCaseIDs(1, state.lCaseIDArr);
    EXPECT_EQ(ops.ErrorText(), record);
    EXPECT_EQ(state.lCaseIDArr.ubound(), 1);
    ops.getCaseRecords(1, 1, state.arrCaseGen, state.arrInvCosts, state.arrLoan, state.arrAnOpCost,
                       state.arrOtherCost);
    EXPECT_EQ(ops.ErrorText(), record);
    EXPECT_FALSE(std::filesystem::exists(file));
    ops.closeDB();
    EXPECT_EQ(ops.ErrorText(), "");
}

}  // namespace
}  // namespace qvc
