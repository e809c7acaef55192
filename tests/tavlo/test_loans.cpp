// Loans: the three payment plans, zero interest, early repayment at the end of
// the study, and the present worth of a loan at its own rate.

#include <cmath>

#include "EngineFixture.h"

namespace tavlo::testing {
namespace {

class LoanTest : public EngineTest {
  protected:
    // One alternative: 10000 paid in year 0, 80 % financed at `rate` over 5
    // years with `plan`; no depreciation, no taxes.
    void financedItem(int16_t years, double discount, double rate, int16_t plan, int16_t term = 5) {
        study(years, discount, 1);
        IAlternative& a = alt(1);
        a.setInvestmentCost(1, 10000);
        a.setDepreciationMethod(1, 5);
        a.setLoanFraction(1, 0.8);
        a.setLoanRate(1, rate);
        a.setPaymentPlan(1, plan);
        a.setLoanTerm(1, term);
        calculate();
    }
};

TEST_F(LoanTest, LevelPaymentsFollowTheAnnuityFormula) {
    // P = 8000, i = 6 %, N = 5: R = 8000 * 0.06 / (1 - 1.06^-5) = 1899.171203.
    // Year 1: interest 8000 * 0.06 = 480, principal 1419.171203;
    // year 2: balance 6580.828797, interest 394.849728, principal 1504.321476;
    // year 5: interest 107.500257, principal 1791.670947 (the rest).
    financedItem(10, 0.0, 0.06, 0);
    IAlternative& a = alt(1);
    EXPECT_NEAR(a.CashInvestmentAt(0), 2000.0, 1e-9);
    EXPECT_NEAR(a.LoanInterestAt(1), 480.0, 1e-9);
    EXPECT_NEAR(a.LoanPrincipalAt(1), 1419.171203450, 1e-8);
    EXPECT_NEAR(a.LoanInterestAt(2), 394.849727793, 1e-8);
    EXPECT_NEAR(a.LoanPrincipalAt(2), 1504.321475656, 1e-8);
    EXPECT_NEAR(a.LoanInterestAt(5), 107.500256799, 1e-8);
    EXPECT_NEAR(a.LoanPrincipalAt(5), 1791.670946650, 1e-8);
    for (int16_t y = 1; y <= 5; ++y) {
        EXPECT_NEAR(a.LoanPrincipalAt(y) + a.LoanInterestAt(y), 1899.171203450, 1e-8);
        EXPECT_NEAR(a.TotalInvestmentAt(y), 1899.171203450, 1e-8);
    }
    double repaid = 0;
    for (int16_t y = 0; y <= 10; ++y) {
        repaid += a.LoanPrincipalAt(y);
    }
    EXPECT_NEAR(repaid, 8000.0, 1e-9);
    EXPECT_EQ(a.LoanPrincipalAt(6), 0.0);
    EXPECT_EQ(a.LoanInterestAt(6), 0.0);
}

TEST_F(LoanTest, ZeroInterestRepaysAnEqualShareEachYear) {
    // P = 8000, i = 0, N = 5: 8000 / 5 = 1600 a year, no interest.
    financedItem(10, 0.0, 0.0, 0);
    for (int16_t y = 1; y <= 5; ++y) {
        EXPECT_NEAR(alt(1).LoanPrincipalAt(y), 1600.0, 1e-9);
        EXPECT_EQ(alt(1).LoanInterestAt(y), 0.0);
    }
}

TEST_F(LoanTest, EqualPrincipalAndInterestOnlyPlans) {
    // Equal principal: 1600 a year; interest on the opening balance:
    // 8000, 6400, 4800, 3200, 1600 times 6 % = 480, 384, 288, 192, 96.
    financedItem(10, 0.0, 0.06, 1);
    const double interest[] = {480, 384, 288, 192, 96};
    for (int16_t y = 1; y <= 5; ++y) {
        EXPECT_NEAR(alt(1).LoanPrincipalAt(y), 1600.0, 1e-9);
        EXPECT_NEAR(alt(1).LoanInterestAt(y), interest[y - 1], 1e-9);
    }
    // Interest only: 480 a year, the whole 8000 in year 5.
    financedItem(10, 0.0, 0.06, 2);
    for (int16_t y = 1; y <= 5; ++y) {
        EXPECT_NEAR(alt(1).LoanInterestAt(y), 480.0, 1e-9);
        EXPECT_NEAR(alt(1).LoanPrincipalAt(y), y == 5 ? 8000.0 : 0.0, 1e-9);
    }
}

TEST_F(LoanTest, BalanceStillOpenAtTheEndOfTheStudyIsRepaidThen) {
    // L = 3 with a 5-year level loan: years 1 and 2 as in the annuity, year 3
    // pays interest 304.590439 on the balance 5076.507321 and the whole balance.
    financedItem(3, 0.0, 0.06, 0);
    EXPECT_NEAR(alt(1).LoanPrincipalAt(2), 1504.321475656, 1e-8);
    EXPECT_NEAR(alt(1).LoanInterestAt(3), 304.590439254, 1e-8);
    EXPECT_NEAR(alt(1).LoanPrincipalAt(3), 5076.507320894, 1e-8);
}

TEST_F(LoanTest, AtItsOwnRateALoanIsWorthItsPrincipal) {
    // Discounting at the loan rate: PW(principal + interest) = P = 8000, so
    // the total present worth equals the unfinanced cost 10000, whatever plan.
    for (int16_t plan : {0, 1, 2}) {
        for (double rate : {0.0, 0.06, 0.125}) {
            financedItem(10, rate, rate, plan);
            double loanPw = 0;
            for (int16_t y = 1; y <= 10; ++y) {
                loanPw +=
                    (alt(1).LoanPrincipalAt(y) + alt(1).LoanInterestAt(y)) * std::pow(1 + rate, -y);
            }
            EXPECT_NEAR(loanPw, 8000.0, 1e-8) << "plan " << plan << " rate " << rate;
            EXPECT_NEAR(alt(1).TotalPresentWorth(), 10000.0, 1e-8);
        }
    }
    // Also when the study ends before the loan does.
    financedItem(3, 0.06, 0.06, 0);
    EXPECT_NEAR(alt(1).TotalPresentWorth(), 10000.0, 1e-8);
}

TEST_F(LoanTest, NoLoanForARebateOrWithoutTerm) {
    study(5, 0.0, 1);
    IAlternative& a = alt(1);
    a.setInvestmentCost(1, -500);  // a sale: not financed
    a.setLoanFraction(1, 0.5);
    a.setLoanRate(1, 0.05);
    a.setLoanTerm(1, 3);
    a.setInvestmentCost(2, 1000);  // term 0: no loan
    a.setDepreciationMethod(2, 5);
    a.setLoanFraction(2, 0.5);
    a.setLoanRate(2, 0.05);
    calculate();
    EXPECT_NEAR(a.CashInvestmentAt(0), 500.0, 1e-9);
    for (int16_t y = 0; y <= 5; ++y) {
        EXPECT_EQ(a.LoanPrincipalAt(y), 0.0);
        EXPECT_EQ(a.LoanInterestAt(y), 0.0);
    }
}

}  // namespace
}  // namespace tavlo::testing
