// The cash flow report on the calculated office HVAC example: every cell of
// every table against the engine's per-year values (rounded half-to-even), the
// totals against the sums of the rounded rows, the order of the cases, the
// captions, the charts and the failure note.

#include <gmock/gmock.h>

#include "CashFlowStudyFixture.h"
#include "reports/cRptCashFlows.h"

namespace qvc::test {
namespace {

using A = tavlo::IAlternative;
using Getter = double (A::*)(int16_t) const;

class CashFlowReportTest : public CashFlowStudyTest {
  protected:
    // Writes the report body the way the builder calls it and reads it back.
    RtfDocument writeReport(const std::string& subCode) {
        doc::DocumentObject d;
        openDocument(d, "cf.rtf", true);
        const ReportInputs inputs = reports::readReportInputs();
        cRptCashFlows report(inputs);
        const std::vector<int16_t> order = positionsByRank();
        for (int32_t p = 1; p <= static_cast<int32_t>(order.size()); ++p) {
            int32_t index = order[static_cast<size_t>(p - 1)];
            report.setGraph(d, index, subCode);
            report.setComponentCash(d, index, subCode, p);
            if (subCode == "CF1")
                report.setAfterTaxCashFlows(d, index, p);
            report.setPresentWorth(d, index, subCode, p);
            if (p < static_cast<int32_t>(order.size()))
                d.InsertBreak(doc::code::kBreakPage);
        }
        d.FinishDocument(true, 0);
        return readRtfFile(work / "cf.rtf");
    }

    // Tables with the paragraph right before each (its caption).
    struct Captioned {
        std::string caption;
        const RtfTable* table;
    };
    static std::vector<Captioned> captionedTables(const RtfDocument& rtf) {
        std::vector<Captioned> out;
        for (const RtfSection& section : rtf.sections) {
            std::string last;
            for (const RtfBlock& block : section.body) {
                if (const auto* p = std::get_if<RtfParagraph>(&block))
                    last = p->text;
                else
                    out.push_back({last, &std::get<RtfTable>(block)});
            }
        }
        return out;
    }

    // Checks one table: header texts, a row per year with year, date and the
    // engine's values as whole numbers, and the totals row.
    void checkTable(const RtfTable& table, const std::vector<std::string>& headers,
                    const A& alternative, const std::vector<Getter>& getters, bool sumOfFirstTwoAt2,
                    bool lastColumnIsBalance) {
        const int16_t years = lifeCycle();
        ASSERT_EQ(table.rows.size(), static_cast<size_t>(years) + 3);
        // The figures are bare numbers; every money heading names the currency.
        std::vector<std::string> withCurrency = headers;
        for (size_t c = 2; c < withCurrency.size(); ++c)
            withCurrency[c] += " (" + threadState().arrStudy[9] + ")";
        EXPECT_EQ(rowTexts(table.rows[0]), withCurrency);
        EXPECT_TRUE(table.rows[0].cells[0].bold);
        const size_t money = headers.size() - 2;
        std::vector<double> sums(money, 0.0);
        for (int16_t y = 0; y <= years; ++y) {
            const std::vector<std::string> cells = rowTexts(table.rows[static_cast<size_t>(y) + 1]);
            ASSERT_EQ(cells.size(), headers.size());
            EXPECT_EQ(cells[0], std::to_string(y));
            EXPECT_EQ(cells[1], y == 0 ? res().gXstrInitial : std::to_string(2026 + y - 1));
            std::vector<double> expected;
            for (Getter g : getters)
                expected.push_back(whole((alternative.*g)(y)));
            if (sumOfFirstTwoAt2)
                expected.insert(expected.begin() + 2, expected[0] + expected[1]);
            ASSERT_EQ(expected.size(), money);
            for (size_t c = 0; c < money; ++c) {
                ASSERT_FALSE(cells[c + 2].empty()) << "year " << y << " column " << c;
                EXPECT_EQ(parseWhole(cells[c + 2]), expected[c]) << "year " << y << " col " << c;
                sums[c] += parseWhole(cells[c + 2]);
            }
        }
        const std::vector<std::string> totals = rowTexts(table.rows.back());
        EXPECT_EQ(totals[0], res().gXstrTotals);
        EXPECT_EQ(totals[1], "");
        for (size_t c = 0; c < money; ++c) {
            if (lastColumnIsBalance && c + 1 == money)
                EXPECT_EQ(totals[c + 2], "-");
            else
                EXPECT_EQ(parseWhole(totals[c + 2]), sums[c]) << "total of column " << c;
        }
        // Every row fills the 10-inch text width of the landscape page.
        for (const RtfRow& row : table.rows) {
            int width = 0;
            for (int w : row.widths())
                width += w;
            EXPECT_NEAR(width, 14400, 20);
        }
    }

