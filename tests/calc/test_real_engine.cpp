// A realistic study stored in a project database, loaded by the calculator,
// handed to the real engine and calculated; the results are checked against a
// hand calculation with the present-worth method.

#include <gmock/gmock.h>

#include <cmath>

#include "CalcProjectFixture.h"
#include "CalculatorProbe.h"
#include "project/cDBoperations.h"
#include "qvc/cORVCalculator.h"

namespace qvc::test {
namespace {

class RealEngineTest : public CalcProjectTest {
  protected:
    // A public-sector study: 20 years, 3 % discount rate.
    void storeBoilerStudy() {
        studyId = addStudy(study("East wing heating", 1, 20, 3.0));

        cDesignCase boiler;
        boiler.CaseTitle = "Gas boiler";
        boiler.CaseShortTitle = "Boiler";
        boiler.AnalysisType = 1;
        boiler.setInvItemName(1, "Boiler and flue");
        boiler.setInvCost(1, 100000);
        boiler.setInvDepLife(1, 20);
        boiler.setInvUsefulLife(1, 20);
        boiler.setAnnOpCostName(1, "Gas");
        boiler.setAnnOpCost(1, 12000);
        boiler.setAnnOpCostStartYear(1, 1);
        boiler.setAnnOpCostNumYears(1, 20);
        boiler.setAnnOpCostName(2, "Maintenance");
        boiler.setAnnOpCost(2, 1500);
        boiler.setAnnOpCostStartYear(2, 1);
        boiler.setAnnOpCostNumYears(2, 20);
        boiler.setAnnOpCostEscRate(2, 2);
        boiler.setOtherOpCostName(1, "Burner replacement");
        boiler.setOtherOpCost(1, 8000);
        boiler.setOtherOpCostStartYear(1, 10);
        boiler.setOtherOpCostTimes(1, 1);
        boiler.setOtherOpCostInterval(1, 1);
        addCase(studyId, boiler);

        cDesignCase heatPump;
        heatPump.CaseTitle = "Ground-source heat pump";
        heatPump.CaseShortTitle = "Heat pump";
        heatPump.AnalysisType = 1;
        heatPump.setInvItemName(1, "Heat pump and bore field");
        heatPump.setInvCost(1, 150000);
        heatPump.setInvDepLife(1, 15);
        heatPump.setInvUsefulLife(1, 15);
        heatPump.setSalvageValue(1, 20000);
        heatPump.setLoanItemName(1, "Green loan");
        heatPump.setLoanYear(1, 0);
        heatPump.setLoanTotlaInvest(1, 150000);
        heatPump.setLoanPercent(1, 50);
        heatPump.setLoanTerm(1, 10);
        heatPump.setLoanIntRate(1, 4);
        heatPump.setLoanPayPlan(1, 0);
        heatPump.setAnnOpCostName(1, "Electricity");
        heatPump.setAnnOpCost(1, 7000);
        heatPump.setAnnOpCostStartYear(1, 1);
        heatPump.setAnnOpCostNumYears(1, 20);
        addCase(studyId, heatPump);
    }

    // The loading and hand-over steps of a calculation run, case by case.
    void loadIntoEngine(cORVCalculator& calc) { CalculatorProbe::loadStudy(calc, studyId); }

    int16_t studyId = 0;
};

TEST_F(RealEngineTest, StoredStudyCalculatesToTheHandWorkedPresentWorths) {
    storeBoilerStudy();
    cORVCalculator calc;
    loadIntoEngine(calc);
    ThreadState& st = threadState();
    ASSERT_EQ(st.gErrMsg, "");
    ASSERT_EQ(st.gErrCode, 0);
    ASSERT_FALSE(calc.m_InvalidCaseData);
    ASSERT_EQ(st.colCases.Count(), 2);
    EXPECT_EQ(st.colCases.Item("2").Gen(1), "Ground-source heat pump");

    tavlo::ILifeCycleEngine& engine = *calc.objLifeCycle;
    EXPECT_EQ(engine.AnalysisPeriod(), 20);
    EXPECT_DOUBLE_EQ(engine.DiscountRate(), 0.03);
    ASSERT_TRUE(engine.ValidateInputs());
    ASSERT_TRUE(engine.Calculate());

    // Annuity factors at 3 %: a(20) = (1 - 1.03^-20) / 0.03 = 14.8774749,
    // a(10) = 8.5302028.
    //
    // Gas boiler: 100000 now; gas 12000 x a(20) = 178529.698; maintenance
    // 1500 escalating at 2 %: sum of 1500 x (1.02/1.03)^y, y = 1..20 =
    // 27121.844; burner 8000 / 1.03^10 = 5952.751. Total 311604.294.
    const tavlo::IAlternative& boiler = engine.Alternatives().Item(1);
    EXPECT_NEAR(boiler.TotalPresentWorth(), 311604.294, 0.005);
    EXPECT_NEAR(boiler.FirstCost(), 100000, 1e-9);

    // Heat pump: half of 150000 paid now (75000), half by a 10-year level loan
    // at 4 %: R = 75000 x 0.04 / (1 - 1.04^-10) = 9246.821 a year, worth
    // R x a(10) = 78877.258; electricity 7000 x a(20) = 104142.324; salvage
    // 20000 returned in year 15 worth 20000 / 1.03^15 = 12837.239.
    // Total 75000 + 78877.258 + 104142.324 - 12837.239 = 245182.342.
    const tavlo::IAlternative& pump = engine.Alternatives().Item(2);
    EXPECT_NEAR(pump.TotalPresentWorth(), 245182.342, 0.005);
    EXPECT_NEAR(pump.CashInvestmentAt(0), 75000, 1e-6);
    EXPECT_NEAR(pump.LoanPrincipalAt(1) + pump.LoanInterestAt(1), 9246.821, 0.0005);
    EXPECT_NEAR(pump.LoanInterestAt(1), 3000, 1e-6);
    EXPECT_NEAR(pump.BeforeTaxCashFlowAt(15), 7000 - 20000, 1e-6);

    EXPECT_EQ(pump.Rank(), 1);
    EXPECT_EQ(boiler.Rank(), 2);
    ASSERT_EQ(engine.Comparisons().Count(), 1);
    const tavlo::IComparison& cmp = engine.Comparisons().Item(1);
    EXPECT_EQ(cmp.BaseCase(), 1);
    EXPECT_EQ(cmp.Challenger(), 2);
    EXPECT_EQ(cmp.Winner(), 2);
    EXPECT_NEAR(cmp.NPWSavings(), 311604.294 - 245182.342, 0.01);
}

}  // namespace
}  // namespace qvc::test
