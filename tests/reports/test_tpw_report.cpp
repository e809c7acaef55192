// The total present worth profiles: the table's rows in the order its caption
// names with the engine's figures, the cumulative profiles, 21 cases.

#include "ReportTest.h"
#include "reports/cRptTotPresWorthProfiles.h"

namespace qvc::test {
namespace {

using A = tavlo::IAlternative;

class ProfilesTest : public ReportTest {
  protected:
    RtfDocument profiles(const std::string& subCode) {
        return writeReport([&](doc::DocumentObject& d) {
            OnInputs<cRptTotPresWorthProfiles> on;
            auto& report = on.report;
            report.setGraph(d);
            report.setPWtable(d, subCode);
        });
    }
    // Small cases whose totals rank them unlike their stored order.
    static std::vector<cDesignCase> manyCases(int count) {
        std::vector<cDesignCase> cases;
        for (int i = 1; i <= count; ++i) {
            cDesignCase c;
            c.CaseTitle = "Option " + std::to_string(i);
            c.CaseShortTitle = "Opt " + std::to_string(i);
            c.setInvItemName(1, "Plant");
            c.setInvCost(1, 10000.0 + 250.0 * i);
            c.setInvDepLife(1, 10);
            c.setAnnOpCostName(1, "Energy");
            c.setAnnOpCost(1, 1000.0 * ((i * 7) % count + 1));
            c.setAnnOpCostStartYear(1, 1);
            c.setAnnOpCostNumYears(1, 25);
            cases.push_back(c);
        }
        return cases;
    }
    // Ranked by total present worth for independent cases, by first cost for
    // mutually exclusive ones.
    void checkTable(const RtfDocument& d, const std::string& currency, bool withTaxes) {
        ASSERT_EQ(d.tables().size(), 1u);
        const RtfTable& table = *d.tables()[0];
        const bool ranked = threadState().arrStudy[3] == "1";
        EXPECT_TRUE(hasParagraph(d, ranked ? res().gXstrLSTableDesignCaseRankedByTPW
                                           : res().gXstrLSTableFirstCostDesignCases));
        Rows expected{{res().gXstrColDesignCaseName, res().gXstrColDesignCaseShortName,
                       (withTaxes ? res().gXstrLSColAfterTaxTPW : res().gXstrLSColTPW) + " (" +
                           currency + ")"}};
        if (withTaxes)
            expected[0].push_back(res().gXstrLSColBeforeTaxTPW + " (" + currency + ")");
        expected[0].push_back("Annual Operating Cost (" + currency + "/yr)");
        expected[0].push_back("First Cost (" + currency + ")");
        const Rows rows = caseRows(ranked, withTaxes, currency);
        expected.insert(expected.end(), rows.begin(), rows.end());
        EXPECT_EQ(tableTexts(table), expected);
        expectFitsThePage(table, d.sections.at(0));
    }
};

TEST_F(ProfilesTest, TableRowsAndChartForEachKindOfStudy) {
    struct Case {
        ExampleVariant variant;
        const char* code;
    };
    ExampleVariant euro = variantOf(1, 1, false);
    euro.currency = "EUR";
    for (const Case& c : {Case{variantOf(0, 0, true), "TPW1"}, Case{euro, "TPW2"},
                          Case{variantOf(3, 0, false), "TPW2"}}) {
        SCOPED_TRACE(c.code);
        calculate(c.variant);
        const RtfDocument d = profiles(c.code);
        checkTable(d, threadState().arrStudy[9], c.variant.taxes);
        EXPECT_EQ(d.pictures().size(), 1u);
    }
}

TEST_F(ProfilesTest, ProfilesAccumulateTheRoundedYearlyPresentWorthsInRankOrder) {
    calculate();
    const graph::Chart chart = OnInputs<cRptTotPresWorthProfiles>().report.profileChart();
    const std::vector<int16_t> order = byRank();
    ASSERT_EQ(chart.subsets.size(), order.size());
    ASSERT_EQ(chart.pointLabels.size(), 26u);
    double largest = 0;
    for (size_t s = 0; s < order.size(); ++s) {
        const A& alt = alts().Item(order[s]);
        EXPECT_EQ(chart.subsets[s].label, shortTitle(order[s]));
        double running = 0;
        for (int16_t y = 0; y <= 25; ++y) {
            running += std::nearbyint(alt.PWCashFlowAt(y));
            EXPECT_EQ(chart.subsets[s].values[static_cast<size_t>(y)], running) << y;
            largest = std::max(largest, running);
        }
        // The last point is the total present worth in whole units.
        EXPECT_NEAR(chart.subsets[s].values.back(), alt.TotalPresentWorth(), 25);
    }
    EXPECT_GT(*chart.yMax, largest);
    EXPECT_EQ(chart.yAxisLabel, res().gXstrTPWCumPW + " ($)");
}

TEST_F(ProfilesTest, TwentyOneCasesAbandonTheChartOnlyAndNoResultsTheTable) {
    calculate(variantOf(0, 0, false), manyCases(21));
    RtfDocument d = profiles("TPW2");
    EXPECT_TRUE(d.pictures().empty());
    for (const std::string& part : {res().gXstrTPWCumPW + " " + res().gXstrGraphs,
                                    std::string("Error 9 - "), std::string("Procedure - setGraph")})
        EXPECT_TRUE(contains(d.bodyText(), part)) << part;
    checkTable(d, "$", false);

    threadState().colAlternatives.reset();
    d = profiles("TPW2");
    EXPECT_TRUE(d.tables().empty());
    EXPECT_TRUE(contains(d.bodyText(), "Procedure - setPWtable"));
    EXPECT_TRUE(contains(d.bodyText(), res().gXstrCanNotGen));
}

}  // namespace
}  // namespace qvc::test
