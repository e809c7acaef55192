// The analysis details report written from a calculated office HVAC study:
// for every comparison the summary table against the engine (names, winner
// mark, present worths, savings, rates, ratio, payback) and the year-by-year
// table (every cell, the totals row from the summary's whole numbers and the
// sums of the rounded rows, widths of 7.5 inches); WrapWords; failure notes.

#include <cmath>
#include <cstdio>

#include "OfficeHvacRun.h"
#include "reports/cRptAnalysisDetails.h"

namespace qvc::test {
namespace {

class AnalysisDetailsTest : public OfficeHvacRun {
  protected:
    RtfDocument details(const std::string& code) {
        return writeReport("details.rtf", [&](doc::DocumentObject& docs) {
            const ReportInputs inputs = reports::readReportInputs();
            cRptAnalysisDetails report(inputs);
            for (int32_t n = 1; n <= comps().Count(); ++n) {
                report.GenerateSummary(docs, code, n);
                report.GenerateDetailTable(docs, code, n);
            }
        });
    }

    const CaseSnapshot& caseAt(int number) const {
        return threadState().colCases.Item(number == 0 ? 1L : number);
    }
    static std::string fixed(double value, int decimals) {
        char text[64];
        std::snprintf(text, sizeof text, "%.*f", decimals, value);
        return text;
    }
    std::string rate(double value) const {
        return value == -1.0 ? res().gXstrNA
                             : fixed(value * 100, 1) + " " + res().gXstrPercentPerYear;
    }
    // An undefined ratio shows the N/A text, never "-1.000".
    std::string ratio(double sir) const { return sir == -1.0 ? res().gXstrNA : fixed(sir, 3); }
    std::string payback(double years) const {
        return years == -1.0 ? res().gXstrNA : fixed(years, 1) + "  " + res().gXstryears;
    }

    // Summary rows after the five common ones for `code`.
    std::vector<std::vector<std::string>> rateRows(const std::string& code,
                                                   const tavlo::IComparison& c) const {
        const ResourceTexts& r = res();
        if (code == "AD1")
            return {{r.gXstrADColInternalRateReturn, rate(c.IRR())},
                    {r.gXstrADColAdjustedRateReturn, rate(c.AIRR())}};
        if (code == "AD2")
            return {{r.gXstrADColBeforeTaxIRR, rate(c.BeforeTaxIRR())},
                    {r.gXstrADColAfterTaxIRR, rate(c.IRR())},
                    {r.gXstrADColAdjustedRateReturn, rate(c.AIRR())}};
        if (code == "AD3")
            return {{r.gXstrADColSavingsToInv, ratio(c.SIR(25))}};
        return {};
    }

    void expectSummary(const RtfTable& t, const std::string& code, int16_t n) {
        const ResourceTexts& r = res();
        const tavlo::IComparison& c = comps().Item(n);
        const CaseSnapshot& base = caseAt(c.BaseCase());
        const CaseSnapshot& challenger = caseAt(c.Challenger());
        const std::string tpw = code == "AD2" ? r.gXstrLSColAfterTaxTPW : r.gXstrLSColTPW;
        std::vector<std::vector<std::string>> expected{
            {r.gXstrColBaseCase, c.Winner() == c.BaseCase() ? r.gXstrLSWinner : "",
             base.Gen(1) + " [" + base.Gen(2) + "]"},
            {r.gXstrColChallenger, c.Winner() == c.Challenger() ? r.gXstrLSWinner : "",
             challenger.Gen(1) + " [" + challenger.Gen(2) + "]"},
            {"[" + base.Gen(2) + "] " + tpw + " ($)",
             dollars(alts().Item(c.BaseCase()).TotalPresentWorth())},
            {"[" + challenger.Gen(2) + "] " + tpw + " ($)",
             dollars(alts().Item(c.Challenger()).TotalPresentWorth())},
            {r.gXstrADNetpresentworthsavings + " ($)", dollars(c.NPWSavings())}};
        for (auto& row : rateRows(code, c))
            expected.push_back(row);
        expected.push_back({r.gXstrColPayBackPeriod, payback(c.PaybackYears())});
        ASSERT_EQ(t.rows.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(rowTexts(t.rows[i]), expected[i]) << "comparison " << n << " row " << i;
            int width = 0;
            for (int w : t.rows[i].widths())
                width += w;
            EXPECT_EQ(width, twips(7.5));
        }
        // The winner mark is bold, in exactly one of the two case rows.
        EXPECT_NE(t.rows[0].cells[1].text.empty(), t.rows[1].cells[1].text.empty());
        const RtfCell& mark =
            t.rows[0].cells[1].text.empty() ? t.rows[1].cells[1] : t.rows[0].cells[1];
        EXPECT_TRUE(mark.bold);
    }

