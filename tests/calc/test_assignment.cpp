// What the engine makes of a handed-over study and case, read back from its
// per-year results and worked out by hand.

#include <gmock/gmock.h>

#include <cmath>

#include "AssignmentFixture.h"

namespace qvc::test {
namespace {

TEST_F(AssignmentTest, FullFamilyCaseReachesTheEngineValueForValue) {
    // 25 years, independent alternatives, 3.5 %, taxes at 28 %.
    study(0, 25);
    st().arrStudy[3] = "1";
    // Item 1: 50000 now at 2 %, sum of years' digits over 10 years, sold in
    // year 20 for 5000 (today's money). Item 2: 12000 in year 5, tax exempt,
    // sold in year 15 for 1000. Of two loans in year 0 the last applied wins;
    // the loan of year 7 matches no item.
    inv({invRow(50000, 0, 2, false, 1, 10, 20, 5000), invRow(12000, 5, 0, true, 0, 5, 10, 1000)});
    loans({loanRow(0, 80, 10, 6, 0), loanRow(7, 90, 3, 9, 2), loanRow(0, 50, 5, 4, 1)});
    ann({annRow(3000, 1, 25, 3)});
    other({otherRow(8000, 10, 2, 10, 1)});
    assignAndCalculate();

    EXPECT_EQ(engine().AnalysisType(), 0);
    EXPECT_EQ(engine().AlternativeType(), 1);
    EXPECT_EQ(engine().AnalysisPeriod(), 25);
    EXPECT_DOUBLE_EQ(engine().DiscountRate(), 0.035);
    EXPECT_TRUE(engine().IncomeTaxFlag());
    EXPECT_DOUBLE_EQ(engine().IncomeTaxRate(), 0.28);

    const tavlo::IAlternative& a = alt();
    // Salvage 5000 x 1.02^20 in year 20.
    EXPECT_NEAR(a.CashInvestmentAt(0), 25000, 1e-6);
    EXPECT_NEAR(a.CashInvestmentAt(5), 12000, 1e-6);
    EXPECT_NEAR(a.CashInvestmentAt(15), -1000, 1e-6);
    EXPECT_NEAR(a.CashInvestmentAt(20), -7429.736980, 1e-6);
    EXPECT_NEAR(a.LoanPrincipalAt(1), 5000, 1e-6);
    EXPECT_NEAR(a.LoanPrincipalAt(5), 5000, 1e-6);
    EXPECT_EQ(a.LoanPrincipalAt(6), 0.0);
    EXPECT_NEAR(a.LoanInterestAt(1), 1000, 1e-6);
    EXPECT_NEAR(a.LoanInterestAt(2), 800, 1e-6);
    // Item 1 only: 50000 x 10/55, ..., x 5/55 in year 6; 50000 x 15/55 left.
    EXPECT_NEAR(a.DepreciationAt(1), 9090.909091, 1e-6);
    EXPECT_NEAR(a.DepreciationAt(6), 4545.454545, 1e-6);
    EXPECT_EQ(a.DepreciationAt(11), 0.0);
    EXPECT_NEAR(a.BookValueAt(5), 13636.363636, 1e-6);
    // 3000 x 1.03^y every year; 8000 x 1.01^y in years 10 and 20.
    EXPECT_NEAR(a.AnnualOpCostAt(1), 3090, 1e-6);
    EXPECT_NEAR(a.AnnualOpCostAt(25), 6281.333789, 1e-6);
    EXPECT_NEAR(a.NonAnnualOpCostAt(10), 8836.977003, 1e-6);
    EXPECT_NEAR(a.NonAnnualOpCostAt(20), 9761.520320, 1e-6);
    EXPECT_EQ(a.NonAnnualOpCostAt(15), 0.0);
    // Tax of year 1: 28 % of (-3090 - 9090.909091 - 1000).
    EXPECT_NEAR(a.TaxAt(1), -3690.654545, 1e-6);
}

TEST_F(AssignmentTest, ALoanWithoutAYearFinancesNothing) {
    study(0, 20);
    inv({invRow(1000, 0, 0, false, 0, 5, 0, 0)});
    loans({loanRow(0, 50, 5, 5, 0)});
    st().arrLoan(3, 1) = rt::Value::null();
    assignAndCalculate();
    EXPECT_EQ(alt().CashInvestmentAt(0), 1000.0);
    EXPECT_EQ(alt().LoanPrincipalAt(1), 0.0);
}

TEST_F(AssignmentTest, SimpleFamilyUsesTheFirstItemsAndFixedValues) {
    // Only the first investment's cost and salvage count (paid now, straight
    // line over 2 years, sold at the end), the first loan's share, term and
    // rate (level payments), and annual costs over the whole study.
    study(2, 10);
    inv({invRow(20000, 3, 5, true, 4, 7, 4, 2000), invRow(999, 1, 1, false, 0, 5, 5, 0)});
    loans({loanRow(0, 60, 8, 5, 2), loanRow(0, 10, 2, 1, 1)});
    ann({annRow(1500, 4, 3, 2), annRow(500, 2, 2, 0)});
    other({otherRow(8000, 2, 2, 2, 0)});
    assignAndCalculate();
    const tavlo::IAlternative& a = alt();
    EXPECT_NEAR(a.CashInvestmentAt(0), 8000, 1e-6);  // 40 % of 20000
    EXPECT_EQ(a.CashInvestmentAt(1), 0.0);
    EXPECT_EQ(a.CashInvestmentAt(3), 0.0);
    EXPECT_NEAR(a.CashInvestmentAt(10), -2000, 1e-6);
    // R = 12000 x 0.05 / (1 - 1.05^-8).
    EXPECT_NEAR(a.LoanPrincipalAt(1) + a.LoanInterestAt(1), 1856.661764, 1e-6);
    EXPECT_NEAR(a.LoanInterestAt(1), 600, 1e-6);
    EXPECT_NEAR(a.DepreciationAt(2), 10000, 1e-6);
    EXPECT_EQ(a.DepreciationAt(3), 0.0);
    // 1500 x 1.02^y + 500 in every year.
    EXPECT_NEAR(a.AnnualOpCostAt(1), 2030, 1e-6);
    EXPECT_NEAR(a.AnnualOpCostAt(10), 2328.491630, 1e-6);
    for (int16_t y = 0; y <= 10; ++y)
        EXPECT_EQ(a.NonAnnualOpCostAt(y), 0.0) << y;
}

TEST_F(AssignmentTest, PublicSectorReplacesStoredTaxAndDepreciationData) {
    // Stored: tax exempt, 150 % over 99 years (out of range); public sector:
    // straight line over 2 years instead.
    study(1, 20);
    inv({invRow(1000, 0, 0, true, 3, 99, 10, 0)});
    other({otherRow(300, 4, 1, 1, 0)});
    assignAndCalculate();
    EXPECT_NEAR(alt().DepreciationAt(1), 500, 1e-9);
    EXPECT_NEAR(alt().DepreciationAt(2), 500, 1e-9);
    EXPECT_NEAR(alt().NonAnnualOpCostAt(4), 300, 1e-9);
    // The private-sector analysis checks the stored life and refuses it.
    study(0, 20);
    assign("inv");
    EXPECT_TRUE(invalid());
    EXPECT_EQ(st().gErrCode, 310);
}

TEST_F(AssignmentTest, EmptyListsCalculateToNothing) {
    for (int type : {0, 1, 2, 3}) {
        SCOPED_TRACE(type);
        study(type, 20);
        assignAndCalculate();
        EXPECT_EQ(alt().TotalPresentWorth(), 0.0);
    }
}

TEST_F(AssignmentTest, EachPartGoesToTheAlternativeAtItsPosition) {
    CalculatorProbe::BuildCollections(*calc, 3);
    study(0, 20);
    ann({annRow(700, 1, 5, 0)});
    assign("study");
    assign("ann", 3);
    // An unknown part, or one spelled in other letters, does nothing.
    for (const char* part : {"Ann", "loan", ""})
        assign(part, 1);
    EXPECT_EQ(st().gErrMsg, "");
    for (int16_t i = 1; i <= 3; ++i)
        engine().Alternatives().Item(i).setNumber(i);
    ASSERT_TRUE(engine().ValidateInputs());
    ASSERT_TRUE(engine().Calculate());
    EXPECT_EQ(alt(1).AnnualOpCostAt(1), 0.0);
    EXPECT_EQ(alt(3).AnnualOpCostAt(1), 700.0);
}

TEST_F(AssignmentTest, TextThatIsNoNumberEndsTheStepAndKeepsWhatWasPassed) {
    study(0, 20);
    inv({invRow(-100, 2, 0, false, 0, 5, 10, 0)});
    st().arrInvCosts(4, 1) = rt::Value("five");
    assign("study");
    assign("inv");
    EXPECT_THAT(st().gErrMsg, ::testing::StartsWith("13#"));
    EXPECT_THAT(st().gErrMsg, ::testing::EndsWith("#AssignProperties#cORVCalculator#"));
    EXPECT_FALSE(invalid());
    engine().Alternatives().Item(1).setNumber(1);
    ASSERT_TRUE(engine().Calculate());
    EXPECT_EQ(alt().CashInvestmentAt(2), -100.0);  // cost and year were passed
}

}  // namespace
}  // namespace qvc::test
