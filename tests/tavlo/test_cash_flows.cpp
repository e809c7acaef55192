#include <vector>

#include "EngineFixture.h"

namespace tavlo::testing {
namespace {

using CashFlowTest = EngineTest;

TEST_F(CashFlowTest, InvestmentsAreEscalatedPaidAndSalvaged) {
    // L = 10, d = 5 %. Item 1: 1000 in year 2 at 3 % (K = 1060.90), life 5,
    // salvage 200 x 1.03^7 = 245.974773 in year 7. Item 2: 500 now at 10 %.
    // Item 3: a rebate of -100 now. TPW = 400 + 1060.9 / 1.05^2 - 245.97 / 1.05^7.
    study(10, 0.05, 1);
    IAlternative& a = alt(1);
    const int16_t item = investment(1, 1000, 2);
    a.setInvestmentEscalation(item, 0.03);
    a.setUsefulLife(item, 5);
    a.setSalvage(item, 200);
    a.setInvestmentEscalation(investment(1, 500), 0.10);
    investment(1, -100);
    calculate();
    const double cash[] = {400, 0, 1060.9, 0, 0, 0, 0, -245.974773085, 0, 0, 0};
    for (int16_t y = 0; y <= 10; ++y) {
        EXPECT_NEAR(a.CashInvestmentAt(y), cash[y], 1e-8) << y;
    }
    EXPECT_NEAR(a.FirstCost(), 400.0, 1e-9);
    EXPECT_NEAR(a.TotalPresentWorth(), 1187.457894782, 1e-8);
    // Not depreciated: on the books at cost until disposal; the rebate is no asset.
    EXPECT_NEAR(a.BookValueAt(1), 500.0, 1e-9);
    EXPECT_NEAR(a.BookValueAt(6), 1560.9, 1e-9);
    EXPECT_NEAR(a.BookValueAt(7), 500.0, 1e-9);
    EXPECT_EQ(engine->Comparisons().Count(), 0);  // one alternative
    // L = 10, d = 0: 300 in year 8 at 3 %, life 5, salvage 50: disposed of at the
    // end of the study (50 x 1.03^10). An item paid in year 11 has no effect.
    study(10, 0.0, 1);
    IAlternative& b = alt(1);
    const int16_t late = investment(1, 300, 8);
    b.setInvestmentEscalation(late, 0.03);
    b.setUsefulLife(late, 5);
    b.setSalvage(late, 50);
    investment(1, 999, 11);
    calculate();
    EXPECT_NEAR(b.CashInvestmentAt(8), 380.031024416, 1e-8);
    EXPECT_NEAR(b.CashInvestmentAt(10), -67.195818967, 1e-8);
    EXPECT_NEAR(b.TotalPresentWorth(), 380.031024416 - 67.195818967, 1e-8);
    EXPECT_EQ(b.BookValueAt(10), 0.0);
}

TEST_F(CashFlowTest, OperatingCostsLandInTheirYears) {
    // L = 10, d = 0. Annual: 1000 from year 1 for 3 years at 5 %; 200 from year 8 for 5 years
    // (cut at L); 50 in year 0. Other: 500 from year 2, 3 times every 4 years at 10 % (500 x
    // 1.1^y); 100 from year 5 every 3 years (5, 8); 70 once in year 4; 10 in years 7, 8, 9.
    study(10, 0.0, 1);
    annual(1, 1, 1000, 1, 3, 0.05);
    annual(1, 2, 200, 8, 5);
    annual(1, 3, 50, 0, 1);
    other(1, 1, 500, 2, 3, 4, 0.10);
    other(1, 2, 100, 5, 10, 3);
    other(1, 3, 70, 4, 1, 0);
    other(1, 4, 10, 7, 3, 1);
    calculate();
    const IAlternative& a = alt(1);
    const double annualCost[] = {50, 1050, 1102.5, 1157.625, 0, 0, 0, 0, 200, 200, 200};
    const double otherCost[] = {0, 0, 605, 0, 70, 100, 885.7805, 10, 110, 10, 1296.87123005};
    double total = 0;
    for (int16_t y = 0; y <= 10; ++y) {
        SCOPED_TRACE(y);
        EXPECT_NEAR(a.AnnualOpCostAt(y), annualCost[y], 1e-9);
        EXPECT_NEAR(a.NonAnnualOpCostAt(y), otherCost[y], 1e-8);
        EXPECT_EQ(a.TotalInvestmentAt(y), 0.0);
        total += annualCost[y] + otherCost[y];
    }
    EXPECT_NEAR(a.AnnualOperatingCost(), 1050.0, 1e-9);
    EXPECT_NEAR(a.TotalPresentWorth(), total, 1e-8);
    // L = 0: only year 0 exists, and no year 1 for the annual summary.
    study(0, 0.10, 1);
    annual(1, 1, 100, 0, 3);
    other(1, 1, 70, 0, 1, 1);
    calculate();
    EXPECT_NEAR(alt(1).AnnualOpCostAt(0), 100.0, 1e-9);
    EXPECT_NEAR(alt(1).NonAnnualOpCostAt(0), 70.0, 1e-9);
    EXPECT_EQ(alt(1).AnnualOperatingCost(), 0.0);
}

TEST_F(CashFlowTest, LoansRepayUnderEachPlan) {
    // 10000 in year 2, 80 % financed over 5 years from year 3. Level at 6 %: R = 1899.171203,
    // interest on the balance; equal principal: 1600 a year; interest only: 480 a year, 8000
    // at the end. With L = 5 the balance still open is repaid in year 5.
    struct Case {
        int16_t plan;
        double rate;
        int16_t years;
        std::vector<double> principal, interest;  // years 3..
    };
    const std::vector<double> levelPrincipal = {1419.171203, 1504.321476, 1594.580764, 1690.255610,
                                                1791.670947};
    const std::vector<double> levelInterest = {480, 394.849728, 304.590439, 208.915593, 107.500257};
    const Case cases[] = {
        {0, 0.06, 12, levelPrincipal, levelInterest},
        {0, 0.0, 12, {1600, 1600, 1600, 1600, 1600}, {0, 0, 0, 0, 0}},
        {1, 0.06, 12, {1600, 1600, 1600, 1600, 1600}, {480, 384, 288, 192, 96}},
        {2, 0.06, 12, {0, 0, 0, 0, 8000}, {480, 480, 480, 480, 480}},
        {0, 0.06, 5, {1419.171203, 1504.321476, 5076.507321}, {480, 394.849728, 304.590439}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "plan " << c.plan << " rate " << c.rate << " L " << c.years);
        study(c.years, 0.0, 1);
        const int16_t item = investment(1, 10000, 2);
        alt(1).setLoanFraction(item, 0.8);
        alt(1).setLoanRate(item, c.rate);
        alt(1).setPaymentPlan(item, c.plan);
        alt(1).setLoanTerm(item, 5);
        calculate();
        EXPECT_NEAR(alt(1).CashInvestmentAt(2), 2000.0, 1e-9);
        for (int16_t y = 0; y <= c.years; ++y) {
            const std::size_t k = static_cast<std::size_t>(y) - 3;
            const bool paying = y >= 3 && k < c.principal.size();
            EXPECT_NEAR(alt(1).LoanPrincipalAt(y), paying ? c.principal[k] : 0.0, 1e-6) << y;
            EXPECT_NEAR(alt(1).LoanInterestAt(y), paying ? c.interest[k] : 0.0, 1e-6) << y;
        }
    }
    // No loan for a rebate (not an asset) or for a term of 0.
    study(5, 0.0, 1);
    for (double cost : {-500.0, 1000.0}) {
        const int16_t item = investment(1, cost);
        alt(1).setLoanFraction(item, 0.5);
        alt(1).setLoanRate(item, 0.05);
        alt(1).setLoanTerm(item, cost < 0 ? 3 : 0);
    }
    calculate();
    EXPECT_NEAR(alt(1).CashInvestmentAt(0), 500.0, 1e-9);
    for (int16_t y = 0; y <= 5; ++y) {
        EXPECT_EQ(alt(1).LoanPrincipalAt(y) + alt(1).LoanInterestAt(y), 0.0);
    }
}

TEST_F(CashFlowTest, DepreciationInterestAndDisposalGainEnterTheTax) {
    // L = 5, d = 10 %, t = 40 %: 10000 now, straight line over 5 years, sold in
    // year 4 for 3000 (book value 2000: a gain of 1000); half financed at 8 %,
    // equal principal over 2 years; 1000 a year. Taxable = NI - depreciation - interest.
    study(5, 0.10, 1);
    withTaxes(0.4);
    const int16_t item = investment(1, 10000, 0, 0, 5);
    alt(1).setUsefulLife(item, 4);
    alt(1).setSalvage(item, 3000);
    alt(1).setLoanFraction(item, 0.5);
    alt(1).setLoanRate(item, 0.08);
    alt(1).setPaymentPlan(item, 1);
    alt(1).setLoanTerm(item, 2);
    annual(1, 1, 1000, 1, 5);
    calculate();
    const IAlternative& a = alt(1);
    const double btcf[] = {5000, 3900, 3700, 1000, -2000, 1000};
    const double netIncome[] = {0, -1000, -1000, -1000, 0, -1000};
    const double depreciation[] = {0, 2000, 2000, 2000, 2000, 0};
    const double tax[] = {0, -1360, -1280, -1200, -800, -400};
    const double atcf[] = {5000, 2540, 2420, -200, -2800, 600};
    const double book[] = {10000, 8000, 6000, 4000, 0, 0};
    for (int16_t y = 0; y <= 5; ++y) {
        SCOPED_TRACE(y);
        EXPECT_NEAR(a.BeforeTaxCashFlowAt(y), btcf[y], 1e-9);
        EXPECT_NEAR(a.NetIncomeAt(y), netIncome[y], 1e-9);
        EXPECT_NEAR(a.DepreciationAt(y), depreciation[y], 1e-9);
        EXPECT_NEAR(a.TaxAt(y), tax[y], 1e-9);
        EXPECT_NEAR(a.AfterTaxCashFlowAt(y), atcf[y], 1e-9);
        EXPECT_NEAR(a.BookValueAt(y), book[y], 1e-9);
    }
    EXPECT_NEAR(a.TotalPresentWorth(), 7618.943067724, 1e-8);
    EXPECT_NEAR(a.BeforeTaxTPW(), 11609.514998355, 1e-8);
}

}  // namespace
}  // namespace tavlo::testing
