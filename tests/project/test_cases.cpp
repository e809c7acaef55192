#include <gtest/gtest.h>

#include "ProjectFixture.h"
#include "project/cDBoperations.h"

namespace qvc {
namespace {

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
        c.CaseShortTitle = "F";
        c.CaseDes = "All rows";
        for (int16_t i = 1; i <= 20; ++i) {
            c.setInvItemName(i, "Inv " + std::to_string(i));
            c.setInvCost(i, 1000.0 * i + 0.25);
            c.setInvYear(i, static_cast<int16_t>(i % 5));
            c.setInvEscRate(i, 0.5 * i);
            c.setInvTaxExempt(i, i % 2 == 0);
            c.setSalvageValue(i, 10.0 * i);
            c.setInvDepMethod(i, static_cast<int16_t>(i % 6));
            c.setInvDepLife(i, static_cast<int16_t>(i + 1));
            c.setInvUsefulLife(i, static_cast<int16_t>(i + 2));
            c.setAnnOpCostName(i, "Ann " + std::to_string(i));
            c.setAnnOpCost(i, 100.0 * i);
            c.setAnnOpCostStartYear(i, 1);
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
            c.setLoanYear(i, 0);
            c.setLoanTotlaInvest(i, 5000.0 * i);
            c.setLoanPercent(i, 10.0 * i);
            c.setLoanTerm(i, static_cast<int16_t>(5 + i));
            c.setLoanIntRate(i, 4.5);
            c.setLoanPayPlan(i, static_cast<int16_t>(i % 3));
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

    cDesignCase out;
    prj.getCaseDetails(1, caseId, out);
    ASSERT_EQ(prj.getErrorMsg(), "");
    EXPECT_EQ(out.CaseTitle, "Full");
    EXPECT_EQ(out.CaseDes, "All rows");
    for (int16_t i = 1; i <= 20; ++i) {
        EXPECT_EQ(out.InvItemName(i), in.InvItemName(i));
        EXPECT_EQ(out.InvCost(i), in.InvCost(i));
        EXPECT_EQ(out.InvYear(i), in.InvYear(i));
        EXPECT_EQ(out.InvTaxExempt(i), in.InvTaxExempt(i));
        EXPECT_EQ(out.SalvageValue(i), in.SalvageValue(i));
        EXPECT_EQ(out.InvDepMethod(i), in.InvDepMethod(i));
        EXPECT_EQ(out.InvUsefulLife(i), in.InvUsefulLife(i));
        EXPECT_EQ(out.InvItemPK(i), i);
        EXPECT_EQ(out.AnnOpCostNumYears(i), in.AnnOpCostNumYears(i));
        EXPECT_EQ(out.OtherOpCostInterval(i), in.OtherOpCostInterval(i));
        EXPECT_EQ(out.OtherOpCostEscRate(i), 1.5);
        EXPECT_EQ(out.OtherItemPK(i), i);
    }
    EXPECT_EQ(out.LoanTotlaInvest(5), 25000.0);
    EXPECT_EQ(out.LoanPayPlan(4), 1);
    EXPECT_EQ(out.LoanItemPK(5), 5);
    EXPECT_FALSE(IsArrayDimensioned(threadState().arrInvCosts)) << "shared arrays erased after use";

    // Clear investment 2 (deleted), change investment 3 (updated), add loan... all
    // in one update.
    out.setInvItemName(2, "");
    out.setInvCost(2, 0.0);
    out.setInvCost(3, 7777.0);
    out.setAnnOpCostName(20, "  ");
    out.setAnnOpCost(20, 0.0);
    out.CaseTitle = "Full (revised)";
    prj.updateCaseDetails(1, caseId, out);
    ASSERT_EQ(prj.getErrorMsg(), "");
    EXPECT_EQ(stored(caseId), (Counts{19, 5, 19, 20}));
    EXPECT_EQ(out.InvItemPK(2), 2) << "the key stays in the object";
    EXPECT_EQ(
        scalar("SELECT dInvCost FROM tblInvestmentCost WHERE iInvestmentCostId = 3").toDouble(),
        7777.0);
    EXPECT_EQ(count("tblInvestmentCost", "iInvestmentCostId = 2"), 0);

    // Filled rows without a key are added.
    cDesignCase again;
    prj.getCaseDetails(1, caseId, again);
    again.setInvItemPK(2, 0);
    again.setInvItemName(2, "New boiler");
    again.setInvCost(2, 12000.0);
    prj.updateCaseDetails(1, caseId, again);
    EXPECT_EQ(stored(caseId), (Counts{20, 5, 19, 20}));
    EXPECT_EQ(scalar("SELECT sCaseTitle FROM tblDesignCase").toText(), "Full (revised)");
    EXPECT_EQ(scalar("SELECT iCaseCopy FROM tblDesignCase").toInt32(), 0);
}

TEST_F(CaseOperations, RowLimitsFollowTheCaseAnalysisType) {
    const Counts expected[] = {{20, 5, 20, 20}, {20, 5, 20, 20}, {1, 1, 2, 0}, {1, 1, 2, 0}};
    for (int16_t type = 0; type <= 3; ++type) {
        cDesignCase c = fullCase();
        c.AnalysisType = type;
        prj.addCaseDetails(1, c);
        EXPECT_EQ(stored(prj.GetMaxCaseID()), expected[type]) << "type " << type;
    }
    for (int16_t type : {int16_t{7}, int16_t{-1}, int16_t{10}}) {
        cDesignCase c = fullCase();
        c.AnalysisType = type;
        prj.addCaseDetails(1, c);
        EXPECT_EQ(stored(prj.GetMaxCaseID()), (Counts{0, 0, 0, 0})) << "type " << type;
        EXPECT_EQ(count("tblDesignCase", "iCaseId = " + std::to_string(prj.GetMaxCaseID())), 1);
    }
    EXPECT_EQ(prj.getErrorMsg(), "");
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
    prj.addCaseDetailsWEX(1, c, id, title);
    EXPECT_EQ(stored(id).loan, 2);

    prj.updateCaseDetails(1, 1, c);  // keys 0: both filled rows added
    EXPECT_EQ(stored(1).loan, 3);
}

TEST_F(CaseOperations, ReadingIntoAReusedObjectKeepsRowsBeyondTheStoredOnes) {
    cDesignCase stored2;
    stored2.setInvItemName(1, "A");
    stored2.setInvItemName(2, "B");
    prj.addCaseDetails(1, stored2);
    cDesignCase reused;
    for (int16_t i = 1; i <= 4; ++i)
        reused.setInvItemName(i, "old " + std::to_string(i));
    reused.AnalysisType = 3;
    reused.Lifecycle = 40;
    reused.StudyID = 9;
    prj.getCaseDetails(1, prj.GetMaxCaseID(), reused);
    EXPECT_EQ(reused.InvItemName(1), "A");
    EXPECT_EQ(reused.InvItemName(2), "B");
    EXPECT_EQ(reused.InvItemName(3), "old 3");
    EXPECT_EQ(reused.InvItemName(4), "old 4");
    EXPECT_EQ(reused.AnalysisType, 3);
    EXPECT_EQ(reused.Lifecycle, 40);
    EXPECT_EQ(reused.StudyID, 9);
}

TEST_F(CaseOperations, StoredValuesThatDoNotFitFailTheRead) {
    cDesignCase c;
    c.setInvItemName(1, "Boiler");
    prj.addCaseDetails(1, c);
    execute("UPDATE tblInvestmentCost SET nInvYear = 40000");
    cDesignCase out;
    prj.getCaseDetails(1, 1, out);
    EXPECT_EQ(prj.getErrorMsg(), "6#Overflow#getCaseDetails#cORVProject#");
    EXPECT_EQ(out.InvItemName(1), "Boiler") << "filled up to the failing value";
    execute("UPDATE tblInvestmentCost SET iInvestmentCostId = 3, dInvCost = NULL");
    prj.getCaseDetails(1, 1, out);
    EXPECT_EQ(prj.getErrorMsg(), "94#Invalid use of Null#getCaseDetails#cORVProject#");
}

TEST_F(CaseOperations, UpdatingARowWhoseKeyIsGoneFails) {
    cDesignCase c;
    c.setInvItemName(1, "Boiler");
    c.setInvItemPK(1, 77);
    prj.addCaseDetails(1, c);
    prj.updateCaseDetails(1, 1, c);
    EXPECT_EQ(prj.getErrorMsg(),
              "5#The investment row 1 has the key 77, which is not a row of case 1; nothing was "
              "changed#updateCaseDetails#cORVProject#");
    EXPECT_EQ(threadState().gdbProject, nullptr);
    EXPECT_EQ(scalar("SELECT sInvItemName FROM tblInvestmentCost").toText(), "Boiler");
    prj.updateCaseDetails(1, 55, c);  // no such case: nothing, no error
    EXPECT_EQ(prj.getErrorMsg(), "");
}

TEST_F(CaseOperations, ImportedCaseReturnsItsIdAndTrimmedTitle) {
    cDesignCase c;
    c.CaseTitle = "  Building A  west ";
    c.AnalysisType = 0;
    c.setOtherOpCostName(1, "Overhaul");
    c.setOtherOpCost(1, 900.0);
    c.setOtherOpCostName(2, "Repaint");
    int16_t id = 0;
    std::string title;
    prj.addCaseDetailsWEX(1, c, id, title);
    EXPECT_EQ(prj.getErrorMsg(), "");
    EXPECT_EQ(id, prj.GetMaxCaseID());
    EXPECT_EQ(title, "Building A  west");
    EXPECT_EQ(stored(id).other, 2);
}

TEST_F(CaseOperations, ImportedSimpleCaseTakesOtherCostsFromTheNextRow) {
    cDesignCase c;
    c.AnalysisType = 2;
    c.setOtherOpCostName(1, "trigger");  // examined: stores row 2's values
    c.setOtherOpCostName(2, "Overhaul");
    c.setOtherOpCost(2, 300.0);
    c.setOtherOpCostName(4, "Late");  // examined next: stores row 5 (empty values)
    int16_t id = 0;
    std::string title;
    prj.addCaseDetailsWEX(1, c, id, title);
    EXPECT_EQ(prj.getErrorMsg(), "");
    EXPECT_EQ(stored(id).other, 2);
    EXPECT_EQ(
        scalar("SELECT sOtherOpCostName FROM tblOtherOPCost ORDER BY iOtherOpCostId").toText(),
        "Overhaul");

    // The advance past row 20 fails the read; that last row is not saved.
    cDesignCase edge;
    edge.AnalysisType = 3;
    edge.setOtherOpCostName(20, "last");
    prj.addCaseDetailsWEX(1, edge, id, title);
    EXPECT_EQ(prj.getErrorMsg(), "9#Subscript out of range#addCaseDetailsWEX#cORVProject#");
    EXPECT_EQ(count("tblOtherOPCost"), 2);
    EXPECT_EQ(count("tblDesignCase"), 1) << "the failed import leaves no case behind";
}

}  // namespace
}  // namespace qvc
