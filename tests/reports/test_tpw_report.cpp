// The total present worth profiles report on calculated studies: the table's
// rows in rank order with the engine's totals as money texts, its title and
// columns by code and type of alternatives, the cumulative profile lines, and
// the chart abandoned for a 21st design case while the table is still written.

#include <gmock/gmock.h>

#include <algorithm>
#include <set>

#include "CashFlowStudyFixture.h"
#include "reports/cRptTotPresWorthProfiles.h"

namespace qvc::test {
namespace {

using A = tavlo::IAlternative;

class TotPresWorthReportTest : public CashFlowStudyTest {
  protected:
    RtfDocument writeReport(const std::string& subCode) {
        doc::DocumentObject d;
        openDocument(d, "tpw.rtf", false);
        const ReportInputs inputs = reports::readReportInputs();
        cRptTotPresWorthProfiles report(inputs);
        report.setGraph(d);
        report.setPWtable(d, subCode);
        d.FinishDocument(true, 0);
        return readRtfFile(work / "tpw.rtf");
    }

    // "$12,345", "-$12,345".
    static std::string money(double value) {
        const std::string number = rt::FormatNumber(value, 0, true);
        return number.starts_with("-") ? "-$" + number.substr(1) : "$" + number;
    }

    // Small cases whose totals rank them in an order unlike the stored one.
    static std::vector<cDesignCase> manyCases(int count) {
        std::vector<cDesignCase> cases;
        for (int i = 1; i <= count; ++i) {
            cDesignCase c;
            c.CaseTitle = "Option " + std::to_string(i);
            c.CaseShortTitle = "Opt " + std::to_string(i);
            c.setInvItemName(1, "Plant");
            c.setInvCost(1, 10000.0 + 250.0 * i);
            c.setInvDepMethod(1, 0);
            c.setInvDepLife(1, 10);
            c.setAnnOpCostName(1, "Energy");
            c.setAnnOpCost(1, 1000.0 * ((i * 7) % count + 1));
            c.setAnnOpCostStartYear(1, 1);
            c.setAnnOpCostNumYears(1, 25);
            cases.push_back(c);
        }
        return cases;
    }

