#include "ReportTest.h"
#include "reports/cRptCashFlows.h"

namespace qvc::test {
namespace {

using A = tavlo::IAlternative;
using Getter = double (A::*)(int16_t) const;

const std::vector<Getter> kComponents{
    &A::CashInvestmentAt, &A::LoanPrincipalAt,   &A::LoanInterestAt, &A::TotalInvestmentAt,
    &A::AnnualOpCostAt,   &A::NonAnnualOpCostAt, &A::TotalOpCostAt,  &A::BeforeTaxCashFlowAt};
const std::vector<Getter> kAfterTax{
    &A::BeforeTaxCashFlowAt, &A::NetIncomeAt, &A::DepreciationAt,     &A::LoanInterestAt,
    &A::TaxableIncomeAt,     &A::TaxAt,       &A::AfterTaxCashFlowAt, &A::BookValueAt};

class CashFlowTest : public ReportTest {
  protected:
    // The report body as the builder writes it: the cases in rank order.
    RtfDocument cashFlows(const std::string& subCode) {
        return writeReport(
            [&](doc::DocumentObject& d) {
                OnInputs<cRptCashFlows> on;
                const std::vector<int16_t> order = byRank();
                for (int32_t p = 1; p <= static_cast<int32_t>(order.size()); ++p) {
                    int32_t index = order[static_cast<size_t>(p - 1)];
                    on.report.setGraph(d, index, subCode);
                    on.report.setComponentCash(d, index, subCode, p);
                    if (subCode == "CF1")
                        on.report.setAfterTaxCashFlows(d, index, p);
                    on.report.setPresentWorth(d, index, subCode, p);
                    if (p < static_cast<int32_t>(order.size()))
                        d.InsertBreak(doc::code::kBreakPage);
                }
            },
            true);
    }

    // Rows of the engine's whole numbers (`sumAt2`: first two summed as a third), then totals.
    void checkTable(const RtfTable& table, const A& alt, const std::vector<Getter>& getters,
                    bool sumAt2, bool balance) {
        const int16_t years = lifeCycle();
        ASSERT_EQ(table.rows.size(), static_cast<size_t>(years) + 3);
        std::vector<double> sums(getters.size() + (sumAt2 ? 1 : 0), 0.0);
        for (int16_t y = 0; y <= years; ++y) {
            const auto cells = rowTexts(table.rows[static_cast<size_t>(y) + 1]);
            ASSERT_EQ(cells.size(), sums.size() + 2);
            EXPECT_EQ(cells[0], std::to_string(y));
            EXPECT_EQ(cells[1], y == 0 ? res().gXstrInitial : std::to_string(2025 + y));
            std::vector<double> expected;
            for (Getter g : getters)
                expected.push_back(std::nearbyint((alt.*g)(y)));
            if (sumAt2)
                expected.insert(expected.begin() + 2, expected[0] + expected[1]);
            for (size_t c = 0; c < sums.size(); ++c) {
                EXPECT_EQ(parseWhole(cells[c + 2]), expected[c]) << "year " << y << " col " << c;
                sums[c] += expected[c];
            }
        }
        const auto totals = rowTexts(table.rows.back());
        EXPECT_EQ(totals[0], res().gXstrTotals);
        for (size_t c = 0; c < sums.size(); ++c)
            EXPECT_EQ(totals[c + 2], balance && c + 1 == sums.size() ? "-" : grouped(sums[c]))
                << "total of column " << c;
    }

    // Per case in rank order tables A, B (with taxes) and the present worths.
    void checkReport(const std::string& subCode) {
        const bool cf1 = subCode == "CF1";
        const RtfDocument rtf = cashFlows(subCode);
        const std::vector<int16_t> order = byRank();
        const size_t perCase = cf1 ? 3 : 2;
        const auto tables = rtf.tables();
        ASSERT_EQ(tables.size(), order.size() * perCase);
        EXPECT_EQ(
            countParagraphs(
                rtf, [](const RtfParagraph& p) { return p.text == texts().gXstrRoundingNote; }),
            tables.size());
        EXPECT_EQ(rtf.pictures().size(), order.size());
        // A new page for every case and for every one of its 25-year tables.
        EXPECT_EQ(pageStarts(rtf), static_cast<int>(order.size() * (perCase + 1)) - 1);
        for (size_t p = 0; p < order.size(); ++p) {
            const A& alt = alts().Item(order[p]);
            const RtfTable* const* at = &tables[p * perCase];
            for (size_t t = 0; t < perCase; ++t)
                expectFitsThePage(*at[t], rtf.sections.at(0));
            checkTable(*at[0], alt, kComponents, false, false);
            if (cf1)
                checkTable(*at[1], alt, kAfterTax, false, true);
            if (cf1)
                checkTable(*at[2], alt, {&A::PWInvestmentAt, &A::PWOpCostAt, &A::PWCashFlowAt},
                           true, false);
            else
                checkTable(*at[1], alt, {&A::PWInvestmentAt, &A::PWOpCostAt}, true, false);
            // The last column adds up to the total present worth, up to each year's rounding.
            EXPECT_NEAR(parseWhole(rowTexts(at[perCase - 1]->rows.back()).back()),
                        alt.TotalPresentWorth(), lifeCycle());
        }
    }
};

TEST_F(CashFlowTest, EveryCellOfEveryTableInRankOrder) {
    ExampleVariant euro = variantOf(3, 0, false);
    euro.currency = "EUR";
    for (const auto& [variant, code] :
         {std::pair{variantOf(0, 0, true), "CF1"}, std::pair{variantOf(0, 0, false), "CF2"},
          std::pair{variantOf(1, 1, false), "CF2"}, std::pair{euro, "CF2"}}) {
        SCOPED_TRACE(variant.analysis);
        calculate(variant);
        // The cases do not rank in their stored order, so the order is really tested.
        EXPECT_NE(byRank(), (std::vector<int16_t>{1, 2, 3}));
        checkReport(code);
    }
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
    // Per case: the chart, table A on a new page with B below it, C on the next page.
    const RtfDocument rtf = cashFlows("CF1");
    std::vector<bool> newPages;  // per table: its caption starts a page
    const RtfParagraph* caption = nullptr;
    for (const RtfBlock& block : rtf.sections.at(0).body)
        if (const auto* p = std::get_if<RtfParagraph>(&block))
            caption = p;
        else
            newPages.push_back(caption->pageBreakBefore);
    EXPECT_EQ(newPages, (std::vector<bool>{true, false, true, true, false, true}));
    const RtfTable& a = *rtf.tables()[0];
    ASSERT_EQ(a.rows.size(), 8u + 3u);
    EXPECT_EQ(rowTexts(a.rows[1]),
              (std::vector<std::string>{"0", "Initial", "0", "0", "0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(rowTexts(a.rows[4])[5], "1,000");
    EXPECT_EQ(rowTexts(a.rows.back())[5], "1,000");
    // The chart has the year-3 investment and every year of the study.
    const graph::Chart chart = OnInputs<cRptCashFlows>().report.cashFlowChart(1, "CF1");
    EXPECT_EQ(chart.subsets.at(0).values, (std::vector<double>{0, 0, 0, 1000, 0, 0, 0, 0, 0}));
}

// Smaller type after 25 and after 32 years keeps a table of up to 40 years to one page.
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
