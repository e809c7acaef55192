#include <gtest/gtest.h>

#include "ProjectFixture.h"
#include "common/ResourceStrings.h"
#include "qvc/ResManager.h"

namespace qvc {
namespace {

using namespace test;

constexpr int16_t kLife = 25;

class AnalysisTypeConversion : public test::ProjectFixture {
  protected:
    void SetUp() override {
        ProjectFixture::SetUp();
        ResManager().SetResourceDB(QVC_RESOURCE_DB);
        AssignResourceStrings();
        prj.addStudyDetails(sampleStudy());
        notifier->calls.clear();
    }

    int16_t addCase(const cDesignCase& c, int16_t study = 1) {
        int16_t id = 0;
        std::string title;
        prj.addCaseDetailsWEX(study, c, id, title);
        EXPECT_EQ(prj.getErrorMsg(), "");
        return id;
    }

    int rows(const char* table, int16_t caseId) {
        return count(table, "iCaseId = " + std::to_string(caseId));
    }

    static void investment(cDesignCase& c, int16_t i, const char* name, double cost,
                           int16_t year = 0, double salvage = 0.0) {
        c.setInvItemName(i, name);
        c.setInvCost(i, cost);
        c.setInvYear(i, year);
        c.setSalvageValue(i, salvage);
    }
    static void annual(cDesignCase& c, int16_t i, const char* name, double cost, int16_t start,
                       double escalation) {
        c.setAnnOpCostName(i, name);
        c.setAnnOpCost(i, cost);
        c.setAnnOpCostStartYear(i, start);
        c.setAnnOpCostEscRate(i, escalation);
    }
    static void loan(cDesignCase& c, int16_t i, const char* name, int16_t year, double percent,
                     int16_t term) {
        c.setLoanItemName(i, name);
        c.setLoanYear(i, year);
        c.setLoanPercent(i, percent);
        c.setLoanTerm(i, term);
    }

