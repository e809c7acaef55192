// The cash flow report: every cell against the engine's rounded values, totals
// of the rounded rows, rank order, captions, charts, pages and failure notes.

#include "ReportTest.h"
#include "reports/cRptCashFlows.h"

namespace qvc::test {
namespace {

using A = tavlo::IAlternative;
using Getter = double (A::*)(int16_t) const;

struct Captioned {
    std::string caption;
    const RtfTable* table;
    bool newPage;  // the caption starts a page
};
// Tables with the paragraph right before each, their caption.
std::vector<Captioned> captionedTables(const RtfDocument& rtf) {
    std::vector<Captioned> out;
    for (const RtfSection& section : rtf.sections) {
        const RtfParagraph* last = nullptr;
        for (const RtfBlock& block : section.body) {
            if (const auto* p = std::get_if<RtfParagraph>(&block))
                last = p;
            else if (last)
                out.push_back({last->text, &std::get<RtfTable>(block), last->pageBreakBefore});
        }
    }
    return out;
}

class CashFlowTest : public ReportTest {
  protected:
    // The report body as the builder writes it: the cases in rank order.
    RtfDocument cashFlows(const std::string& subCode) {
        return writeReport(
            [&](doc::DocumentObject& d) {
                OnInputs<cRptCashFlows> on;
                auto& report = on.report;
                const std::vector<int16_t> order = byRank();
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
            },
            true);
    }

    // A row per year with year, date and the engine's values as whole
    // numbers (`sumAt2`: the sum of the first two values as a third), then
    // the totals of the rounded rows ("-" for a year-end balance).
    void checkTable(const RtfTable& table, std::vector<std::string> headers, const A& alt,
                    const std::vector<Getter>& getters, bool sumAt2, bool balance) {
        const int16_t years = lifeCycle();
        ASSERT_EQ(table.rows.size(), static_cast<size_t>(years) + 3);
        for (size_t c = 2; c < headers.size(); ++c)
            headers[c] += " (" + threadState().arrStudy[9] + ")";
        EXPECT_EQ(rowTexts(table.rows[0]), headers);
        std::vector<double> sums(headers.size() - 2, 0.0);
        for (int16_t y = 0; y <= years; ++y) {
            const auto cells = rowTexts(table.rows[static_cast<size_t>(y) + 1]);
            ASSERT_EQ(cells.size(), headers.size());
            EXPECT_EQ(cells[0], std::to_string(y));
            EXPECT_EQ(cells[1], y == 0 ? res().gXstrInitial : std::to_string(2025 + y));
            std::vector<double> expected;
            for (Getter g : getters)
                expected.push_back(std::nearbyint((alt.*g)(y)));
            if (sumAt2)
                expected.insert(expected.begin() + 2, expected[0] + expected[1]);
            ASSERT_EQ(expected.size(), sums.size());
            for (size_t c = 0; c < sums.size(); ++c) {
                EXPECT_EQ(parseWhole(cells[c + 2]), expected[c]) << "year " << y << " col " << c;
                sums[c] += expected[c];
            }
        }
        const auto totals = rowTexts(table.rows.back());
        EXPECT_EQ(totals[0], res().gXstrTotals);
        EXPECT_EQ(totals[1], "");
        for (size_t c = 0; c < sums.size(); ++c)
            EXPECT_EQ(totals[c + 2], balance && c + 1 == sums.size() ? "-" : grouped(sums[c]))
                << "total of column " << c;
    }

    void checkReport(const std::string& subCode) {
        const bool cf1 = subCode == "CF1";
        const ResourceTexts& r = res();
        const RtfDocument rtf = cashFlows(subCode);
        const std::vector<int16_t> order = byRank();
        const size_t perCase = cf1 ? 3 : 2;
        const std::vector<Captioned> tables = captionedTables(rtf);
        ASSERT_EQ(tables.size(), order.size() * perCase);
        size_t notes = 0;
        for (const RtfParagraph* paragraph : rtf.paragraphs())
            notes += paragraph->text == r.gXstrRoundingNote;
        EXPECT_EQ(notes, tables.size());
        EXPECT_EQ(rtf.pictures().size(), order.size());
        // A new page for every case and for every one of its 25-year tables.
        EXPECT_EQ(pageStarts(rtf), static_cast<int>(order.size() * (perCase + 1)) - 1);
        for (const Captioned& t : tables)
            expectFitsThePage(*t.table, rtf.sections.at(0));

        for (size_t p = 0; p < order.size(); ++p)
            checkCase(std::vector<Captioned>(tables.begin() + static_cast<long>(p * perCase),
                                             tables.begin() + static_cast<long>((p + 1) * perCase)),
                      order[p], std::to_string(p + 1), cf1);
    }

