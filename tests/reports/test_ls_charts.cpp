// The three summary charts: cases in rank order with their short titles, the
// money texts above the bars, the y range, the sizing by the number of cases,
// and the pictures in the report.

#include <fstream>

#include "OfficeHvacRun.h"
#include "reports/LifeCycleSummaryGraphs.h"
#include "reports/ResultCases.h"
#include "reports/cRptLifeCycleSummary.h"

namespace qvc::test {
namespace {

using reports::SummaryChart;

class SummaryChartTest : public OfficeHvacRun {};

TEST_F(SummaryChartTest, BarsFollowTheRankWithTheirMoneyTextsAndAHalfAgainHigherAxis) {
    // Seven cases: the example's three and four refurbishments with less and
    // less electricity, so the ranking differs from the case order.
    std::vector<cDesignCase> cases{refurbishCase(), highEfficiencyCase(), groundSourceCase()};
    for (int k = 1; k <= 4; ++k) {
        cDesignCase c = refurbishCase(148500 - 25000.0 * k);
        c.CaseShortTitle = "Refurbish " + std::to_string(k);
        cases.push_back(c);
    }
    calculate(0, 0, true, cases);
    const std::vector<int16_t> order = reports::rankOrder(alts());
    ASSERT_EQ(order.size(), 7u);
    for (size_t j = 0; j < order.size(); ++j)
        EXPECT_EQ(alts().Item(order[j]).Rank(), static_cast<int16_t>(j + 1));
    EXPECT_NE(order, (std::vector<int16_t>{1, 2, 3, 4, 5, 6, 7}));

    struct Expect {
        SummaryChart which;
        std::string key;
        double (tavlo::IAlternative::*value)() const;
    };
    const ReportInputs inputs = reports::readReportInputs();
    for (const Expect& e : {Expect{SummaryChart::FirstCost, res().gXstrLSColFirstCost,
                                   &tavlo::IAlternative::FirstCost},
                            Expect{SummaryChart::AnnualOperatingCost, res().gXstrLSColAnOpCost,
                                   &tavlo::IAlternative::AnnualOperatingCost},
                            Expect{SummaryChart::TotalPresentWorth, res().gXstrLSColTPW,
                                   &tavlo::IAlternative::TotalPresentWorth}}) {
        const graph::Chart chart = reports::summaryChart(inputs, e.which, order);
        EXPECT_EQ(chart.kind, graph::ChartKind::Bar);
        EXPECT_EQ(chart.title, e.key + " ($)");
        ASSERT_EQ(chart.subsets.size(), 1u);
        EXPECT_EQ(chart.subsets[0].colour, (graph::Colour{130, 130, 255}));
        EXPECT_EQ(chart.barBorder, (graph::Colour{0, 0, 0}));
        EXPECT_EQ(chart.fontFamily, "Arial");
        EXPECT_DOUBLE_EQ(chart.fontScale, 0.95);
        EXPECT_EQ(chart.widthPt, 235);
        EXPECT_EQ(chart.heightPt, 255);
        double largest = 0;
        for (size_t j = 0; j < order.size(); ++j) {
            const tavlo::IAlternative& a = alts().Item(order[j]);
            const double v = (a.*e.value)();
            EXPECT_EQ(chart.pointLabels[j], threadState().colCases.Item(order[j]).Gen(2));
            EXPECT_DOUBLE_EQ(chart.subsets[0].values[j], v);
            EXPECT_EQ(chart.valueAnnotations[j], dollars(v));
            largest = std::max(largest, v);
        }
        EXPECT_EQ(chart.yMin, 0.0);
        EXPECT_DOUBLE_EQ(*chart.yMax, largest * 1.5);
        EXPECT_GT(largest, 0);
    }

    // In the report: three pictures of 235 x 255 points.
    const RtfDocument d = writeReport("graphs.rtf", [&inputs](doc::DocumentObject& docs) {
        cRptLifeCycleSummary(inputs).GenerateGraphs(docs, "LS1");
    });
    const auto pictures = d.pictures();
    ASSERT_EQ(pictures.size(), 3u);
    for (const RtfPicture* p : pictures) {
        EXPECT_EQ(p->goalWidth, 235 * 20);
        EXPECT_EQ(p->goalHeight, 255 * 20);
        EXPECT_GT(p->pixelWidth, 235);  // drawn finer than one pixel per point
    }
    // Kept for looking at.
    for (size_t k = 0; k < 3; ++k) {
        std::ofstream png(dir / ("chart" + std::to_string(k + 1) + ".png"), std::ios::binary);
        png.write(reinterpret_cast<const char*>(pictures[k]->data.data()),
                  static_cast<std::streamsize>(pictures[k]->data.size()));
    }
}

TEST_F(SummaryChartTest, SizingByNumberOfCasesAndAnAxisForNegativeFirstCosts) {
    EXPECT_EQ(reports::summaryChartHeight(1), 185);
    EXPECT_EQ(reports::summaryChartHeight(6), 185);
    EXPECT_EQ(reports::summaryChartHeight(7), 255);
    EXPECT_EQ(reports::summaryChartHeight(12), 255);
    EXPECT_EQ(reports::summaryChartHeight(13), 325);
    EXPECT_EQ(reports::summaryChartHeight(20), 325);

    // Two cases paid for by rebates only: every first cost is negative, so the
    // largest value stays 0 and the axis is left to the data.
    auto rebate = [](const std::string& name, double amount, double energy) {
        return makeCase(name, name, {{"Utility rebate", amount, 0, 0, true, 0, 5, 2, 0}}, {},
                        {{"Electricity", energy, 1, 25, 2.5}}, {});
    };
    calculate(0, 0, false, {rebate("Rebate A", -20000, 90000), rebate("Rebate B", -5000, 80000)});
    const ReportInputs rebateInputs = reports::readReportInputs();
    const graph::Chart chart =
        reports::summaryChart(rebateInputs, SummaryChart::FirstCost, reports::rankOrder(alts()));
    EXPECT_EQ(chart.yMin, 0.0);
    EXPECT_EQ(chart.yMax, 0.0);
    EXPECT_EQ(chart.heightPt, 185);
    EXPECT_DOUBLE_EQ(chart.fontScale, 1.0);
    EXPECT_EQ(chart.valueAnnotations[0], dollars(chart.subsets[0].values[0]));
    EXPECT_EQ(chart.valueAnnotations[0].substr(0, 2), "-$");
    // Drawn without failing.
    const RtfDocument d = writeReport("negative.rtf", [](doc::DocumentObject& docs) {
        const ReportInputs inputs = reports::readReportInputs();
        cRptLifeCycleSummary(inputs).GenerateGraphs(docs, "LS2");
    });
    EXPECT_EQ(d.pictures().size(), 3u);
}

}  // namespace
}  // namespace qvc::test
