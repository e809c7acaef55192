#include <gtest/gtest.h>

#include "ProjectFixture.h"
#include "project/cDBoperations.h"

namespace qvc {
namespace {

using rt::Value;

class CaseOperations : public test::ProjectFixture {
  protected:
    void SetUp() override {
        ProjectFixture::SetUp();
        prj.addStudyDetails(sampleStudy());
    }

    // Every row of every list filled with values derived from its index.
    static cDesignCase fullCase() {
        cDesignCase c;
        c.CaseTitle = "Full";
        c.CaseDes = "All rows";
        for (int16_t i = 1; i <= 20; ++i) {
            c.setInvItemName(i, "Inv " + std::to_string(i));
            c.setInvCost(i, 1000.0 * i + 0.25);
            c.setInvYear(i, static_cast<int16_t>(i % 5));
            c.setInvEscRate(i, 0.5 * i);
            c.setInvTaxExempt(i, i % 2 == 0);
            c.setInvDepMethod(i, static_cast<int16_t>(i % 6));
            c.setInvDepLife(i, static_cast<int16_t>(i + 1));
            c.setInvUsefulLife(i, static_cast<int16_t>(i + 2));
            c.setSalvageValue(i, 10.0 * i);
            c.setAnnOpCostName(i, "Ann " + std::to_string(i));
            c.setAnnOpCost(i, 100.0 * i);
            c.setAnnOpCostStartYear(i, static_cast<int16_t>(i % 3));
            c.setAnnOpCostNumYears(i, static_cast<int16_t>(i));
            c.setAnnOpCostEscRate(i, 2.0);
            c.setOtherOpCostName(i, "Oth " + std::to_string(i));
            c.setOtherOpCost(i, 50.0 * i);
            c.setOtherOpCostStartYear(i, 2);
            c.setOtherOpCostTimes(i, 3);
            c.setOtherOpCostInterval(i, static_cast<int16_t>(i));
            c.setOtherOpCostEscRate(i, 1.5);
        }
        for (int16_t i = 1; i <= 5; ++i) {
            c.setLoanItemName(i, "Loan " + std::to_string(i));
            c.setLoanYear(i, static_cast<int16_t>(i - 1));
            c.setLoanPercent(i, 10.0 * i);
            c.setLoanTerm(i, static_cast<int16_t>(5 + i));
            c.setLoanIntRate(i, 4.5);
            c.setLoanPayPlan(i, static_cast<int16_t>(i % 3));
            c.setLoanTotlaInvest(i, 5000.0 * i);
        }
        return c;
    }

