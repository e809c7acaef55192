// The total present worth profiles: the table's rows with the engine's figures,
// the cumulative profiles, 21 cases.

#include "ReportTest.h"
#include "reports/cRptTotPresWorthProfiles.h"

namespace qvc::test {
namespace {

class ProfilesTest : public ReportTest {
  protected:
    RtfDocument profiles(const std::string& subCode) {
        return writeReport([&](doc::DocumentObject& d) {
            OnInputs<cRptTotPresWorthProfiles> on;
            on.report.setGraph(d);
            on.report.setPWtable(d, subCode);
        });
    }
    // Ranked by total present worth for independent cases, by first cost for
    // mutually exclusive ones; amounts in the study's currency.
    void checkTable(const RtfDocument& d, bool withTaxes) {
        ASSERT_EQ(d.tables().size(), 1u);
        const std::string& currency = threadState().arrStudy[9];
        EXPECT_EQ(bodyRows(*d.tables()[0]),
                  caseRows(threadState().arrStudy[3] == "1", withTaxes, currency));
        EXPECT_EQ(d.tables()[0]->rows[0].cells.back().text, "First Cost (" + currency + ")");
        expectFitsThePage(*d.tables()[0], d.sections.at(0));
    }
};

TEST_F(ProfilesTest, TableRowsAndChartForEachKindOfStudy) {
    ExampleVariant euro = variantOf(1, 1, false);
    euro.currency = "EUR";
    for (const auto& [variant, code] :
         {std::pair{variantOf(0, 0, true), "TPW1"}, std::pair{euro, "TPW2"},
          std::pair{variantOf(3, 0, false), "TPW2"}}) {
        SCOPED_TRACE(code);
        calculate(variant);
        const RtfDocument d = profiles(code);
        checkTable(d, variant.taxes);
        EXPECT_EQ(d.pictures().size(), 1u);
    }
}

TEST_F(ProfilesTest, ProfilesAccumulateTheRoundedYearlyPresentWorthsInRankOrder) {
    calculate();
    const graph::Chart chart = OnInputs<cRptTotPresWorthProfiles>().report.profileChart();
    const std::vector<int16_t> order = byRank();
    ASSERT_EQ(chart.subsets.size(), order.size());
    double largest = 0;
    for (size_t s = 0; s < order.size(); ++s) {
        const tavlo::IAlternative& alt = alts().Item(order[s]);
        EXPECT_EQ(chart.subsets[s].label, shortTitle(order[s]));
        ASSERT_EQ(chart.subsets[s].values.size(), 26u);
        double running = 0;
        for (int16_t y = 0; y <= 25; ++y) {
            running += std::nearbyint(alt.PWCashFlowAt(y));
            EXPECT_EQ(chart.subsets[s].values[static_cast<size_t>(y)], running) << y;
            largest = std::max(largest, running);
        }
        // The last point is the total present worth in whole units.
        EXPECT_NEAR(running, alt.TotalPresentWorth(), 25);
    }
    EXPECT_GT(*chart.yMax, largest);
}

TEST_F(ProfilesTest, TwentyOneCasesAbandonTheChartOnlyAndNoResultsTheTable) {
    std::vector<cDesignCase> cases;
    for (int i = 1; i <= 21; ++i) {  // totals that rank them unlike their stored order
        cDesignCase c;
        c.CaseTitle = c.CaseShortTitle = "Option " + std::to_string(i);
        c.setInvItemName(1, "Plant");
        c.setInvCost(1, 10000.0 + 250.0 * i);
        c.setInvDepLife(1, 10);
        c.setAnnOpCostName(1, "Energy");
        c.setAnnOpCost(1, 1000.0 * ((i * 7) % 21 + 1));
        c.setAnnOpCostStartYear(1, 1);
        c.setAnnOpCostNumYears(1, 25);
        cases.push_back(c);
    }
    calculate(variantOf(0, 0, false), cases);
    RtfDocument d = profiles("TPW2");
    EXPECT_TRUE(d.pictures().empty());
    EXPECT_TRUE(contains(d.bodyText(), "Procedure - setGraph")) << d.bodyText();
    checkTable(d, false);

    threadState().colAlternatives.reset();
    d = profiles("TPW2");
    EXPECT_TRUE(d.tables().empty());
    EXPECT_TRUE(contains(d.bodyText(), "Procedure - setPWtable"));
}

}  // namespace
}  // namespace qvc::test