    static cDesignCase mixedCase() {
        cDesignCase c;
        c.CaseTitle = "Chiller retrofit";
        investment(c, 1, "Chiller", 1000.0, 0, 100.0);
        c.setInvDepLife(1, 7);
        investment(c, 2, "Controls", 500.0);
        investment(c, 3, "Tower refill", 800.0, 3, 50.0);
        investment(c, 4, "Utility rebate", -200.0);  // year 0 but not a positive cost: not summed
        annual(c, 1, "Electricity", 200.0, 1, 2.0);
        c.setAnnOpCostNumYears(1, 10);
        annual(c, 2, "Gas", 300.0, 1, 4.0);
        annual(c, 3, "Later service", 900.0, 5, 1.0);
        c.setOtherOpCostName(1, "Overhaul");
        c.setOtherOpCost(1, 4000.0);
        c.setOtherOpCostName(2, "Refrigerant");
        loan(c, 1, "Equipment lease", 2, 50.0, 5);
        loan(c, 2, "Bank loan", 0, 40.0, 15);
        c.setLoanIntRate(2, 6.0);
        c.setLoanPayPlan(2, 1);
        c.setLoanTotlaInvest(2, 2000.0);
        return c;
    }
};

TEST_F(AnalysisTypeConversion, ToSimplePaybackFoldsEachListOfEveryCaseOfTheStudy) {
    const int16_t id = addCase(mixedCase());
    const int16_t second = addCase(mixedCase());
    const int32_t firstInvKey = read(1, id).InvItemPK(1);
    prj.addStudyDetails(sampleStudy("Other study"));
    const int16_t other = addCase(mixedCase(), 2);
    execute("UPDATE tblDesignCase SET iCaseCopy = 3");
    notifier->calls.clear();
    prj.ChangeAnalysisType(2, 1, kLife);
    ASSERT_EQ(prj.getErrorMsg(), "");
    EXPECT_EQ(notifier->calls, std::vector<bool>{true});
    EXPECT_EQ(rows("tblInvestmentCost", second), 1);
    EXPECT_EQ(rows("tblInvestmentCost", other), 4) << "another study's case is not converted";
    EXPECT_EQ(count("tblDesignCase", "iCaseCopy = 0"), 2) << "converted cases restart the counter";
    const cDesignCase c = read(1, id);
    // Positive year-0 investments 1000 + 500, salvage 100, updated in place in row 1.
    EXPECT_EQ(investmentRow(c, 1), "Initial Investment Cost|1500|0|0|0|0|10|25|100");
    EXPECT_EQ(c.InvItemPK(1), firstInvKey);
    // Annual costs starting in year 1: 200 + 300 at the mean escalation 3.
    EXPECT_EQ(annualRow(c, 1), "Energy|500|1|25|3");
    EXPECT_EQ(annualRow(c, 2), "Maintenance|0|1|25|0");
    // The first loan taken in year 0 (row 2) becomes loan row 1.
    EXPECT_EQ(loanRow(c, 1), "Loan|0|40|15|6|1|2000");
    EXPECT_EQ(rows("tblAnnualOPCost", id), 2) << "the year-5 cost disappears";
    EXPECT_EQ(rows("tblLoanDetails", id), 1);
    EXPECT_EQ(rows("tblOtherOPCost", id), 0);
}

TEST_F(AnalysisTypeConversion, WithoutAYearZeroLoanACaseGetsTheClearedLoanRow) {
    // Empty loan rows must not count as loans of year 0.
    cDesignCase later = mixedCase();  // five loans, none in year 0
    for (int16_t k = 1; k <= 5; ++k) {
        loan(later, k, "Later", k, 10.0 * k, 20);
        later.setLoanIntRate(k, 5.0);
        later.setLoanTotlaInvest(k, 900.0);
    }
    cDesignCase none;
    investment(none, 1, "Chiller", 1000.0);
    const int16_t laterId = addCase(later);
    const int16_t noneId = addCase(none);
    ASSERT_EQ(rows("tblLoanDetails", noneId), 0);
    prj.ChangeAnalysisType(3, 1, kLife);
    ASSERT_EQ(prj.getErrorMsg(), "");
    for (int16_t id : {laterId, noneId}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(loanRow(read(1, id), 1), "Loan|0|0|10|0|0|0");
        EXPECT_EQ(rows("tblLoanDetails", id), 1);
    }
}

TEST_F(AnalysisTypeConversion, BackToPrivateSectorSetsTheFirstRowDefaults) {
    const int16_t id = addCase(mixedCase());
    prj.ChangeAnalysisType(2, 1, kLife);
    // A loan of 0 percent gets the term 1 and refers to investment 1.
    cDesignCase simple = read(1, id);
    simple.setLoanPercent(1, 0.0);
    prj.updateCaseDetails(1, id, simple);
    prj.ChangeAnalysisType(0, 1, 30);
    ASSERT_EQ(prj.getErrorMsg(), "");
    const cDesignCase c = read(1, id);
    EXPECT_EQ(investmentRow(c, 1), "Initial Investment Cost|1500|0|0|0|0|2|30|100");
    EXPECT_EQ(loanRow(c, 1), "Loan|0|0|1|6|0|1500");
    EXPECT_EQ(annualRow(c, 1), "Energy|500|1|30|3");
    EXPECT_EQ(rows("tblAnnualOPCost", id), 2);
}

TEST_F(AnalysisTypeConversion, ToPublicSectorChangesOnlyTheListedProperties) {
    cDesignCase in = mixedCase();
    in.setInvEscRate(1, 3.5);
    in.setInvTaxExempt(1, true);
    in.setInvDepMethod(1, 4);
    in.setInvYear(1, 2);
    in.setLoanPayPlan(1, 2);
    in.setAnnOpCostStartYear(2, 3);
    const int16_t id = addCase(in);
    prj.ChangeAnalysisType(1, 1, kLife);
    ASSERT_EQ(prj.getErrorMsg(), "");
    // A loan with a percent keeps its term; the other rows keep everything.
    const cDesignCase c = read(1, id);
    EXPECT_EQ(investmentRow(c, 1), "Initial Investment Cost|1000|0|0|0|0|2|25|100");
    EXPECT_EQ(loanRow(c, 1), "Loan|0|50|5|0|0|1000");
    EXPECT_EQ(annualRow(c, 1), "Energy|200|1|25|2");
    EXPECT_EQ(annualRow(c, 2), "Maintenance|300|1|25|4");
    EXPECT_EQ(investmentRow(c, 3), investmentRow(in, 3));
    EXPECT_EQ(annualRow(c, 3), annualRow(in, 3));
    EXPECT_EQ(loanRow(c, 2), loanRow(in, 2));
    EXPECT_EQ(otherRow(c, 2), otherRow(in, 2));
    EXPECT_EQ(rows("tblOtherOPCost", id), 2);
}

TEST_F(AnalysisTypeConversion, NothingToDoChangesNoRowAndFailuresAreNotNotified) {
    prj.ChangeAnalysisType(2, 1, kLife);
    EXPECT_EQ(prj.getErrorMsg(), "");
    EXPECT_EQ(threadState().gErrCode, 302) << "no cases";
    const int16_t id = addCase(mixedCase());
    prj.ChangeAnalysisType(7, 1, kLife);
    ASSERT_EQ(prj.getErrorMsg(), "");
    EXPECT_EQ(investmentRow(read(1, id), 1), investmentRow(mixedCase(), 1));
    EXPECT_EQ(notifier->calls.size(), 2u);
    // Sums that overflow a double fail the operation; the failed case is not written.
    notifier->calls.clear();
    cDesignCase huge;
    investment(huge, 1, "A", 1.5e308);
    investment(huge, 2, "B", 1.5e308);
    const int16_t hugeId = addCase(huge);
    prj.ChangeAnalysisType(2, 1, kLife);
    EXPECT_EQ(prj.getErrorMsg(), "6#Overflow#ChangeAnalysisType#cORVProject#");
    EXPECT_EQ(rows("tblInvestmentCost", hugeId), 2);
    EXPECT_EQ(rows("tblInvestmentCost", id), 4);
    EXPECT_TRUE(notifier->calls.empty());
}

}  // namespace
}  // namespace qvc