    struct Counts {
        int inv, loan, ann, other;
        bool operator==(const Counts&) const = default;
    };
    Counts stored(int caseId) {
        const std::string w = "iCaseId = " + std::to_string(caseId);
        return {count("tblInvestmentCost", w), count("tblLoanDetails", w),
                count("tblAnnualOPCost", w), count("tblOtherOPCost", w)};
    }
};

TEST_F(CaseOperations, FullCaseRoundTripsAndUpdatesByKey) {
    cDesignCase in = fullCase();
    prj.addCaseDetails(1, in);
    ASSERT_EQ(prj.getErrorMsg(), "");
    const int16_t caseId = prj.GetMaxCaseID();
    EXPECT_EQ(stored(caseId), (Counts{20, 5, 20, 20}));
    cDesignCase out = read(1, caseId);
    for (int16_t i = 1; i <= 20; ++i) {
        EXPECT_EQ(test::investmentRow(out, i), test::investmentRow(in, i));
        EXPECT_EQ(test::annualRow(out, i), test::annualRow(in, i));
        EXPECT_EQ(test::otherRow(out, i), test::otherRow(in, i));
        EXPECT_EQ(out.InvItemPK(i), i);
        EXPECT_EQ(out.OtherItemPK(i), i);
    }
    for (int16_t i = 1; i <= 5; ++i)
        EXPECT_EQ(test::loanRow(out, i), test::loanRow(in, i));
    EXPECT_EQ(out.LoanItemPK(5), 5);
    EXPECT_FALSE(IsArrayDimensioned(threadState().arrInvCosts)) << "shared arrays erased after use";
    // One update clears investment 2 and annual row 20 (deleted) and changes investment 3.
    out.setInvItemName(2, "");
    out.setInvCost(2, 0.0);
    out.setInvCost(3, 7777.0);
    out.setAnnOpCostName(20, "  ");
    out.setAnnOpCost(20, 0.0);
    out.CaseTitle = "Full (revised)";
    execute("UPDATE tblDesignCase SET iCaseCopy = 4");
    prj.updateCaseDetails(1, caseId, out);
    ASSERT_EQ(prj.getErrorMsg(), "");
    EXPECT_EQ(stored(caseId), (Counts{19, 5, 19, 20}));
    EXPECT_EQ(
        scalar("SELECT dInvCost FROM tblInvestmentCost WHERE iInvestmentCostId = 3").toDouble(),
        7777.0);
    EXPECT_EQ(count("tblInvestmentCost", "iInvestmentCostId = 2"), 0);
    EXPECT_EQ(scalar("SELECT sCaseTitle FROM tblDesignCase").toText(), "Full (revised)");
    EXPECT_EQ(scalar("SELECT iCaseCopy FROM tblDesignCase").toInt32(), 0);
    prj.updateCaseDetails(1, 55, out);  // no such case: nothing, no error
    EXPECT_EQ(prj.getErrorMsg(), "");
}

TEST_F(CaseOperations, RowLimitsFollowTheCaseAnalysisType) {
    const std::pair<int16_t, Counts> expected[] = {
        {0, {20, 5, 20, 20}}, {1, {20, 5, 20, 20}}, {2, {1, 1, 2, 0}}, {3, {1, 1, 2, 0}},
        {7, {0, 0, 0, 0}},    {-1, {0, 0, 0, 0}},   {10, {0, 0, 0, 0}}};
    for (const auto& [type, rows] : expected) {
        cDesignCase c = fullCase();
        c.AnalysisType = type;
        prj.addCaseDetails(1, c);
        const int16_t id = prj.GetMaxCaseID();
        EXPECT_EQ(stored(id), rows) << "type " << type;
        EXPECT_EQ(count("tblDesignCase", "iCaseId = " + std::to_string(id)), 1);
    }
}

TEST_F(CaseOperations, NameOrAmountDecidesWhichRowsAreStored) {
    cDesignCase c;
    c.setInvItemName(1, "Name only");  // stored for type 0, not for type 2
    c.setInvItemName(2, "   ");        // blanks and no amount: empty
    c.setInvCost(3, -250.0);           // amount only: stored
    c.setAnnOpCostName(1, "Energy");
    c.setAnnOpCost(2, 40.0);
    prj.addCaseDetails(1, c);
    EXPECT_EQ(stored(prj.GetMaxCaseID()), (Counts{2, 0, 2, 0}));
    c.AnalysisType = 2;
    c.setInvCost(1, 0.0);
    prj.addCaseDetails(1, c);
    // Type 2 looks at investment row 1 only (amount 0) and annual rows 1-2 by amount.
    EXPECT_EQ(stored(prj.GetMaxCaseID()), (Counts{0, 0, 1, 0}));
}

TEST_F(CaseOperations, LoanListEndsAtItsFirstEmptyRowOnlyWhenAdding) {
    cDesignCase c;
    c.setLoanItemName(1, "Bank");
    c.setLoanPercent(1, 80.0);
    c.setLoanItemName(3, "Utility");
    c.setLoanPercent(3, 20.0);
    prj.addCaseDetails(1, c);
    EXPECT_EQ(stored(prj.GetMaxCaseID()).loan, 1);
    int16_t id = 0;
    std::string title;
    c.CaseTitle = "  Building A  west ";
    prj.addCaseDetailsWEX(1, c, id, title);
    EXPECT_EQ(stored(id).loan, 2);
    EXPECT_EQ(id, prj.GetMaxCaseID());
    EXPECT_EQ(title, "Building A  west");
    prj.updateCaseDetails(1, 1, c);  // keys 0: both filled rows added
    EXPECT_EQ(stored(1).loan, 3);
}

TEST_F(CaseOperations, ImportedSimpleCasesStoreTheNextOtherRowAndFailWhole) {
    // For each named other cost a simple-payback import stores the next row's values.
    int16_t id = 0;
    std::string title;
    cDesignCase simple;
    simple.AnalysisType = 2;
    simple.setOtherOpCostName(1, "trigger");
    simple.setOtherOpCostName(2, "Overhaul 2");
    simple.setOtherOpCost(2, 300.0);
    simple.setOtherOpCostName(4, "Late");  // stores row 5 (empty values)
    prj.addCaseDetailsWEX(1, simple, id, title);
    EXPECT_EQ(stored(id).other, 2);
    EXPECT_EQ(read(1, id).OtherOpCostName(1), "Overhaul 2");
    // The advance past row 20 fails the read; the failed import leaves no case behind.
    cDesignCase edge;
    edge.AnalysisType = 3;
    edge.setOtherOpCostName(20, "last");
    prj.addCaseDetailsWEX(1, edge, id, title);
    EXPECT_EQ(prj.getErrorMsg(), "9#Subscript out of range#addCaseDetailsWEX#cORVProject#");
    EXPECT_EQ(count("tblOtherOPCost"), 2);
    EXPECT_EQ(count("tblDesignCase"), 1);
}

TEST_F(CaseOperations, CaseRecordsGiveBoundsAndStatusAndReadsRefuseValuesThatDoNotFit) {
    cDesignCase c;
    c.CaseTitle = "Case 1";
    prj.addCaseDetails(1, c);
    execute(
        "INSERT INTO tblInvestmentCost (iCaseId, sInvItemName, dInvCost) VALUES (1, NULL, NULL),"
        " (1, 'Chiller', 5000); INSERT INTO tblAnnualOPCost (iCaseId, sAnnOpCostName) "
        "VALUES (1, 'Energy'); UPDATE tblDesignCase SET sCaseDescription = NULL");
    ThreadState& s = threadState();
    cDBoperations ops;
    ops.getCaseRecords(1, 1, s.arrCaseGen, s.arrInvCosts, s.arrLoan, s.arrAnOpCost, s.arrOtherCost);
    EXPECT_EQ(s.arrInvCosts.ubound(2), 2);
    EXPECT_EQ(s.arrInvCosts(1, 1), Value(""));  // a Null name becomes ""
    EXPECT_TRUE(s.arrInvCosts(2, 1).isNull());  // a Null amount stays Null
    EXPECT_EQ(s.arrInvCosts(2, 2), Value(5000.0));
    EXPECT_FALSE(IsArrayDimensioned(s.arrLoan));
    EXPECT_EQ(s.arrCaseStatus, (std::array<int16_t, 5>{0, 0, 305, 0, 307}));
    // The component's own read refuses stored values that do not fit.
    prj.getCaseDetails(1, 1, c);
    EXPECT_EQ(prj.getErrorMsg(), "94#Invalid use of Null#getCaseDetails#cORVProject#");
    execute("UPDATE tblInvestmentCost SET dInvCost = 1, nInvYear = 40000");
    prj.getCaseDetails(1, 1, c);
    EXPECT_EQ(prj.getErrorMsg(), "6#Overflow#getCaseDetails#cORVProject#");
}

}  // namespace
}  // namespace qvc