    void checkReport(const std::string& subCode) {
        const bool cf1 = subCode == "CF1";
        const RtfDocument rtf = writeReport(subCode);
        const std::vector<int16_t> order = positionsByRank();
        const size_t perCase = cf1 ? 3 : 2;
        const std::vector<Captioned> tables = captionedTables(rtf);
        ASSERT_EQ(tables.size(), order.size() * perCase);
        // Every table's totals add rounded figures, and a note under it says so.
        size_t notes = 0;
        for (const RtfParagraph* paragraph : rtf.paragraphs())
            notes += paragraph->text == res().gXstrRoundingNote;
        EXPECT_EQ(notes, tables.size());
        EXPECT_EQ(rtf.pictures().size(), order.size());
        // A new page for every case and for every one of its 25-year tables.
        EXPECT_EQ(pageStarts(rtf), static_cast<int>(order.size() * (perCase + 1)) - 1);

        const ResourceTexts& r = res();
        for (size_t p = 0; p < order.size(); ++p) {
            const int16_t position = order[p];
            const A& alt = alternatives().Item(position);
            const std::string title = threadState().colCases.Item(position).Gen(1);
            const std::string n = std::to_string(p + 1);
            const Captioned& a = tables[p * perCase];
            const Captioned& pw = tables[p * perCase + perCase - 1];

            EXPECT_EQ(a.caption, n + r.gXstrA + ". " + r.gXstrASCIITableCompCashFlow + " [" +
                                     title + "], " + r.gXstrCFTableAddOnActualVal);
            checkTable(*a.table,
                       {r.gXstrADColYear, r.gXstrADColDate, r.gXstrCFColCashInv,
                        r.gXstrCFLoanPrincipal, r.gXstrCFColLoanInterest, r.gXstrCFColTotalInvCost,
                        r.gXstrCFColAnOpCost, r.gXstrCFColNonAnOpCost, r.gXstrCFColTotalOpCost,
                        cf1 ? r.gXstrCFColBeforeTaxCF : r.gXstrCFColTotalCF},
                       alt,
                       {&A::CashInvestmentAt, &A::LoanPrincipalAt, &A::LoanInterestAt,
                        &A::TotalInvestmentAt, &A::AnnualOpCostAt, &A::NonAnnualOpCostAt,
                        &A::TotalOpCostAt, &A::BeforeTaxCashFlowAt},
                       false, false);
            if (cf1) {
                const Captioned& b = tables[p * perCase + 1];
                EXPECT_EQ(b.caption, n + r.gXstrB + ". " + r.gXstrCFTableCalcAfterTaxCF + " [" +
                                         title + "], " + r.gXstrCFTableAddOnActualVal);
                checkTable(*b.table,
                           {r.gXstrADColYear, r.gXstrADColDate, r.gXstrCFColBeforeTaxCF,
                            r.gXstrCFColNetIncome, r.gXstrCFColDeprec, r.gXstrCFColInterest,
                            r.gXstrCFColTaxableIncome, r.gXstrCFColTax, r.gXstrCFColAftertaxCF,
                            r.gXstrCFColYearEndBV},
                           alt,
                           {&A::BeforeTaxCashFlowAt, &A::NetIncomeAt, &A::DepreciationAt,
                            &A::LoanInterestAt, &A::TaxableIncomeAt, &A::TaxAt,
                            &A::AfterTaxCashFlowAt, &A::BookValueAt},
                           false, true);
            }
            EXPECT_EQ(pw.caption, n + (cf1 ? r.gXstrC : r.gXstrB) + ". " + r.gXstrCFTablePWCF +
                                      " [" + title + "]");
            if (cf1)
                checkTable(*pw.table,
                           {r.gXstrADColYear, r.gXstrADColDate, r.gXstrCFColBeforeTaxTotInvCost,
                            r.gXstrCFColBeforeTaxTolOpCost, r.gXstrCFColBeforetaxTPW,
                            r.gXstrCFColAfterTaxTPW},
                           alt, {&A::PWInvestmentAt, &A::PWOpCostAt, &A::PWCashFlowAt}, true,
                           false);
            else
                checkTable(*pw.table,
                           {r.gXstrADColYear, r.gXstrADColDate, r.gXstrCFColTotalInvCost,
                            r.gXstrCFColTotalOpCost, r.gXstrLSColTPW},
                           alt, {&A::PWInvestmentAt, &A::PWOpCostAt}, true, false);

            // The present worths of the last column add up to the case's total
            // present worth, up to the rounding of each year.
            const std::vector<std::string> totals = rowTexts(pw.table->rows.back());
            EXPECT_NEAR(parseWhole(totals.back()), alt.TotalPresentWorth(), lifeCycle());
        }
    }
};

TEST_F(CashFlowReportTest, PrivateSectorWithTaxesWritesThreeTablesPerCaseInRankOrder) {
    calculateExample(settings(0, 0, true));
    // The example's cases do not rank in their stored order, so the order of
    // the pages is really tested.
    EXPECT_NE(positionsByRank(), (std::vector<int16_t>{1, 2, 3}));
    checkReport("CF1");
}

TEST_F(CashFlowReportTest, StudiesWithoutTaxesWriteTheComponentAndPresentWorthTablesOnly) {
    calculateExample(settings(0, 0, false));
    checkReport("CF2");
}

TEST_F(CashFlowReportTest, PublicSectorStudyWithIndependentCases) {
    calculateExample(settings(1, 1, false));
    checkReport("CF2");
}

TEST_F(CashFlowReportTest, SimpleCashFlowStudy) {
    StudySettings euro = settings(3, 0, false);
    euro.currency = "EUR";
    calculateExample(euro);
    checkReport("CF2");
}

TEST_F(CashFlowReportTest, ChartShowsTheRoundedInvestmentAndOperatingCostOfEveryYear) {
    calculateExample(settings(0, 0, true));
    const ReportInputs inputs = reports::readReportInputs();
    cRptCashFlows report(inputs);
    for (int32_t index = 1; index <= alternatives().Count(); ++index) {
        const A& alt = alternatives().Item(static_cast<int16_t>(index));
        const graph::Chart chart = report.cashFlowChart(index, "CF1");
        EXPECT_EQ(chart.kind, graph::ChartKind::StackedBar);
        EXPECT_EQ(chart.title, res().gXstrCFColBeforeTaxCF + " [" +
                                   threadState().colCases.Item(index).Gen(1) + "]");
        ASSERT_EQ(chart.pointLabels.size(), static_cast<size_t>(lifeCycle()) + 1);
        ASSERT_EQ(chart.subsets.size(), 2u);
        EXPECT_EQ(chart.subsets[0].label, "Investment Cost");
        EXPECT_EQ(chart.subsets[1].label, "Operating Cost");
        EXPECT_EQ(chart.subsets[0].colour, (graph::Colour{130, 130, 255}));
        EXPECT_EQ(chart.subsets[1].colour, (graph::Colour{151, 6, 46}));
        double largest = 0;
        for (int16_t y = 0; y <= lifeCycle(); ++y) {
            EXPECT_EQ(chart.pointLabels[static_cast<size_t>(y)], std::to_string(y));
            EXPECT_EQ(chart.subsets[0].values[static_cast<size_t>(y)],
                      whole(alt.TotalInvestmentAt(y)));
            EXPECT_EQ(chart.subsets[1].values[static_cast<size_t>(y)], whole(alt.TotalOpCostAt(y)));
            largest =
                std::max({largest, whole(alt.TotalInvestmentAt(y)), whole(alt.TotalOpCostAt(y))});
        }
        EXPECT_DOUBLE_EQ(*chart.yMax, 1.2 * largest);
        EXPECT_EQ(*chart.yMin, 0.0);
        EXPECT_EQ(chart.yAxisLabel, "Cash Flow ($)");
        EXPECT_EQ(chart.xAxisLabel, res().gXstrADColYear);
    }
    EXPECT_EQ(report.cashFlowChart(1, "CF2").title.rfind(res().gXstrCFColTotalCF, 0), 0u);
}

TEST_F(CashFlowReportTest, FailingChartAndTablesLeaveNotesAndTheReportGoesOn) {
    calculateExample(settings(0, 0, true));
    reportState().gGraph = nullptr;  // no graph surface
    doc::DocumentObject d;
    openDocument(d, "cf.rtf", true);
    const ReportInputs inputs = reports::readReportInputs();
    cRptCashFlows report(inputs);
    int32_t index = 1;
    int32_t missing = 9;  // no such alternative
    int32_t p = 1;
    report.setGraph(d, index, "CF1");
    report.setComponentCash(d, missing, "CF1", p);
    report.setAfterTaxCashFlows(d, index, p);
    report.setPresentWorth(d, index, "CF1", p);
    d.FinishDocument(true, 0);
    const RtfDocument rtf = readRtfFile(work / "cf.rtf");

    EXPECT_TRUE(rtf.pictures().empty());
    EXPECT_EQ(rtf.tables().size(), 2u);  // B and C
    const std::string text = rtf.bodyText();
    EXPECT_THAT(text, ::testing::HasSubstr(res().gXstrCFColBeforeTaxCF + " " + res().gXstrGraphs));
    EXPECT_THAT(text, ::testing::HasSubstr("Procedure - setGraph"));
    EXPECT_THAT(text, ::testing::HasSubstr("Module - cRptCashFlows"));
    EXPECT_THAT(text, ::testing::HasSubstr("Error 91 - "));
    // The caption of the failed table could not name its case: the note keeps
    // what it had and says the table could not be generated.
    EXPECT_THAT(text, ::testing::HasSubstr(res().gXstrCanNotGen));
    EXPECT_THAT(text, ::testing::HasSubstr("Procedure - setComponentCash"));
    EXPECT_THAT(text, ::testing::HasSubstr("Error 9 - "));
}

TEST_F(CashFlowReportTest, ShortStudiesPutTwoTablesOnAPage) {
    cDesignCase plant;
    plant.CaseTitle = "Packaged plant";
    plant.CaseShortTitle = "Packaged";
    plant.setInvItemName(1, "Plant");
    plant.setInvCost(1, 50000);
    plant.setInvDepMethod(1, 0);
    plant.setInvDepLife(1, 5);
    StudySettings s = settings(0, 0, true);
    s.lifecycle = 8;
    calculateExample(s, {plant, plant});
    // Per case: the chart, then table A on a new page with B below it, and C
    // on the next page.
    const RtfDocument rtf = writeReport("CF1");
    EXPECT_EQ(rtf.tables().size(), 6u);
    EXPECT_EQ(rtf.tables()[0]->rows.size(), 8u + 3u);
    EXPECT_EQ(pageStarts(rtf), 1 + 2 * 2);
}

TEST_F(CashFlowReportTest, YearsWithoutCostShowZerosNotEmptyCells) {
    cDesignCase later;
    later.CaseTitle = "Deferred plant";
    later.CaseShortTitle = "Deferred";
    later.setInvItemName(1, "Plant");
    later.setInvCost(1, 1000.5);  // rounds to the even 1000
    later.setInvYear(1, 3);
    later.setInvDepMethod(1, 0);
    later.setInvDepLife(1, 5);
    calculateExample(settings(0, 0, false), {later});
    const RtfDocument rtf = writeReport("CF2");
    const RtfTable& a = *rtf.tables().at(0);
    EXPECT_EQ(rowTexts(a.rows[1]),
              (std::vector<std::string>{"0", "Initial", "0", "0", "0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(rowTexts(a.rows[4])[5], "1,000");
    EXPECT_EQ(rowTexts(a.rows.back())[5], "1,000");
}

}  // namespace
}  // namespace qvc::test