    void expectDetail(const RtfTable& t, const std::string& code, int16_t n) {
        const ResourceTexts& r = res();
        const tavlo::IComparison& c = comps().Item(n);
        const tavlo::IAlternative& base = alts().Item(c.BaseCase());
        const tavlo::IAlternative& challenger = alts().Item(c.Challenger());
        // Two header rows, the initial row, 25 years and the totals.
        ASSERT_EQ(t.rows.size(), 2u + 26u + 1u);
        const std::string group =
            code == "AD2" ? r.gXstrADMainColAfterTaxCashFlow : r.gXstrADMainColCashFlow;
        EXPECT_EQ(rowTexts(t.rows[0]),
                  (std::vector<std::string>{
                      "", group + "\n(" + r.gXstrPresentWorth + " $)",
                      r.gXstrADMainColSIRandPBCalc + "\n(" + r.gXstrPresentWorth + " $)"}));
        const auto header = rowTexts(t.rows[1]);
        ASSERT_EQ(header.size(), 10u);
        EXPECT_EQ(header[0], r.gXstrADColYear);
        EXPECT_EQ(header[2],
                  "[" + caseAt(c.BaseCase()).Gen(2) + "]\n" + r.gXstrADMainColCashFlow + "\n ($)");
        EXPECT_EQ(header[3], "[" + caseAt(c.Challenger()).Gen(2) + "]\n" +
                                 r.gXstrADMainColCashFlow + "\n ($)");
        std::string wrapped = cRptAnalysisDetails::WrapWords(r.gXstrADColOpCostSavings + " ($)");
        for (size_t p = wrapped.find("\r\n"); p != std::string::npos; p = wrapped.find("\r\n"))
            wrapped.replace(p, 2, "\n");
        EXPECT_EQ(header[5], wrapped);
        EXPECT_EQ(header[9], r.gXstrADColYearEndSIR);
        for (const RtfCell& cell : t.rows[1].cells)
            EXPECT_TRUE(cell.bold);

        double opTotal = 0, invTotal = 0, baseSum = 0;
        for (int16_t y = 0; y <= 25; ++y) {
            const auto cells = rowTexts(t.rows[static_cast<size_t>(2 + y)]);
            const double op = std::nearbyint(c.OpCostSavingsAt(y));
            const double inv = std::nearbyint(c.AddInvCostAt(y));
            opTotal += op;
            invTotal += inv;
            baseSum += base.PWCashFlowAt(y);
            EXPECT_EQ(cells,
                      (std::vector<std::string>{
                          y == 0 ? "" : std::to_string(y),
                          y == 0 ? r.gXstrInitial : std::to_string(2025 + y),
                          grouped(base.PWCashFlowAt(y)), grouped(challenger.PWCashFlowAt(y)),
                          grouped(c.NPWSavingsAt(y)), grouped(op), grouped(c.CumOpCostSavingsAt(y)),
                          grouped(inv), grouped(c.CumAddInvCostAt(y)), ratio(c.SIR(y))}))
                << "comparison " << n << " year " << y;
        }
        EXPECT_NEAR(baseSum, base.TotalPresentWorth(), 1e-6);
        EXPECT_EQ(rowTexts(t.rows.back()),
                  (std::vector<std::string>{r.gXstrTotals, grouped(base.TotalPresentWorth()),
                                            grouped(challenger.TotalPresentWorth()),
                                            grouped(c.NPWSavings()), grouped(opTotal), "",
                                            grouped(invTotal), "", ""}));
        for (const RtfRow& row : t.rows) {
            int width = 0;
            for (int w : row.widths())
                width += w;
            EXPECT_EQ(width, twips(7.5));
        }
    }