    // The tables of the case at `position`, the `n`th in rank order.
    void checkCase(const std::vector<Captioned>& tables, int16_t position, const std::string& n,
                   bool cf1) {
        const ResourceTexts& r = res();
        const A& alt = alts().Item(position);
        const std::string title = " [" + caseTitle(position) + "]";
        const Captioned& a = tables.front();
        const Captioned& pw = tables.back();
        EXPECT_EQ(a.caption, n + r.gXstrA + ". " + r.gXstrASCIITableCompCashFlow + title + ", " +
                                 r.gXstrCFTableAddOnActualVal);
        checkTable(
            *a.table,
            {r.gXstrADColYear, r.gXstrADColDate, r.gXstrCFColCashInv, r.gXstrCFLoanPrincipal,
             r.gXstrCFColLoanInterest, r.gXstrCFColTotalInvCost, r.gXstrCFColAnOpCost,
             r.gXstrCFColNonAnOpCost, r.gXstrCFColTotalOpCost,
             cf1 ? r.gXstrCFColBeforeTaxCF : r.gXstrCFColTotalCF},
            alt,
            {&A::CashInvestmentAt, &A::LoanPrincipalAt, &A::LoanInterestAt, &A::TotalInvestmentAt,
             &A::AnnualOpCostAt, &A::NonAnnualOpCostAt, &A::TotalOpCostAt, &A::BeforeTaxCashFlowAt},
            false, false);
        if (cf1) {
            const Captioned& b = tables[1];
            EXPECT_EQ(b.caption, n + r.gXstrB + ". " + r.gXstrCFTableCalcAfterTaxCF + title + ", " +
                                     r.gXstrCFTableAddOnActualVal);
            checkTable(
                *b.table,
                {r.gXstrADColYear, r.gXstrADColDate, r.gXstrCFColBeforeTaxCF, r.gXstrCFColNetIncome,
                 r.gXstrCFColDeprec, r.gXstrCFColInterest, r.gXstrCFColTaxableIncome,
                 r.gXstrCFColTax, r.gXstrCFColAftertaxCF, r.gXstrCFColYearEndBV},
                alt,
                {&A::BeforeTaxCashFlowAt, &A::NetIncomeAt, &A::DepreciationAt, &A::LoanInterestAt,
                 &A::TaxableIncomeAt, &A::TaxAt, &A::AfterTaxCashFlowAt, &A::BookValueAt},
                false, true);
        }
        EXPECT_EQ(pw.caption, n + (cf1 ? r.gXstrC : r.gXstrB) + ". " + r.gXstrCFTablePWCF + title);
        if (cf1)
            checkTable(
                *pw.table,
                {r.gXstrADColYear, r.gXstrADColDate, r.gXstrCFColBeforeTaxTotInvCost,
                 r.gXstrCFColBeforeTaxTolOpCost, r.gXstrCFColBeforetaxTPW, r.gXstrCFColAfterTaxTPW},
                alt, {&A::PWInvestmentAt, &A::PWOpCostAt, &A::PWCashFlowAt}, true, false);
        else
            checkTable(*pw.table,
                       {r.gXstrADColYear, r.gXstrADColDate, r.gXstrCFColTotalInvCost,
                        r.gXstrCFColTotalOpCost, r.gXstrLSColTPW},
                       alt, {&A::PWInvestmentAt, &A::PWOpCostAt}, true, false);
        // The last column adds up to the total present worth, up to the
        // rounding of each year.
        EXPECT_NEAR(parseWhole(rowTexts(pw.table->rows.back()).back()), alt.TotalPresentWorth(),
                    lifeCycle());
    }
};

TEST_F(CashFlowTest, EveryCellOfEveryTableInRankOrder) {
    struct Case {
        ExampleVariant variant;
        const char* code;
    };
    ExampleVariant euro = variantOf(3, 0, false);
    euro.currency = "EUR";
    for (const Case& c : {Case{variantOf(0, 0, true), "CF1"}, Case{variantOf(0, 0, false), "CF2"},
                          Case{variantOf(1, 1, false), "CF2"}, Case{euro, "CF2"}}) {
        SCOPED_TRACE(c.variant.analysis);
        calculate(c.variant);
        // The example's cases do not rank in their stored order, so the order
        // of the pages is really tested.
        EXPECT_NE(byRank(), (std::vector<int16_t>{1, 2, 3}));
        checkReport(c.code);
    }
}

TEST_F(CashFlowTest, ChartShowsTheRoundedInvestmentAndOperatingCostOfEveryYear) {
    calculate();
    OnInputs<cRptCashFlows> on;
    for (int16_t index = 1; index <= alts().Count(); ++index) {
        const A& alt = alts().Item(index);
        const graph::Chart chart = on.report.cashFlowChart(index, "CF1");
        EXPECT_EQ(chart.title, res().gXstrCFColBeforeTaxCF + " [" + caseTitle(index) + "]");
        ASSERT_EQ(chart.subsets.size(), 2u);
        ASSERT_EQ(chart.pointLabels.size(), 26u);
        EXPECT_EQ(chart.pointLabels.back(), "25");
        double largest = 0;
        for (int16_t y = 0; y <= 25; ++y) {
            const double investment = std::nearbyint(alt.TotalInvestmentAt(y));
            const double operating = std::nearbyint(alt.TotalOpCostAt(y));
            EXPECT_EQ(chart.subsets[0].values.at(static_cast<size_t>(y)), investment);
            EXPECT_EQ(chart.subsets[1].values.at(static_cast<size_t>(y)), operating);
            largest = std::max({largest, investment, operating});
        }
        EXPECT_GT(*chart.yMax, largest);
    }
    EXPECT_EQ(on.report.cashFlowChart(1, "CF2").title.rfind(res().gXstrCFColTotalCF, 0), 0u);
}

TEST_F(CashFlowTest, FailingChartAndTableLeaveNotesAndTheReportGoesOn) {
    calculate();
    reportState().gGraph = nullptr;  // no graph surface
    const RtfDocument rtf = writeReport(
        [](doc::DocumentObject& d) {
            OnInputs<cRptCashFlows> on;
            auto& report = on.report;
            int32_t index = 1, missing = 9, p = 1;  // there is no alternative 9
            report.setGraph(d, index, "CF1");
            report.setComponentCash(d, missing, "CF1", p);
            report.setAfterTaxCashFlows(d, index, p);
            report.setPresentWorth(d, index, "CF1", p);
        },
        true);
    EXPECT_TRUE(rtf.pictures().empty());
    EXPECT_EQ(rtf.tables().size(), 2u);  // B and C
    const std::string text = rtf.bodyText();
    EXPECT_TRUE(contains(text, res().gXstrCFColBeforeTaxCF + " " + res().gXstrGraphs));
    EXPECT_TRUE(contains(text, "Procedure - setGraph"));
    EXPECT_TRUE(contains(text, "Error 91 - "));
    EXPECT_TRUE(contains(text, res().gXstrCanNotGen));
    EXPECT_TRUE(contains(text, "Procedure - setComponentCash"));
    EXPECT_TRUE(contains(text, "Error 9 - "));
}

TEST_F(CashFlowTest, ShortStudiesShareAPageAndEmptyYearsShowZeros) {
    cDesignCase later;
    later.CaseTitle = later.CaseShortTitle = "Deferred plant";
    later.setInvItemName(1, "Plant");
    later.setInvCost(1, 1000.5);  // rounds to the even 1,000
    later.setInvYear(1, 3);
    later.setInvDepLife(1, 5);
    ExampleVariant shortStudy = variantOf(0, 0, true);
    shortStudy.lifecycle = 8;
    calculate(shortStudy, {later, later});
    // Per case: the chart, then table A on a new page with B below it, and C
    // on the next page.
    const RtfDocument rtf = cashFlows("CF1");
    ASSERT_EQ(rtf.tables().size(), 6u);
    EXPECT_EQ(pageStarts(rtf), 1 + 2 * 2);
    const std::vector<Captioned> tables = captionedTables(rtf);
    for (size_t k = 0; k < tables.size(); ++k)
        EXPECT_EQ(tables[k].newPage, k % 3 != 1) << tables[k].caption;
    const RtfTable& a = *rtf.tables()[0];
    ASSERT_EQ(a.rows.size(), 8u + 3u);
    EXPECT_EQ(rowTexts(a.rows[1]),
              (std::vector<std::string>{"0", "Initial", "0", "0", "0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(rowTexts(a.rows[4])[5], "1,000");
    EXPECT_EQ(rowTexts(a.rows.back())[5], "1,000");
}

// Longer studies get smaller type, so that each table of up to 40 years keeps to
// one page: a step after 25 years and another after 32.
TEST_F(CashFlowTest, LongerStudiesGetSmallerType) {
    std::vector<int> sizes;
    for (const int16_t years : {25, 26, 32, 33}) {
        ExampleVariant v = variantOf(0, 0, false);
        v.lifecycle = years;
        calculate(v, {exampleCases()[0]});
        sizes.push_back(cashFlows("CF2").tables().at(0)->rows.at(1).cells.at(0).halfPoints);
    }
    EXPECT_GT(sizes[0], sizes[1]);
    EXPECT_EQ(sizes[1], sizes[2]);
    EXPECT_GT(sizes[2], sizes[3]);
}

}  // namespace
}  // namespace qvc::test
