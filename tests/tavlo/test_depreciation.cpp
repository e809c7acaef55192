#include <vector>

#include "EngineFixture.h"

namespace tavlo::testing {
namespace {

class DepreciationTest : public EngineTest {
  protected:
    // 10000 paid in `year`, kept to the end of 30 years: `schedule` from the year after.
    void expectSchedule(int16_t method, int16_t life, const std::vector<double>& schedule,
                        int16_t year = 0) {
        SCOPED_TRACE(::testing::Message() << "method " << method << " life " << life);
        study(30, 0.0, 1);
        investment(1, 10000, year, method, life);
        calculate();
        double left = 10000;
        for (int16_t y = 0; y <= 30; ++y) {
            const int k = y - year - 1;
            const double want = k >= 0 && k < static_cast<int>(schedule.size()) ? schedule[k] : 0.0;
            EXPECT_NEAR(alt(1).DepreciationAt(y), want, 1e-6) << "year " << y;
            left -= want;
            EXPECT_NEAR(alt(1).BookValueAt(y), y < year ? 0.0 : left, 1e-6) << "year " << y;
        }
    }
};

TEST_F(DepreciationTest, EachMethodFollowsItsScheduleAndMacrsThePublishedPercentages) {
    // Straight line, also when bought in year 2; sum of years' digits (10).
    expectSchedule(0, 5, {2000, 2000, 2000, 2000, 2000});
    expectSchedule(0, 5, {2000, 2000, 2000, 2000, 2000}, 2);
    expectSchedule(1, 4, {4000, 3000, 2000, 1000});
    // 200 %: 4000, 2400, 1440, then straight line 2160 / 2 beats 864.
    expectSchedule(2, 5, {4000, 2400, 1440, 1080, 1080});
    // 150 %: 3000, 2100, then straight line 4900 / 3 beats 1470.
    expectSchedule(3, 5, {3000, 2100, 4900.0 / 3, 4900.0 / 3, 4900.0 / 3});
    // MACRS unpublished, D = 4, 200 %, half years: 2500, 3750, 1875 (vs 1500), 1875 / 1.5, 625.
    expectSchedule(4, 4, {2500, 3750, 1875, 1250, 625});
    // D = 12 uses 150 %: 0.5 x 1.5 / 12 x 10000, then 9375 x 0.125.
    study(30, 0.0, 1);
    investment(1, 10000, 0, 4, 12);
    calculate();
    EXPECT_NEAR(alt(1).DepreciationAt(1), 625.0, 1e-9);
    EXPECT_NEAR(alt(1).DepreciationAt(2), 1171.875, 1e-9);
    EXPECT_GT(alt(1).DepreciationAt(13), 0.0);
    EXPECT_NEAR(alt(1).BookValueAt(13), 0.0, 1e-6);
    expectSchedule(5, 5, {});
    // MACRS with a published row follows its percentages.
    const std::vector<std::vector<double>> published = {
        {33.33, 44.45, 14.81, 7.41},
        {20.00, 32.00, 19.20, 11.52, 11.52, 5.76},
        {14.29, 24.49, 17.49, 12.49, 8.93, 8.92, 8.93, 4.46},
        {10.00, 18.00, 14.40, 11.52, 9.22, 7.37, 6.55, 6.55, 6.56, 6.55, 3.28},
        {5.00, 9.50, 8.55, 7.70, 6.93, 6.23, 5.90, 5.90, 5.91, 5.90, 5.91, 5.90, 5.91, 5.90, 5.91,
         2.95},
        {3.750, 7.219, 6.677, 6.177, 5.713, 5.285, 4.888, 4.522, 4.462, 4.461, 4.462,
         4.461, 4.462, 4.461, 4.462, 4.461, 4.462, 4.461, 4.462, 4.461, 2.231}};
    const int16_t lives[] = {3, 5, 7, 10, 15, 20};
    for (std::size_t row = 0; row < published.size(); ++row) {
        std::vector<double> amounts;
        for (double percent : published[row]) {
            amounts.push_back(percent * 100.0);  // of a 10000 basis
        }
        expectSchedule(4, lives[row], amounts);
    }
}

TEST_F(DepreciationTest, TaxExemptItemsAreOutsideTheBooks) {
    // 3000, sold in year 2 for 2500: no depreciation, no book value, no gain.
    study(10, 0.0, 1);
    const int16_t exempt = investment(1, 3000, 0, 0, 3);
    alt(1).setTaxExempt(exempt, true);
    alt(1).setUsefulLife(exempt, 2);
    alt(1).setSalvage(exempt, 2500);
    calculate();
    EXPECT_NEAR(alt(1).CashInvestmentAt(2), -2500.0, 1e-9);
    for (int16_t y = 0; y <= 10; ++y) {
        EXPECT_EQ(alt(1).DepreciationAt(y) + alt(1).BookValueAt(y) + alt(1).NetIncomeAt(y), 0.0);
    }
}

}  // namespace
}  // namespace tavlo::testing
