// The sensitivity runner on a two-case study small enough to work by hand.
//
// Public-sector study, 10 years, discount rate 4 %, no taxes, no escalation.
//   Case 1 "Cheap":  investment 1000 in year 0, annual cost 300 in years 1..10
//   Case 2 "Frugal": investment 2500 in year 0, annual cost 100 in years 1..10
// With the uniform present-worth factor a(d) = (1 - (1 + d)^-10) / d:
//   TPW1(d) = 1000 + 300 a(d),  TPW2(d) = 2500 + 100 a(d).
// At 4 %: a = 8.1109, TPW1 = 3433.27, TPW2 = 3311.09: case 2 is preferred.
// The two are equal where 200 a(d) = 1500, a(d) = 7.5: d = 5.6 % (a(5 %) =
// 7.72, a(6 %) = 7.36); above it case 1 is preferred.

#include <gmock/gmock.h>

#include <cmath>
#include <fstream>
#include <iterator>

#include "CalcProjectFixture.h"
#include "qvc/ResManager.h"
#include "qvc/SensitivityAnalysis.h"

namespace qvc::test {
namespace {

double upw(double d) {
    return (1.0 - std::pow(1.0 + d, -10)) / d;
}
double tpwCheap(double d) {
    return 1000 + 300 * upw(d);
}
double tpwFrugal(double d) {
    return 2500 + 100 * upw(d);
}

SensitivityFactor factor(const std::string& name, std::optional<double> low = std::nullopt,
                         std::optional<double> high = std::nullopt) {
    SensitivityFactor f = *SensitivityFactor::fromName(name);
    f.low = low;
    f.high = high;
    return f;
}

class SensitivityTest : public CalcProjectTest {
  protected:
    void SetUp() override {
        CalcProjectTest::SetUp();
        // The texts that name a value out of range.
        ResManager().SetResourceDB(QVC_RESOURCE_DB);
        studyId = addStudy(study("Two plants", 1, 10, 4.0));
        addCase(studyId, plant("Cheap", 1000, 300));
        addCase(studyId, plant("Frugal", 2500, 100));
        analysis.StudyID = studyId;
    }

    static cDesignCase plant(const std::string& title, double cost, double annual) {
        cDesignCase c;
        c.CaseTitle = title;
        c.CaseShortTitle = title;
        c.AnalysisType = 1;
        c.setInvItemName(1, "Plant");
        c.setInvCost(1, cost);
        c.setInvDepLife(1, 10);
        c.setAnnOpCostName(1, "Running");
        c.setAnnOpCost(1, annual);
        c.setAnnOpCostStartYear(1, 1);
        c.setAnnOpCostNumYears(1, 10);
        return c;
    }

    const SensitivityResult& run(const std::vector<SensitivityFactor>& factors) {
        EXPECT_TRUE(analysis.Run(factors)) << analysis.getErrorMsg();
        return analysis.Result();
    }

