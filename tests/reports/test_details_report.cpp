#include "ReportTest.h"
#include "reports/cRptAnalysisDetails.h"

namespace qvc::test {
namespace {

class DetailsTest : public ReportTest {
  protected:
    RtfDocument details(const std::string& code) {
        return writeReport([&](doc::DocumentObject& docs) {
            OnInputs<cRptAnalysisDetails> on;
            for (int32_t n = 1; n <= comps().Count(); ++n) {
                on.report.GenerateSummary(docs, code, n);
                on.report.GenerateDetailTable(docs, code, n);
            }
        });
    }
    static std::string rate(double value) {
        return value == -1.0 ? "N/A" : fixed(value * 100, 1) + " " + res().gXstrPercentPerYear;
    }
    static std::string ratio(double sir) { return sir == -1.0 ? "N/A" : fixed(sir, 3); }
    static std::string payback(double years) {
        return years == -1.0 ? "N/A" : fixed(years, 1) + "  " + res().gXstryears;
    }

    Rows expectedSummary(const std::string& code, const tavlo::IComparison& c) const {
        const ResourceTexts& r = res();
        const int16_t b = c.BaseCase(), ch = c.Challenger();
        const std::string tpw = code == "AD2" ? r.gXstrLSColAfterTaxTPW : r.gXstrLSColTPW;
        Rows rows{{r.gXstrColBaseCase, c.Winner() == b ? r.gXstrLSWinner : "",
                   caseTitle(b) + " [" + shortTitle(b) + "]"},
                  {r.gXstrColChallenger, c.Winner() == ch ? r.gXstrLSWinner : "",
                   caseTitle(ch) + " [" + shortTitle(ch) + "]"},
                  {"[" + shortTitle(b) + "] " + tpw + " ($)",
                   dollars(alts().Item(b).TotalPresentWorth())},
                  {"[" + shortTitle(ch) + "] " + tpw + " ($)",
                   dollars(alts().Item(ch).TotalPresentWorth())},
                  {r.gXstrADNetpresentworthsavings + " ($)", dollars(c.NPWSavings())}};
        if (code == "AD1")
            rows.insert(rows.end(), {{r.gXstrADColInternalRateReturn, rate(c.IRR())},
                                     {r.gXstrADColAdjustedRateReturn, rate(c.AIRR())}});
        if (code == "AD2")
            rows.insert(rows.end(), {{r.gXstrADColBeforeTaxIRR, rate(c.BeforeTaxIRR())},
                                     {r.gXstrADColAfterTaxIRR, rate(c.IRR())},
                                     {r.gXstrADColAdjustedRateReturn, rate(c.AIRR())}});
        if (code == "AD3")
            rows.push_back({r.gXstrADColSavingsToInv, ratio(c.SIR(25))});
        rows.push_back({r.gXstrColPayBackPeriod, payback(c.PaybackYears())});
        return rows;
    }

    void expectDetail(const RtfTable& t, const std::string& code, const tavlo::IComparison& c) {
        const ResourceTexts& r = res();
        const tavlo::IAlternative& base = alts().Item(c.BaseCase());
        const tavlo::IAlternative& challenger = alts().Item(c.Challenger());
        // Two header rows, the initial year, 25 years and the totals.
        ASSERT_EQ(t.rows.size(), 2u + 26u + 1u);
        const std::string group =
            code == "AD2" ? r.gXstrADMainColAfterTaxCashFlow : r.gXstrADMainColCashFlow;
        EXPECT_EQ(rowTexts(t.rows[0]).at(1), group + "\n(" + r.gXstrPresentWorth + " $)");
        double opTotal = 0, invTotal = 0;
        for (int16_t y = 0; y <= 25; ++y) {
            const double op = std::nearbyint(c.OpCostSavingsAt(y));
            const double inv = std::nearbyint(c.AddInvCostAt(y));
            opTotal += op;
            invTotal += inv;
            EXPECT_EQ(rowTexts(t.rows[static_cast<size_t>(2 + y)]),
                      (std::vector<std::string>{
                          y == 0 ? "" : std::to_string(y),
                          y == 0 ? r.gXstrInitial : std::to_string(2025 + y),
                          grouped(base.PWCashFlowAt(y)), grouped(challenger.PWCashFlowAt(y)),
                          grouped(c.NPWSavingsAt(y)), grouped(op), grouped(c.CumOpCostSavingsAt(y)),
                          grouped(inv), grouped(c.CumAddInvCostAt(y)), ratio(c.SIR(y))}))
                << "year " << y;
        }
        // Present worths total as in the summary, savings as the sums of the rounded rows.
        EXPECT_EQ(rowTexts(t.rows.back()),
                  (std::vector<std::string>{r.gXstrTotals, grouped(base.TotalPresentWorth()),
                                            grouped(challenger.TotalPresentWorth()),
                                            grouped(c.NPWSavings()), grouped(opTotal), "",
                                            grouped(invTotal), "", ""}));
    }

