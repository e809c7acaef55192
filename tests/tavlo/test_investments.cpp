// Investment items: escalation, salvage, first cost, items outside the study.

#include "EngineFixture.h"

namespace tavlo::testing {
namespace {

class InvestmentTest : public EngineTest {};

TEST_F(InvestmentTest, EscalatedCostSalvageAndFirstCost) {
    // L = 10, d = 5 %, no taxes.
    // Item 1: C = 1000 in year 2, e = 3 %, life 5, salvage 200.
    //   K = 1000 * 1.03^2 = 1060.90 paid in year 2;
    //   disposal in year 7 returns Sa = 200 * 1.03^7 = 245.974773.
    // Item 2: C = 500 in year 0, e = 10 %: K = 500 (1.1^0), no disposal.
    // Item 3: a rebate of -100 in year 0.
    // First cost = 500 - 100 = 400.
    // TPW = 400 + 1060.9 / 1.05^2 - 245.974773 / 1.05^7
    //     = 400 + 962.267574 - 174.809679 = 1187.457895.
    study(10, 0.05, 1);
    IAlternative& a = alt(1);
    a.setInvestmentCost(1, 1000);
    a.setInvestmentYear(1, 2);
    a.setInvestmentEscalation(1, 0.03);
    a.setUsefulLife(1, 5);
    a.setSalvage(1, 200);
    a.setDepreciationMethod(1, 5);
    a.setInvestmentCost(2, 500);
    a.setInvestmentEscalation(2, 0.10);
    a.setDepreciationMethod(2, 5);
    a.setInvestmentCost(3, -100);
    calculate();

    EXPECT_NEAR(a.CashInvestmentAt(0), 400.0, 1e-9);
    EXPECT_NEAR(a.CashInvestmentAt(2), 1060.9, 1e-9);
    EXPECT_NEAR(a.CashInvestmentAt(7), -245.974773085, 1e-8);
    for (int16_t y : {1, 3, 4, 5, 6, 8, 9, 10}) {
        EXPECT_EQ(a.CashInvestmentAt(y), 0.0) << "year " << y;
    }
    EXPECT_NEAR(a.FirstCost(), 400.0, 1e-9);
    EXPECT_NEAR(a.TotalPresentWorth(), 1187.457894782, 1e-8);
    EXPECT_NEAR(a.BeforeTaxTPW(), 1187.457894782, 1e-8);
    EXPECT_NEAR(a.PWInvestmentAt(2), 962.267573696, 1e-8);
    // Method "none": the book value of item 1 is K from year 2 until the
    // disposal year, where it drops to 0; item 2 stays at 500 throughout; the
    // rebate has no book value.
    EXPECT_NEAR(a.BookValueAt(1), 500.0, 1e-9);
    EXPECT_NEAR(a.BookValueAt(6), 1560.9, 1e-9);
    EXPECT_NEAR(a.BookValueAt(7), 500.0, 1e-9);
    EXPECT_EQ(a.Rank(), 1);
    EXPECT_EQ(engine->Comparisons().Count(), 0);
}

TEST_F(InvestmentTest, DisposalBeyondTheStudyIsTakenAtTheEndAndLateItemsAreIgnored) {
    // L = 10, d = 0. Item 1: C = 300 in year 8, e = 3 %, life 5 (would end in
    // 13), salvage 50: disposal is taken in year 10 with Sa = 50 * 1.03^10 =
    // 67.195819. Item 2 is paid in year 11, after the study: no effect.
    study(10, 0.0, 1);
    IAlternative& a = alt(1);
    a.setInvestmentCost(1, 300);
    a.setInvestmentYear(1, 8);
    a.setInvestmentEscalation(1, 0.03);
    a.setUsefulLife(1, 5);
    a.setSalvage(1, 50);
    a.setDepreciationMethod(1, 5);
    a.setInvestmentCost(2, 999);
    a.setInvestmentYear(2, 11);
    a.setDepreciationMethod(2, 5);
    calculate();
    // K = 300 * 1.03^8 = 380.031024
    EXPECT_NEAR(a.CashInvestmentAt(8), 380.031024416, 1e-8);
    EXPECT_NEAR(a.CashInvestmentAt(10), -67.195818967, 1e-8);
    EXPECT_NEAR(a.TotalPresentWorth(), 380.031024416 - 67.195818967, 1e-8);
    EXPECT_EQ(a.BookValueAt(10), 0.0);
    EXPECT_EQ(a.FirstCost(), 0.0);
}

}  // namespace
}  // namespace tavlo::testing