    // The challenger is the same plant with a cheaper electricity contract: it
    // saves every year without any additional investment, so there is no rate
    // of return, no SIR in any year and therefore no AIRR.
    static std::vector<cDesignCase> twinPlants() {
        return {refurbishCase(), refurbishCase(140000)};
    }

    // Every rate and ratio row of the summary and every year-end SIR reads N/A.
    void expectNotApplicable(const std::string& code) {
        const tavlo::IComparison& c = comps().Item(1);
        ASSERT_EQ(c.IRR(), -1.0);
        ASSERT_EQ(c.AIRR(), -1.0);
        ASSERT_EQ(c.SIR(25), -1.0);
        expectReport(code);
        const RtfDocument d = details(code);
        const RtfTable& summary = *d.tables().at(0);
        const RtfTable& detail = *d.tables().at(1);
        ASSERT_GT(summary.rows.size(), 6u);
        for (size_t row = 5; row + 1 < summary.rows.size(); ++row)
            EXPECT_EQ(summary.rows[row].cells.back().text, "N/A") << "row " << row;
        for (size_t row = 2; row + 1 < detail.rows.size(); ++row)
            EXPECT_EQ(detail.rows[row].cells.at(9).text, "N/A") << "row " << row;
    }

    void expectReport(const std::string& code) {
        const RtfDocument d = details(code);
        const auto tables = d.tables();
        ASSERT_EQ(tables.size(), 2u * static_cast<size_t>(comps().Count()));
        for (int16_t n = 1; n <= comps().Count(); ++n) {
            expectSummary(*tables[2u * static_cast<size_t>(n - 1)], code, n);
            expectDetail(*tables[2u * static_cast<size_t>(n - 1) + 1], code, n);
            bool captions[2] = {false, false};
            for (const RtfParagraph* p : d.paragraphs()) {
                captions[0] |= p->text == std::to_string(n) + res().gXstrA + ". " +
                                              res().gXstrADTableSumOfResults;
                captions[1] |=
                    p->text == std::to_string(n) + res().gXstrB + ". " + res().gXstrADTableCompAD;
            }
            EXPECT_TRUE(captions[0] && captions[1]) << "comparison " << n;
        }
        // Each detail table's totals add rounded figures; a note under it says so.
        size_t notes = 0;
        for (const RtfParagraph* p : d.paragraphs())
            notes += p->text == res().gXstrRoundingNote;
        EXPECT_EQ(notes, static_cast<size_t>(comps().Count()));
    }
};

TEST_F(AnalysisDetailsTest, PrivateSectorWithTaxesBeforeAndAfterTaxRates) {
    calculate(0, 0, true);
    ASSERT_EQ(comps().Count(), 2);
    expectReport("AD2");
}

TEST_F(AnalysisDetailsTest, PrivateSectorWithoutTaxesOneRateOfReturn) {
    calculate(0, 0, false);
    expectReport("AD1");
}

TEST_F(AnalysisDetailsTest, PublicSectorSavingsToInvestmentRatio) {
    calculate(1, 0, false);
    expectReport("AD3");
}

TEST_F(AnalysisDetailsTest, SimplePaybackNoRateRows) {
    calculate(2, 0, false);
    expectReport("AD4");
}

TEST_F(AnalysisDetailsTest, UndefinedRatesAndRatiosShowNotApplicable) {
    calculate(0, 0, false, twinPlants());
    expectNotApplicable("AD1");
}

TEST_F(AnalysisDetailsTest, AnUndefinedRatioShowsNotApplicableInThePublicSector) {
    calculate(1, 0, false, twinPlants());
    expectNotApplicable("AD3");
}

TEST_F(AnalysisDetailsTest, WrapWordsKeepsShortPairsTogether) {
    EXPECT_EQ(cRptAnalysisDetails::WrapWords("Net Present Worth Savings ($)"),
              " Net Present\r\nWorth\r\nSavings ($)");
    // A word that wraps leaves the previous word as it was.
    EXPECT_EQ(cRptAnalysisDetails::WrapWords("Cumulative Op Cost"), " Cumulative\r\nOp\r\nCost");
    EXPECT_EQ(cRptAnalysisDetails::WrapWords("Additional"), " Additional");
    EXPECT_EQ(cRptAnalysisDetails::WrapWords("Investments"), "\r\nInvestments");
    EXPECT_EQ(cRptAnalysisDetails::WrapWords("a  b"), " a  b");
    EXPECT_EQ(cRptAnalysisDetails::WrapWords(""), " ");
}

TEST_F(AnalysisDetailsTest, FailuresWriteNotesAndTotalsNeedTheSummary) {
    calculate(0, 0, false);
    const ResourceTexts& r = res();
    int32_t missing = 3;  // two comparisons only
    const RtfDocument d = writeReport("fail.rtf", [&](doc::DocumentObject& docs) {
        const ReportInputs inputs = reports::readReportInputs();
        cRptAnalysisDetails report(inputs);
        report.GenerateSummary(docs, "AD1", missing);
        report.GenerateDetailTable(docs, "AD1", missing);
    });
    EXPECT_TRUE(d.tables().empty());
    const std::string body = d.bodyText();
    EXPECT_NE(
        body.find("3" + r.gXstrA + ". " + r.gXstrADTableSumOfResults + " " + r.gXstrCanNotGen),
        std::string::npos);
    EXPECT_NE(body.find("3" + r.gXstrB + ". " + r.gXstrADTableCompAD + " " + r.gXstrCanNotGen),
              std::string::npos);
    EXPECT_NE(body.find(r.gXstrError + " 9 - "), std::string::npos);
    EXPECT_NE(body.find(r.gXstrMethod + " - GenerateSummary"), std::string::npos);
    EXPECT_NE(body.find(r.gXstrMethod + " - GenerateDetailTable"), std::string::npos);
    EXPECT_NE(body.find(r.gXstrModule + " - cRptAnalysisDetails"), std::string::npos);

    // A detail table without its summary has zeros where the summary's
    // amounts belong; the rows and the sums of the rounded rows are there.
    int32_t first = 1;
    const RtfDocument alone = writeReport("alone.rtf", [&](doc::DocumentObject& docs) {
        const ReportInputs inputs = reports::readReportInputs();
        cRptAnalysisDetails(inputs).GenerateDetailTable(docs, "AD1", first);
    });
    ASSERT_EQ(alone.tables().size(), 1u);
    const auto totals = rowTexts(alone.tables()[0]->rows.back());
    EXPECT_EQ(totals[1], "0");
    EXPECT_EQ(totals[3], "0");
    EXPECT_NE(totals[4], "0");

    // No results at all.
    threadState().colComparisons.reset();
    const RtfDocument none = writeReport("none.rtf", [&](doc::DocumentObject& docs) {
        const ReportInputs inputs = reports::readReportInputs();
        cRptAnalysisDetails(inputs).GenerateSummary(docs, "AD1", first);
    });
    EXPECT_NE(none.bodyText().find(r.gXstrError + " 91 - "), std::string::npos);
}

}  // namespace
}  // namespace qvc::test
