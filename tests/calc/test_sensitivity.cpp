// The sensitivity runner on a study worked by hand: 10 years at 4 %, 1000 now
// and 300 a year against 2500 now and 100 a year: TPW = cost + annual x a(d),
// a(d) = (1 - (1 + d)^-10) / d, equal where a(d) = 7.5 (near 5.6 %).

#include <gmock/gmock.h>

#include <cmath>

#include "CalcFixtures.h"
#include "qvc/ResManager.h"
#include "qvc/SensitivityAnalysis.h"

namespace qvc::test {
namespace {

double upw(double d) {
    return (1.0 - std::pow(1.0 + d, -10)) / d;
}

class SensitivityTest : public CalcProjectTest {
  protected:
    void SetUp() override {
        CalcProjectTest::SetUp();
        ResManager().SetResourceDB(QVC_RESOURCE_DB);
        analysis.StudyID = addStudy(study("Two plants", 1, 10, 4.0));
        for (auto [title, cost, annual] : {std::tuple{"Cheap", 1000, 300}, {"Frugal", 2500, 100}}) {
            cDesignCase c;
            c.CaseTitle = title;
            c.AnalysisType = 1;
            c.setInvCost(1, cost);
            c.setInvDepLife(1, 10);
            c.setAnnOpCost(1, annual);
            c.setAnnOpCostStartYear(1, 1);
            c.setAnnOpCostNumYears(1, 10);
            addCase(analysis.StudyID, c);
        }
    }

    // One factor varied from `low` to `high` (the factor's own defaults when not given).
    const SensitivityResult& run(const std::string& name, std::optional<double> low = {},
                                 std::optional<double> high = {}) {
        SensitivityFactor f = *SensitivityFactor::fromName(name);
        f.low = low;
        f.high = high;
        EXPECT_TRUE(analysis.Run({f})) << analysis.getErrorMsg();
        return analysis.Result();
    }
    static void expectPoint(const SensitivityPoint& p, double d, int16_t preferred) {
        SCOPED_TRACE(d);
        ASSERT_TRUE(p.calculated) << p.errorDescription;
        EXPECT_NEAR(p.totalPresentWorth[0], 1000 + 300 * upw(d), 1e-6);
        EXPECT_NEAR(p.totalPresentWorth[1], 2500 + 100 * upw(d), 1e-6);
        EXPECT_EQ(p.preferredCaseId, preferred);
    }

    SensitivityAnalysis analysis;
};

TEST_F(SensitivityTest, DiscountRatePointsAndTheBreakEvenRate) {
    const SensitivityResult& r = run("discount-rate", 0.03, 0.08);
    expectPoint(r.factors[0].low, 0.03, 2);
    expectPoint(r.base, 0.04, 2);
    expectPoint(r.factors[0].high, 0.08, 1);
    EXPECT_NEAR(r.factors[0].preferredSwing, 100 * (upw(0.03) - upw(0.08)), 1e-6);
    ASSERT_TRUE(r.breakEven.has_value());
    EXPECT_EQ(r.breakEven->caseId, 1);
    EXPECT_NEAR(upw(r.breakEven->rate), 7.5, 5e-9);
    ASSERT_TRUE(r.atBreakEven.has_value() && r.atBreakEven->calculated);
    EXPECT_NEAR(r.atBreakEven->totalPresentWorth[0], r.atBreakEven->totalPresentWorth[1], 1e-6);
}

TEST_F(SensitivityTest, CostFactorsMoveOnlyTheirCaseAndOutOfRangeFailsOnlyThatPoint) {
    // By default a cost moves 20 % either way.
    for (auto [name, moved, lowChange] :
         {std::tuple{"investment:2", 1, -0.2 * 2500}, {"annual:1", 0, -0.2 * 300 * upw(0.04)}}) {
        SCOPED_TRACE(name);
        const SensitivityResult& r = run(name);
        const SensitivityFactorResult& f = r.factors[0];
        ASSERT_TRUE(f.low.calculated && f.high.calculated);
        for (size_t i = 0; i < 2; ++i) {
            const double change = static_cast<int>(i) == moved ? lowChange : 0.0;
            EXPECT_NEAR(f.low.totalPresentWorth[i] - r.base.totalPresentWorth[i], change, 1e-6);
            EXPECT_NEAR(f.high.totalPresentWorth[i] - r.base.totalPresentWorth[i], -change, 1e-6);
        }
    }
    // An annual cost of -300 is past the case's 0: only that point fails.
    const SensitivityResult& r = run("annual:1", -2.0, 0.1);
    EXPECT_EQ(r.factors[0].low.errorNumber, 310);
    EXPECT_THAT(r.factors[0].low.errorDescription, ::testing::HasSubstr("-300"));
    EXPECT_NEAR(r.factors[0].high.totalPresentWorth[0], 1000 + 330 * upw(0.04), 1e-6);
    EXPECT_FALSE(analysis.Run({*SensitivityFactor::fromName("annual:7")}));
    EXPECT_EQ(analysis.ErrorNumber(), 9);
    EXPECT_THAT(analysis.getErrorMsg(), ::testing::EndsWith("#Run#SensitivityAnalysis#"));
}

}  // namespace
}  // namespace qvc::test