    void expectReport(const std::string& code) {
        const RtfDocument d = details(code);
        const auto tables = d.tables();
        const auto n = static_cast<size_t>(comps().Count());
        ASSERT_EQ(tables.size(), 2 * n);
        for (size_t k = 1; k <= n; ++k) {
            const tavlo::IComparison& c = comps().Item(static_cast<int16_t>(k));
            const RtfTable& summary = *tables[2 * k - 2];
            EXPECT_EQ(tableTexts(summary), expectedSummary(code, c)) << "comparison " << k;
            // The winner mark is bold.
            expectDetail(*tables[2 * k - 1], code, c);
        }
        for (const RtfTable* t : tables)
            expectFitsThePage(*t, d.sections.at(0));
    }
};

TEST_F(DetailsTest, EveryCellOfEveryComparisonForEachTypeOfAnalysis) {
    struct Case {
        const char* code;
        int16_t analysis;
        bool taxes;
    };
    for (const Case& c : {Case{"AD2", 0, true}, Case{"AD1", 0, false}, Case{"AD3", 1, false},
                          Case{"AD4", 2, false}}) {
        SCOPED_TRACE(c.code);
        calculate(variantOf(c.analysis, 0, c.taxes));
        ASSERT_EQ(comps().Count(), 2);
        expectReport(c.code);
    }
}

TEST_F(DetailsTest, UndefinedRatesAndRatiosShowNotApplicable) {
    // Cheaper electricity without investment: no rate of return, SIR or AIRR.
    std::vector<cDesignCase> twins{exampleCases()[0], exampleCases()[0]};
    twins[1].setAnnOpCost(1, 140000);
    for (const auto& [code, analysis] : {std::pair{"AD1", 0}, std::pair{"AD3", 1}}) {
        calculate(variantOf(static_cast<int16_t>(analysis), 0, false), twins);
        const tavlo::IComparison& c = comps().Item(1);
        ASSERT_EQ(c.IRR(), -1.0);
        ASSERT_EQ(c.AIRR(), -1.0);
        ASSERT_EQ(c.SIR(25), -1.0);
        expectReport(code);  // every rate, ratio and year-end SIR: N/A
    }
}

TEST_F(DetailsTest, WrapWordsKeepsShortPairsTogether) {
    const std::pair<const char*, const char*> cases[] = {
        {"Net Present Worth Savings ($)", " Net Present\r\nWorth\r\nSavings ($)"},
        // A word that wraps leaves the previous word as it was.
        {"Cumulative Op Cost", " Cumulative\r\nOp\r\nCost"},
        {"Additional", " Additional"},
        {"Investments", "\r\nInvestments"},
        {"a  b", " a  b"},
        {"", " "}};
    for (const auto& [text, wrapped] : cases)
        EXPECT_EQ(cRptAnalysisDetails::WrapWords(text), wrapped) << text;
}

}  // namespace
}  // namespace qvc::test