    int16_t studyId = 0;
    SensitivityAnalysis analysis;
};

TEST_F(SensitivityTest, DiscountRatePointsMatchThePresentWorthFormula) {
    const SensitivityResult& r = run({factor("discount-rate", 0.03, 0.08)});
    ASSERT_EQ(r.factors.size(), 1u);
    const SensitivityFactorResult& f = r.factors[0];
    const struct {
        const SensitivityPoint& point;
        double rate;
        int16_t preferred;
    } cases[] = {{f.low, 0.03, 2}, {r.base, 0.04, 2}, {f.high, 0.08, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rate);
        ASSERT_TRUE(c.point.calculated) << c.point.errorDescription;
        EXPECT_NEAR(c.point.totalPresentWorth[0], tpwCheap(c.rate), 1e-6);
        EXPECT_NEAR(c.point.totalPresentWorth[1], tpwFrugal(c.rate), 1e-6);
        EXPECT_EQ(c.point.preferredCaseId, c.preferred);
    }
    EXPECT_NEAR(f.preferredSwing, tpwFrugal(0.03) - tpwFrugal(0.08), 1e-6);
}

TEST_F(SensitivityTest, BreakEvenRateEqualsBothPresentWorthsAndFlipsThePreference) {
    const SensitivityResult& r = run({});
    ASSERT_TRUE(r.breakEven.has_value());
    const double d = r.breakEven->rate;
    EXPECT_EQ(r.breakEven->caseId, 1);
    EXPECT_GT(d, 0.05);
    EXPECT_LT(d, 0.06);
    EXPECT_NEAR(tpwCheap(d), tpwFrugal(d), 1e-6);
    ASSERT_TRUE(r.atBreakEven.has_value());
    ASSERT_TRUE(r.atBreakEven->calculated);
    EXPECT_NEAR(r.atBreakEven->totalPresentWorth[0], r.atBreakEven->totalPresentWorth[1], 1e-6);

    const SensitivityResult& around = run({factor("discount-rate", d - 1e-4, d + 1e-4)});
    EXPECT_EQ(around.factors[0].low.preferredCaseId, 2);
    EXPECT_EQ(around.factors[0].high.preferredCaseId, 1);
}

TEST_F(SensitivityTest, CostGroupAtTwentyPercentMovesOnlyItsOwnCase) {
    const double a = upw(0.04);
    // Factor, the case whose TPW moves, and how far it moves at -20 %.
    const struct {
        const char* name;
        size_t moved;
        double lowChange;
    } cases[] = {
        {"investment:1", 0, -0.2 * 1000},
        {"investment:2", 1, -0.2 * 2500},
        {"annual:1", 0, -0.2 * 300 * a},
        {"annual:2", 1, -0.2 * 100 * a},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SensitivityResult& r = run({factor(c.name)});
        const SensitivityFactorResult& f = r.factors[0];
        ASSERT_TRUE(f.low.calculated && f.high.calculated);
        for (size_t i = 0; i < 2; ++i) {
            const double change = i == c.moved ? c.lowChange : 0.0;
            EXPECT_NEAR(f.low.totalPresentWorth[i] - r.base.totalPresentWorth[i], change, 1e-6);
            EXPECT_NEAR(f.high.totalPresentWorth[i] - r.base.totalPresentWorth[i], -change, 1e-6);
        }
    }
}

TEST_F(SensitivityTest, ValueOutOfRangeFailsOnlyThatPoint) {
    // A discount rate of 60 % is beyond the study check's 50 %; an annual
    // cost made negative is beyond the case check's 0.
    const SensitivityResult& r =
        run({factor("discount-rate", 0.02, 0.6), factor("annual:1", -2.0, 0.1)});
    const SensitivityFactorResult& rate = r.factors[0];
    EXPECT_TRUE(rate.low.calculated);
    EXPECT_FALSE(rate.high.calculated);
    EXPECT_EQ(rate.high.errorNumber, 309);
    const SensitivityFactorResult& annual = r.factors[1];
    EXPECT_FALSE(annual.low.calculated);
    EXPECT_EQ(annual.low.errorNumber, 310);
    EXPECT_THAT(annual.low.errorDescription, ::testing::HasSubstr("-300"));
    ASSERT_TRUE(annual.high.calculated);
    EXPECT_NEAR(annual.high.totalPresentWorth[0], 1000 + 330 * upw(0.04), 1e-6);
}

TEST_F(SensitivityTest, ProjectFileIsUnchangedAndUnknownCaseIsAnError) {
    auto bytes = [this] {
        std::ifstream in(dir / "ORV30.mdb", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const std::string before = bytes();
    run({factor("discount-rate"), factor("investment:1"), factor("escalation:2", 0.0, 0.05)});
    EXPECT_EQ(bytes(), before);

    EXPECT_FALSE(analysis.Run({factor("annual:7")}));
    EXPECT_EQ(analysis.ErrorNumber(), 9);
    EXPECT_THAT(analysis.getErrorMsg(), ::testing::StartsWith("9#"));
    EXPECT_THAT(analysis.getErrorMsg(), ::testing::EndsWith("#Run#SensitivityAnalysis#"));
}

}  // namespace
}  // namespace qvc::test
