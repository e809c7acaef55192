#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

#include "EngineFixture.h"
#include "RandomStudy.h"

namespace tavlo::testing {
namespace {

constexpr int kStudies = 300;

double tolerance(double magnitude) {
    return 1e-7 * std::max(1.0, std::fabs(magnitude));
}

class IdentityTest : public EngineTest {
  protected:
    bool taxesApply() const { return engine->AnalysisType() == 0 && engine->IncomeTaxFlag(); }
    double discount(int16_t y) const { return std::pow(1 + engine->DiscountRate(), -y); }
    double cashFlow(const IAlternative& a, int16_t y) const {
        return taxesApply() ? a.AfterTaxCashFlowAt(y) : a.BeforeTaxCashFlowAt(y);
    }
    const IAlternative& byNumber(int16_t number) {
        for (int16_t i = 1; i <= engine->Alternatives().Count(); ++i) {
            if (alt(i).Number() == number) {
                return alt(i);
            }
        }
        ADD_FAILURE() << "no alternative numbered " << number;
        return alt(1);
    }
};

TEST_F(IdentityTest, SeriesAndComparisonsAddUpAndAgreeWithTheRanking) {
    for (int seed = 0; seed < kStudies; ++seed) {
        SCOPED_TRACE(seed);
        RandomStudy(static_cast<unsigned>(seed)).fill(*engine);
        calculate();
        const int16_t L = engine->AnalysisPeriod();
        const double t = taxesApply() ? engine->IncomeTaxRate() : 0.0;
        for (int16_t i = 1; i <= engine->Alternatives().Count(); ++i) {
            const IAlternative& a = alt(i);
            double pwSum = 0;
            double beforeTaxPw = 0;
            for (int16_t y = 0; y <= L; ++y) {
                const double ti =
                    a.CashInvestmentAt(y) + a.LoanPrincipalAt(y) + a.LoanInterestAt(y);
                const double op = a.AnnualOpCostAt(y) + a.NonAnnualOpCostAt(y);
                ASSERT_NEAR(a.TotalInvestmentAt(y), ti, tolerance(ti));
                ASSERT_NEAR(a.TotalOpCostAt(y), op, tolerance(op));
                ASSERT_NEAR(a.BeforeTaxCashFlowAt(y), ti + op, tolerance(ti + op));
                ASSERT_NEAR(a.TaxableIncomeAt(y),
                            a.NetIncomeAt(y) - a.DepreciationAt(y) - a.LoanInterestAt(y),
                            tolerance(a.TaxableIncomeAt(y)));
                ASSERT_NEAR(a.TaxAt(y), t * a.TaxableIncomeAt(y), tolerance(a.TaxAt(y)));
                ASSERT_NEAR(a.AfterTaxCashFlowAt(y), a.BeforeTaxCashFlowAt(y) + a.TaxAt(y),
                            tolerance(a.AfterTaxCashFlowAt(y)));
                ASSERT_NEAR(a.PWCashFlowAt(y), cashFlow(a, y) * discount(y),
                            tolerance(a.PWCashFlowAt(y)));
                ASSERT_NEAR(a.PWInvestmentAt(y) + a.PWOpCostAt(y),
                            a.BeforeTaxCashFlowAt(y) * discount(y),
                            tolerance(a.BeforeTaxCashFlowAt(y)));
                ASSERT_GE(a.BookValueAt(y), -1e-6);
                pwSum += a.PWCashFlowAt(y);
                beforeTaxPw += a.BeforeTaxCashFlowAt(y) * discount(y);
            }
            EXPECT_NEAR(pwSum, a.TotalPresentWorth(), tolerance(pwSum));
            EXPECT_NEAR(beforeTaxPw, a.BeforeTaxTPW(), tolerance(beforeTaxPw));
            EXPECT_EQ(a.AnnualOperatingCost(), a.AnnualOpCostAt(1));
        }
        const int16_t n = engine->Alternatives().Count();
        ASSERT_EQ(engine->Comparisons().Count(), n - 1);
        std::set<int16_t> ranks;
        for (int16_t i = 1; i <= n; ++i) {
            ASSERT_GE(alt(i).Rank(), 1);
            ASSERT_LE(alt(i).Rank(), n);
            ranks.insert(alt(i).Rank());
            for (int16_t j = 1; j <= n; ++j) {
                if (alt(i).Rank() < alt(j).Rank()) {
                    EXPECT_LE(alt(i).TotalPresentWorth(), alt(j).TotalPresentWorth() + 1e-6);
                }
            }
        }
        EXPECT_EQ(ranks.size(), static_cast<std::size_t>(n));
        for (int16_t k = 1; k < n; ++k) {
            const IComparison& c = cmp(k);
            const IAlternative& base = byNumber(c.BaseCase());
            const IAlternative& challenger = byNumber(c.Challenger());
            double sum = 0;
            double cumInv = 0;
            double cumOp = 0;
            for (int16_t y = 0; y <= L; ++y) {
                sum += c.NPWSavingsAt(y);
                cumInv += c.AddInvCostAt(y);
                cumOp += c.OpCostSavingsAt(y);
                ASSERT_NEAR(c.NPWSavingsAt(y), c.OpCostSavingsAt(y) - c.AddInvCostAt(y),
                            tolerance(c.NPWSavingsAt(y)));
                ASSERT_NEAR(c.NPWSavingsAt(y),
                            (cashFlow(base, y) - cashFlow(challenger, y)) * discount(y),
                            tolerance(cashFlow(base, y)) + tolerance(cashFlow(challenger, y)));
                ASSERT_NEAR(c.CumAddInvCostAt(y), cumInv, tolerance(cumInv));
                ASSERT_NEAR(c.CumOpCostSavingsAt(y), cumOp, tolerance(cumOp));
                if (cumInv > 1e-6) {
                    ASSERT_NEAR(c.SIR(y), cumOp / cumInv,
                                1e-9 * std::max(1.0, std::fabs(c.SIR(y))));
                }
            }
            EXPECT_NEAR(sum, c.NPWSavings(), tolerance(sum));
            EXPECT_NEAR(c.NPWSavings(), base.TotalPresentWorth() - challenger.TotalPresentWorth(),
                        tolerance(c.NPWSavings()));
            EXPECT_NEAR(c.AdditionalFirstCost(), challenger.FirstCost() - base.FirstCost(),
                        tolerance(c.AdditionalFirstCost()));
            EXPECT_EQ(c.Winner(), c.NPWSavings() > 0.005 ? c.Challenger() : c.BaseCase());
        }
        if (engine->AlternativeType() == 0 && n > 1) {
            const IAlternative& winner = byNumber(cmp(static_cast<int16_t>(n - 1)).Winner());
            double lowest = winner.TotalPresentWorth();
            for (int16_t i = 1; i <= n; ++i) {
                lowest = std::min(lowest, alt(i).TotalPresentWorth());
            }
            EXPECT_LE(winner.TotalPresentWorth() - lowest, 0.005 * (n - 1) + 1e-9);
        }
    }
}

TEST_F(IdentityTest, RatesOfReturnAreFallingRootsOfTheSavings) {
    int found = 0;
    int adjusted = 0;
    for (int seed = 2000; seed < 2000 + kStudies; ++seed) {
        SCOPED_TRACE(seed);
        RandomStudy(static_cast<unsigned>(seed)).fill(*engine);
        calculate();
        const int16_t L = engine->AnalysisPeriod();
        const double d = engine->DiscountRate();
        for (int16_t k = 1; k < engine->Alternatives().Count(); ++k) {
            const IComparison& c = cmp(k);
            const IAlternative& base = byNumber(c.BaseCase());
            const IAlternative& challenger = byNumber(c.Challenger());
            if (c.AIRR() != -1.0) {
                ++adjusted;
                EXPECT_NEAR(std::pow(1 + c.AIRR(), L), std::pow(1 + d, L) * c.SIR(L),
                            1e-9 * std::pow(1 + d, L) * c.SIR(L));
            } else {
                EXPECT_TRUE(L == 0 || c.SIR(L) <= 0.0) << c.SIR(L);
            }
            for (bool afterTax : {true, false}) {
                const double r = afterTax ? c.IRR() : c.BeforeTaxIRR();
                if (r == -1.0) {
                    continue;
                }
                ++found;
                ASSERT_GT(r, -1.0);
                auto worth = [&](double x, bool absolute) {
                    double pw = 0;
                    for (int16_t y = 0; y <= L; ++y) {
                        const double s = afterTax ? cashFlow(base, y) - cashFlow(challenger, y)
                                                  : base.BeforeTaxCashFlowAt(y) -
                                                        challenger.BeforeTaxCashFlowAt(y);
                        pw += (absolute ? std::fabs(s) : s) * std::pow(1 + x, -y);
                    }
                    return pw;
                };
                EXPECT_LE(std::fabs(worth(r, false)), 1e-6 * worth(r, true)) << "rate " << r;
                const double step = 1e-3 * (1 + r);
                EXPECT_GT(worth(r - step, false), 0.0) << "rate " << r;
                EXPECT_LT(worth(r + step, false), 0.0) << "rate " << r;
            }
        }
    }
    EXPECT_GT(found, 50);  // the random studies do exercise the root finder
    EXPECT_GT(adjusted, 50);
}

TEST_F(IdentityTest, FinancingAtTheDiscountRateDoesNotChangeTheBeforeTaxWorth) {
    for (int seed = 3000; seed < 3000 + 100; ++seed) {
        SCOPED_TRACE(seed);
        RandomStudy(static_cast<unsigned>(seed)).fill(*engine);
        const int16_t n = engine->Alternatives().Count();
        // Every loan at rate d first, then no loans at all.
        auto beforeTaxWorths = [&](bool financed) {
            std::vector<double> worths;
            for (int16_t i = 1; i <= n; ++i) {
                for (int16_t j = 1; j <= 6; ++j) {
                    alt(i).setLoanRate(j, engine->DiscountRate());
                    if (!financed) {
                        alt(i).setLoanFraction(j, 0.0);
                    }
                }
            }
            calculate();
            for (int16_t i = 1; i <= n; ++i) {
                worths.push_back(alt(i).BeforeTaxTPW());
            }
            return worths;
        };
        const std::vector<double> financed = beforeTaxWorths(true);
        const std::vector<double> paidInCash = beforeTaxWorths(false);
        for (std::size_t i = 0; i < financed.size(); ++i) {
            EXPECT_NEAR(paidInCash[i], financed[i], tolerance(financed[i]));
        }
    }
}

}  // namespace
}  // namespace tavlo::testing