    // The table's rows follow its caption: ranked by total present worth for
    // independent cases, by increasing first cost (ties by case number) for
    // mutually exclusive ones.
    void checkTableRows(const RtfTable& table, bool withTaxes) {
        const bool ranked = threadState().arrStudy[3] == "1";
        std::vector<int16_t> order = positionsByRank();
        if (!ranked)
            std::stable_sort(order.begin(), order.end(), [&](int16_t a, int16_t b) {
                const double x = alternatives().Item(a).FirstCost();
                const double y = alternatives().Item(b).FirstCost();
                return x != y ? x < y : a < b;
            });
        ASSERT_EQ(table.rows.size(), order.size() + 1);
        for (size_t j = 0; j < order.size(); ++j) {
            const A& alt = alternatives().Item(order[j]);
            const auto& gen = threadState().colCases.Item(order[j]).Gen;
            std::vector<std::string> expected{gen(1), gen(2), money(alt.TotalPresentWorth())};
            if (withTaxes)
                expected.push_back(money(alt.BeforeTaxTPW()));
            expected.push_back(money(alt.AnnualOperatingCost()));
            expected.push_back(money(alt.FirstCost()));
            EXPECT_EQ(rowTexts(table.rows[j + 1]), expected) << "row " << j + 1;
            if (j > 0) {
                const A& before = alternatives().Item(order[j - 1]);
                if (ranked) {
                    EXPECT_LE(before.TotalPresentWorth(), alt.TotalPresentWorth());
                } else {
                    EXPECT_LE(before.FirstCost(), alt.FirstCost());
                }
            }
        }
    }
};

TEST_F(TotPresWorthReportTest, WithTaxesSixColumnsInFirstCostOrderAndOneChart) {
    calculateExample(settings(0, 0, true));
    const RtfDocument rtf = writeReport("TPW1");
    EXPECT_EQ(rtf.pictures().size(), 1u);
    ASSERT_EQ(rtf.tables().size(), 1u);
    const RtfTable& table = *rtf.tables()[0];
    const ResourceTexts& r = res();
    EXPECT_EQ(rowTexts(table.rows[0]),
              (std::vector<std::string>{r.gXstrColDesignCaseName, r.gXstrColDesignCaseShortName,
                                        r.gXstrLSColAfterTaxTPW + " ($)",
                                        r.gXstrLSColBeforeTaxTPW + " ($)",
                                        "Annual Operating Cost ($/yr)", "First Cost ($)"}));
    EXPECT_EQ(table.rows[0].widths(), (std::vector<int>{2880, 1584, 1584, 1584, 1584, 1584}));
    checkTableRows(table, true);
    // Mutually exclusive cases: the first-cost title, as the caption.
    const auto paragraphs = rtf.paragraphs();
    EXPECT_TRUE(std::any_of(paragraphs.begin(), paragraphs.end(), [&](const RtfParagraph* p) {
        return p->text == r.gXstrLSTableFirstCostDesignCases;
    }));
}

TEST_F(TotPresWorthReportTest, WithoutTaxesFiveColumnsTitledByTypeOfAlternatives) {
    StudySettings euro = settings(1, 1, false);
    euro.currency = "EUR";
    calculateExample(euro);
    const RtfDocument rtf = writeReport("TPW2");
    ASSERT_EQ(rtf.tables().size(), 1u);
    const RtfTable& table = *rtf.tables()[0];
    EXPECT_EQ(
        rowTexts(table.rows[0]),
        (std::vector<std::string>{res().gXstrColDesignCaseName, res().gXstrColDesignCaseShortName,
                                  res().gXstrLSColTPW + " (EUR)", "Annual Operating Cost (EUR/yr)",
                                  "First Cost (EUR)"}));
    // Another currency: bare grouped numbers.
    const std::vector<int16_t> order = positionsByRank();
    EXPECT_EQ(rowTexts(table.rows[1])[2],
              rt::FormatNumber(alternatives().Item(order[0]).TotalPresentWorth(), 0, true));
    const auto paragraphs = rtf.paragraphs();
    EXPECT_TRUE(std::any_of(paragraphs.begin(), paragraphs.end(), [&](const RtfParagraph* p) {
        return p->text == res().gXstrLSTableDesignCaseRankedByTPW;
    }));
    EXPECT_EQ(rtf.pictures().size(), 1u);
}

TEST_F(TotPresWorthReportTest, SimpleCashFlowStudy) {
    calculateExample(settings(3, 0, false));
    const RtfDocument rtf = writeReport("TPW2");
    ASSERT_EQ(rtf.tables().size(), 1u);
    checkTableRows(*rtf.tables()[0], false);
    EXPECT_EQ(rtf.pictures().size(), 1u);
}

TEST_F(TotPresWorthReportTest, ProfilesAccumulateTheRoundedYearlyPresentWorthsInRankOrder) {
    calculateExample(settings(0, 0, true));
    const ReportInputs inputs = reports::readReportInputs();
    cRptTotPresWorthProfiles report(inputs);
    const graph::Chart chart = report.profileChart();
    const std::vector<int16_t> order = positionsByRank();
    EXPECT_EQ(chart.kind, graph::ChartKind::Line);
    ASSERT_EQ(chart.subsets.size(), order.size());
    ASSERT_EQ(chart.pointLabels.size(), static_cast<size_t>(lifeCycle()) + 1);
    double largest = 0;
    for (size_t s = 0; s < order.size(); ++s) {
        const A& alt = alternatives().Item(order[s]);
        EXPECT_EQ(chart.subsets[s].label, threadState().colCases.Item(order[s]).Gen(2));
        EXPECT_EQ(chart.subsets[s].colour, cRptTotPresWorthProfiles::subsetColours()[s]);
        double running = 0;
        for (int16_t y = 0; y <= lifeCycle(); ++y) {
            running += whole(alt.PWCashFlowAt(y));
            EXPECT_EQ(chart.subsets[s].values[static_cast<size_t>(y)], running);
            largest = std::max(largest, running);
        }
        // The last point is the total present worth in whole units.
        EXPECT_NEAR(chart.subsets[s].values.back(), alt.TotalPresentWorth(), lifeCycle());
    }
    EXPECT_DOUBLE_EQ(*chart.yMax, 1.2 * largest);
    EXPECT_EQ(chart.yAxisLabel, res().gXstrTPWCumPW + " ($)");
}

TEST_F(TotPresWorthReportTest, TwentyCasesGetTwentyColoursATwentyFirstAbandonsTheChartOnly) {
    const auto& colours = cRptTotPresWorthProfiles::subsetColours();
    std::set<std::tuple<int, int, int>> distinct;
    for (const graph::Colour& c : colours)
        distinct.insert({c.r, c.g, c.b});
    EXPECT_EQ(distinct.size(), 20u);

    calculateExample(settings(0, 0, false), manyCases(20));
    RtfDocument rtf = writeReport("TPW2");
    EXPECT_EQ(rtf.pictures().size(), 1u);
    ASSERT_EQ(rtf.tables().size(), 1u);
    checkTableRows(*rtf.tables()[0], false);
}

TEST_F(TotPresWorthReportTest, TwentyOneCasesReplaceTheChartByTheFailureNote) {
    calculateExample(settings(0, 0, false), manyCases(21));
    const RtfDocument rtf = writeReport("TPW2");
    EXPECT_TRUE(rtf.pictures().empty());
    const std::string text = rtf.bodyText();
    EXPECT_THAT(text, ::testing::HasSubstr(res().gXstrTPWCumPW + " " + res().gXstrGraphs));
    EXPECT_THAT(text, ::testing::HasSubstr("Error 9 - "));
    EXPECT_THAT(text, ::testing::HasSubstr("Procedure - setGraph"));
    EXPECT_THAT(text, ::testing::HasSubstr("Module - cRptTotPresWorthProfiles"));
    ASSERT_EQ(rtf.tables().size(), 1u);
    checkTableRows(*rtf.tables()[0], false);
}

TEST_F(TotPresWorthReportTest, TableWithoutResultsLeavesItsFailureNote) {
    calculateExample(settings(0, 0, false));
    threadState().colAlternatives.reset();
    const RtfDocument rtf = writeReport("TPW2");
    EXPECT_TRUE(rtf.tables().empty());
    const std::string text = rtf.bodyText();
    EXPECT_THAT(text, ::testing::HasSubstr("Procedure - setPWtable"));
    EXPECT_THAT(text, ::testing::HasSubstr(res().gXstrTable + " "));
    EXPECT_THAT(text, ::testing::HasSubstr(res().gXstrCanNotGen));
}

}  // namespace
}  // namespace qvc::test
