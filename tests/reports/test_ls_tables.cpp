// The life-cycle summary report written from a calculated office HVAC study:
// every number of tables 1 to 3 against the engine, the winner marks, the
// rate, ratio and payback texts, the column widths, the charts' pictures, and
// the layout of each sub-code.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <variant>

#include "OfficeHvacRun.h"
#include "reports/cRptLifeCycleSummary.h"

namespace qvc::test {
namespace {

class LifeCycleSummaryTest : public OfficeHvacRun {
  protected:
    // The four operations in the builder's order, as one document.
    RtfDocument summary(const std::string& code) {
        return writeReport("summary.rtf", [&](doc::DocumentObject& docs) {
            const ReportInputs inputs = reports::readReportInputs();
            cRptLifeCycleSummary report(inputs);
            report.GenerateFirstTable(docs, code);
            if (code != "LS7")
                report.GenerateGraphs(docs, code);
            report.GenerateSecondTable(docs, code);
            report.Generate_ThirdTable(docs, code);
        });
    }

    std::string title(int position) const {
        return threadState().colCases.Item(position == 0 ? 1L : position).Gen(1);
    }
    std::string shortTitle(int position) const {
        return threadState().colCases.Item(position == 0 ? 1L : position).Gen(2);
    }

    // Alternatives sorted by total present worth, as the ranking must order them.
    std::vector<int16_t> byPresentWorth() const {
        std::vector<int16_t> order;
        for (int16_t i = 1; i <= alts().Count(); ++i)
            order.push_back(i);
        std::stable_sort(order.begin(), order.end(), [&](int16_t a, int16_t b) {
            return alts().Item(a).TotalPresentWorth() < alts().Item(b).TotalPresentWorth();
        });
        return order;
    }

    // Position of the first alternative with the lowest value of `get`.
    template <typename Get>
    int lowest(Get get) const {
        int best = 1;
        for (int16_t i = 2; i <= alts().Count(); ++i)
            if (get(alts().Item(i)) < get(alts().Item(static_cast<int16_t>(best))))
                best = i;
        return best;
    }

    // Table 1 rows after the header, the three criterion rows checked.
    void expectCriterionRows(const RtfTable& t, size_t firstRow, bool withTpw) {
        size_t r = firstRow;
        auto check = [&](const std::string& label, int best, double value) {
            EXPECT_EQ(rowTexts(t.rows.at(r)),
                      (std::vector<std::string>{label, title(best), dollars(value)}));
            ++r;
        };
        if (withTpw) {
            const int best = lowest([](const auto& a) { return a.TotalPresentWorth(); });
            check(res().gXstrLSLowestTPW, best,
                  alts().Item(static_cast<int16_t>(best)).TotalPresentWorth());
        }
        const int ann = lowest([](const auto& a) { return a.AnnualOperatingCost(); });
        check(res().gXstrLSAnnOpCost, ann,
              alts().Item(static_cast<int16_t>(ann)).AnnualOperatingCost());
        const int first = lowest([](const auto& a) { return a.FirstCost(); });
        check(res().gXstrLSFirstCost, first, alts().Item(static_cast<int16_t>(first)).FirstCost());
        EXPECT_EQ(r, t.rows.size());
    }

    // Alternatives by increasing first cost, ties by case number.
    std::vector<int16_t> byFirstCost() const {
        std::vector<int16_t> order;
        for (int16_t i = 1; i <= alts().Count(); ++i)
            order.push_back(i);
        std::stable_sort(order.begin(), order.end(), [&](int16_t a, int16_t b) {
            return alts().Item(a).FirstCost() < alts().Item(b).FirstCost();
        });
        return order;
    }

    // Table 2: one row per case, in rank order under the "ranked by total
    // present worth" caption, by first cost under the first-cost caption.
    void expectDesignCaseRows(const RtfTable& t, bool beforeTax, bool ranked = false) {
        const std::vector<int16_t> order = ranked ? byPresentWorth() : byFirstCost();
        ASSERT_EQ(t.rows.size(), order.size() + 1);
        for (size_t j = 0; j < order.size(); ++j) {
            const tavlo::IAlternative& a = alts().Item(order[j]);
            if (ranked) {
                EXPECT_EQ(a.Rank(), static_cast<int16_t>(j + 1));
            }
            std::vector<std::string> expected{title(order[j]), shortTitle(order[j]),
                                              dollars(a.TotalPresentWorth())};
            if (beforeTax)
                expected.push_back(dollars(a.BeforeTaxTPW()));
            expected.push_back(dollars(a.AnnualOperatingCost()));
            expected.push_back(dollars(a.FirstCost()));
            EXPECT_EQ(rowTexts(t.rows[j + 1]), expected) << "rank " << j + 1;
        }
    }

    // The sentence under table 1 of mutually exclusive cases: the preferred
    // case against the best of the others, over the 25 years of the example.
    std::string exclusiveAnswer() const {
        const int16_t preferred = comps().Item(comps().Count()).Winner();
        int16_t next = 0;
        for (const int16_t k : byPresentWorth())
            if (k != preferred && next == 0)
                next = k;
        const double tpw = alts().Item(preferred).TotalPresentWorth();
        const double saved =
            std::nearbyint(alts().Item(next).TotalPresentWorth()) - std::nearbyint(tpw);
        return "The preferred design case is " + title(preferred) +
               ", with a total present worth of " + dollars(tpw) +
               "; over the 25-year study period it saves " + dollars(saved) +
               " against the next best case, " + title(next) + ".";
    }
    // Independent cases: those that won their comparison with the base case.
    std::string independentAnswer() const {
        std::string winners;
        int16_t base = 1;
        for (int16_t k = 1; k <= comps().Count(); ++k) {
            const tavlo::IComparison& c = comps().Item(k);
            base = c.BaseCase();
            if (c.Winner() == c.Challenger())
                winners += (winners.empty() ? "" : ", ") + title(c.Challenger());
        }
        if (winners.empty())
            return "No design case has a lower total present worth than the base case, " +
                   title(base) + ".";
        return "Design cases with a lower total present worth than the base case, " + title(base) +
               ": " + winners + ".";
    }

    std::string compared(int16_t caseNumber, int16_t winner) const {
        return shortTitle(caseNumber) +
               (caseNumber == winner ? " " + res().gXstrLSWinner : std::string());
    }
    static std::string fixed(double value, int decimals) {
        char text[64];
        std::snprintf(text, sizeof text, "%.*f", decimals, value);
        return text;
    }
    std::string orNA(double value, int decimals, double scale = 1) const {
        return value == -1.0 ? res().gXstrNA : fixed(value * scale, decimals);
    }

    static void expectWidths(const RtfTable& t, const std::vector<double>& inches) {
        std::vector<int> expected;
        for (double w : inches)
            expected.push_back(twips(w));
        for (const RtfRow& row : t.rows)
            EXPECT_EQ(row.widths(), expected);
    }
    static void expectHeaderLook(const RtfTable& t) {
        for (const RtfCell& c : t.rows.at(0).cells) {
            EXPECT_TRUE(c.bold);
            EXPECT_EQ(c.shading, (RtfColour{225, 225, 225}));
        }
        for (size_t r = 1; r < t.rows.size(); ++r)
            for (const RtfCell& c : t.rows[r].cells) {
                EXPECT_FALSE(c.bold);
                EXPECT_EQ(c.shading, (RtfColour{255, 255, 255}));
                EXPECT_EQ(c.halfPoints, 20);
            }
    }
    bool hasParagraph(const RtfDocument& d, const std::string& text) const {
        for (const RtfParagraph* p : d.paragraphs())
            if (p->text == text)
                return true;
        return false;
    }
};

TEST_F(LifeCycleSummaryTest, PrivateSectorWithTaxesWritesEveryNumberOfTheThreeTables) {
    calculate(0, 0, true);
    ASSERT_EQ(comps().Count(), 2);
    const RtfDocument d = summary("LS1");
    const auto tables = d.tables();
    // Tables 1, 2 and 3, and no empty framed box before the charts.
    ASSERT_EQ(tables.size(), 3u);
    const auto body = [&] {
        std::vector<std::string> kinds;  // "table", "pictures", "answer"
        for (const RtfBlock& block : d.sections.at(0).body) {
            if (std::holds_alternative<RtfTable>(block))
                kinds.push_back("table");
            else if (!std::get<RtfParagraph>(block).pictures.empty())
                kinds.push_back("pictures");
            else if (std::get<RtfParagraph>(block).text.starts_with("The preferred design case"))
                kinds.push_back("answer");
        }
        return kinds;
    }();
    // The executive summary and its answer come before the charts.
    ASSERT_GE(body.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(body.begin(), body.begin() + 3),
              (std::vector<std::string>{"table", "answer", "pictures"}));

    // Table 1: the overall choice is the last comparison's winner.
    const RtfTable& t1 = *tables[0];
    ASSERT_EQ(t1.rows.size(), 5u);
    EXPECT_EQ(rowTexts(t1.rows[0]),
              (std::vector<std::string>{res().gXstrLSColEconomicCriteria,
                                        res().gXstrLSColBestDesignCaseForEachCriteria,
                                        res().gXstrLSColValue + " ($)"}));
    const int16_t winner = comps().Item(2).Winner();
    EXPECT_EQ(rowTexts(t1.rows[1]),
              (std::vector<std::string>{res().gXstrLSIncrementalNPW, title(winner), "-"}));
    expectCriterionRows(t1, 2, true);
    // The study's choice has the lowest total present worth.
    EXPECT_EQ(t1.rows[1].cells[1].text, t1.rows[2].cells[1].text);
    EXPECT_TRUE(hasParagraph(d, exclusiveAnswer())) << exclusiveAnswer();
    expectWidths(t1, {2.5, 3.75, 1.25});
    expectHeaderLook(t1);
    EXPECT_EQ(t1.rows[1].cells[2].align, 'r');
    EXPECT_EQ(t1.rows[1].cells[0].align, 'l');

    // Table 2: six columns with the after- and before-tax present worths.
    const RtfTable& t2 = *tables[1];
    EXPECT_EQ(rowTexts(t2.rows[0]),
              (std::vector<std::string>{
                  res().gXstrColDesignCaseName, res().gXstrColDesignCaseShortName,
                  res().gXstrLSColAfterTaxTPW + " ($)", res().gXstrLSColBeforeTaxTPW + " ($)",
                  res().gXstrLSColAnOpCost + " ($" + res().gXstrSlashyr + ")",
                  res().gXstrLSColFirstCost + " ($)"}));
    expectDesignCaseRows(t2, true);
    expectWidths(t2, {2.0, 1.1, 1.1, 1.1, 1.1, 1.1});
    expectHeaderLook(t2);

    // Table 3: one row per comparison with both rates of return.
    const RtfTable& t3 = *tables[2];
    EXPECT_EQ(rowTexts(t3.rows[0]),
              (std::vector<std::string>{
                  res().gXstrColChallenger, res().gXstrColBaseCase,
                  res().gXstrColAddFirstCost + " ($)", res().gXstrADColNPWsavings + " ($)",
                  res().gXstrLSColAfterTaxIRR, res().gXstrLSColBeforetaxIRR,
                  res().gXstrColPayBackPeriod + " (" + res().gXstryears + ")"}));
    ASSERT_EQ(t3.rows.size(), 3u);
    int winnerMarks = 0;
    for (int16_t i = 1; i <= 2; ++i) {
        const tavlo::IComparison& c = comps().Item(i);
        EXPECT_EQ(
            rowTexts(t3.rows[static_cast<size_t>(i)]),
            (std::vector<std::string>{
                compared(c.Challenger(), c.Winner()), compared(c.BaseCase(), c.Winner()),
                dollars(c.AdditionalFirstCost()), dollars(c.NPWSavings()), orNA(c.IRR(), 2, 100),
                orNA(c.BeforeTaxIRR(), 2, 100), orNA(c.PaybackYears(), 1)}))
            << "comparison " << i;
        for (int k = 0; k < 2; ++k)
            winnerMarks +=
                t3.rows[static_cast<size_t>(i)].cells[static_cast<size_t>(k)].text.ends_with(
                    res().gXstrLSWinner);
    }
    EXPECT_EQ(winnerMarks, 2);
    // The seven columns share the 7.5 inches; how is the table fitter's to say
    // once the headers ask for more than 0.8 inch.
    for (const RtfRow& row : t3.rows) {
        const std::vector<int> w = row.widths();
        EXPECT_EQ(std::accumulate(w.begin(), w.end(), 0), twips(7.5));
    }

    // Captions, and three charts of 235 x 185 points for three cases.
    EXPECT_TRUE(hasParagraph(d, res().gXstrTable + " 1. " + res().gXstrLSTableExeSummary));
    EXPECT_TRUE(
        hasParagraph(d, res().gXstrTable + " 2. " + res().gXstrLSTableFirstCostDesignCases));
    EXPECT_TRUE(hasParagraph(d, res().gXstrTable + " 3. " + res().gXstrLSTableIncAnalyData));
    const auto pictures = d.pictures();
    ASSERT_EQ(pictures.size(), 3u);
    for (const RtfPicture* p : pictures) {
        EXPECT_TRUE(p->png);
        EXPECT_EQ(p->goalWidth, 235 * 20);
        EXPECT_EQ(p->goalHeight, 185 * 20);
    }
}

TEST_F(LifeCycleSummaryTest, WithoutTaxesOneTotalPresentWorthAndTheRateOfReturnInPercent) {
    calculate(0, 0, false);
    const RtfDocument d = summary("LS2");
    const auto tables = d.tables();
    ASSERT_EQ(tables.size(), 3u);
    EXPECT_EQ(tables[0]->rows[1].cells[0].text, res().gXstrLSIncrementalNPW);
    expectCriterionRows(*tables[0], 2, true);

    const RtfTable& t2 = *tables[1];
    EXPECT_EQ(t2.rows[0].cells[2].text, res().gXstrLSColTPW + " ($)");
    expectDesignCaseRows(t2, false);
    expectWidths(t2, {2.6, 1.2, 1.25, 1.25, 1.2});

    const RtfTable& t3 = *tables[2];
    EXPECT_EQ(t3.rows[0].cells[4].text,
              res().gXstrLSColIRR + " (" + res().gXstrPercentPerYear + ")");
    expectWidths(t3, {1.75, 1.75, 1.0, 1.0, 1.0, 1.0});
    for (int16_t i = 1; i <= comps().Count(); ++i) {
        const tavlo::IComparison& c = comps().Item(i);
        const auto cells = rowTexts(t3.rows.at(static_cast<size_t>(i)));
        EXPECT_EQ(cells[3], dollars(c.NPWSavings()));
        EXPECT_EQ(cells[4], orNA(c.IRR(), 2, 100));
        EXPECT_EQ(cells[5], orNA(c.PaybackYears(), 1));
    }
    EXPECT_EQ(d.pictures().size(), 3u);

    // With another currency the amounts lose the "$" and the headers name it.
    threadState().arrStudy[9] = "EUR";
    const RtfDocument euro = summary("LS2");
    const RtfTable& e2 = *euro.tables()[1];
    EXPECT_EQ(e2.rows[0].cells[4].text, res().gXstrLSColFirstCost + " (EUR)");
    EXPECT_EQ(e2.rows[0].cells[3].text,
              res().gXstrLSColAnOpCost + " (EUR" + res().gXstrSlashyr + ")");
    const tavlo::IAlternative& first = alts().Item(byFirstCost()[0]);
    EXPECT_EQ(e2.rows[1].cells[4].text, grouped(first.FirstCost()));
    EXPECT_EQ(euro.tables()[0]->rows[0].cells[2].text, res().gXstrLSColValue + " (EUR)");
}

TEST_F(LifeCycleSummaryTest, PublicSectorShowsTheSavingsToInvestmentRatioAtTheEndOfTheStudy) {
    calculate(1, 0, false);
    const RtfDocument d = summary("LS5");
    const auto tables = d.tables();
    ASSERT_EQ(tables.size(), 3u);
    const int16_t winner = comps().Item(comps().Count()).Winner();
    EXPECT_EQ(rowTexts(tables[0]->rows[1]),
              (std::vector<std::string>{res().gXstrLSIncrementalSIR, title(winner), "-"}));
    expectCriterionRows(*tables[0], 2, true);
    expectDesignCaseRows(*tables[1], false);

    const RtfTable& t3 = *tables[2];
    EXPECT_EQ(t3.rows[0].cells[4].text, res().gXstrLSColSIR);
    for (int16_t i = 1; i <= comps().Count(); ++i) {
        const tavlo::IComparison& c = comps().Item(i);
        EXPECT_EQ(t3.rows.at(static_cast<size_t>(i)).cells[4].text, orNA(c.SIR(25), 3));
    }
}

TEST_F(LifeCycleSummaryTest, AnUndefinedRatioShowsNotApplicable) {
    // A cheaper electricity contract for the same plant: savings without any
    // additional investment, so the SIR is undefined.
    calculate(1, 0, false, {refurbishCase(), refurbishCase(140000)});
    ASSERT_EQ(comps().Item(1).SIR(25), -1.0);
    const RtfDocument d = summary("LS5");
    EXPECT_EQ(d.tables().at(2)->rows.at(1).cells[4].text, "N/A");
}

TEST_F(LifeCycleSummaryTest, SimplePaybackHasNoChartsAndAFourColumnIncrementalTable) {
    calculate(2, 0, false);
    const RtfDocument d = summary("LS7");
    EXPECT_TRUE(d.pictures().empty());
    const auto tables = d.tables();
    ASSERT_EQ(tables.size(), 3u);

    const RtfTable& t1 = *tables[0];
    ASSERT_EQ(t1.rows.size(), 4u);
    const int16_t winner = comps().Item(comps().Count()).Winner();
    EXPECT_EQ(rowTexts(t1.rows[1]),
              (std::vector<std::string>{res().gXstrLSPaybackAnalysis, title(winner), "-"}));
    expectCriterionRows(t1, 2, false);
    expectDesignCaseRows(*tables[1], false);
    EXPECT_TRUE(
        hasParagraph(d, res().gXstrTable + " 2. " + res().gXstrLSTableFirstCostDesignCases));

    const RtfTable& t3 = *tables[2];
    expectWidths(t3, {2.5, 2.5, 1.25, 1.25});
    for (int16_t i = 1; i <= comps().Count(); ++i) {
        const tavlo::IComparison& c = comps().Item(i);
        EXPECT_EQ(rowTexts(t3.rows.at(static_cast<size_t>(i))),
                  (std::vector<std::string>{
                      compared(c.Challenger(), c.Winner()), compared(c.BaseCase(), c.Winner()),
                      dollars(c.AdditionalFirstCost()), orNA(c.PaybackYears(), 1)}));
    }
    EXPECT_TRUE(
        hasParagraph(d, "The preferred design case by simple payback is " + title(winner) + "."));
    // The graphs call alone writes nothing for "LS7".
    const RtfDocument graphs = writeReport("graphs.rtf", [](doc::DocumentObject& docs) {
        const ReportInputs inputs = reports::readReportInputs();
        cRptLifeCycleSummary(inputs).GenerateGraphs(docs, "LS7");
    });
    EXPECT_TRUE(graphs.pictures().empty());
    EXPECT_TRUE(graphs.tables().empty());
}

TEST_F(LifeCycleSummaryTest, IndependentCasesWriteTablesOneAndTwoOnly) {
    calculate(0, 1, true);
    for (const std::string code : {"LS3", "LS4", "LS6"}) {
        const RtfDocument d = summary(code);
        const auto tables = d.tables();
        ASSERT_EQ(tables.size(), 2u) << code;
        ASSERT_EQ(tables[0]->rows.size(), 4u) << code;
        EXPECT_EQ(tables[0]->rows[1].cells[0].text, res().gXstrLSLowestTPW);
        expectCriterionRows(*tables[0], 1, true);
        expectDesignCaseRows(*tables[1], code == "LS3", true);
        EXPECT_TRUE(hasParagraph(d, independentAnswer())) << code;
        EXPECT_TRUE(
            hasParagraph(d, res().gXstrTable + " 2. " + res().gXstrLSTableDesignCaseRankedByTPW));
        EXPECT_FALSE(hasParagraph(d, res().gXstrTable + " 3. " + res().gXstrLSTableIncAnalyData));
        EXPECT_EQ(d.pictures().size(), 3u);
    }
    // An unknown code: table 1 in its first form, no table 2 or 3.
    const RtfDocument other = summary("LS9");
    ASSERT_EQ(other.tables().size(), 1u);
    EXPECT_EQ(other.tables()[0]->rows.size(), 5u);
    EXPECT_EQ(other.tables()[0]->rows[1].cells[0].text, res().gXstrLSIncrementalNPW);
}

TEST_F(LifeCycleSummaryTest, TiesNameTheEarlierCaseAndOneCaseNamesItselfEverywhere) {
    // Two identical plants: the same present worth, first cost and annual cost.
    cDesignCase twin = refurbishCase();
    twin.CaseTitle = "Refurbish, second quote";
    twin.CaseShortTitle = "Refurbish B";
    calculate(0, 0, false, {highEfficiencyCase(), refurbishCase(), twin});
    ASSERT_DOUBLE_EQ(alts().Item(2).TotalPresentWorth(), alts().Item(3).TotalPresentWorth());
    const RtfDocument d = summary("LS2");
    const RtfTable& t1 = *d.tables()[0];
    for (size_t r = 2; r <= 4; ++r) {
        const std::string& named = t1.rows[r].cells[1].text;
        EXPECT_NE(named, "Refurbish, second quote") << "row " << r;
    }
    expectCriterionRows(t1, 2, true);
    // Equal first costs list the earlier case first.
    const RtfTable& t2 = *d.tables()[1];
    EXPECT_EQ(t2.rows.at(1).cells[0].text, "Refurbish the existing plant");
    EXPECT_EQ(t2.rows.at(2).cells[0].text, "Refurbish, second quote");
    expectDesignCaseRows(t2, false);
}

TEST_F(LifeCycleSummaryTest, OneCaseStudy) {
    calculate(0, 0, false, {groundSourceCase()});
    ASSERT_EQ(comps().Count(), 0);
    const RtfDocument d = summary("LS2");
    const auto tables = d.tables();
    ASSERT_EQ(tables.size(), 3u);
    for (size_t r = 1; r < tables[0]->rows.size(); ++r)
        EXPECT_EQ(tables[0]->rows[r].cells[1].text, "Ground-source heat pump plant");
    expectDesignCaseRows(*tables[1], false);
    EXPECT_EQ(tables[2]->rows.size(), 1u);  // header only
    EXPECT_EQ(d.pictures().size(), 3u);
    const double tpw = alts().Item(1).TotalPresentWorth();
    EXPECT_TRUE(hasParagraph(d,
                             "The study has one design case, Ground-source heat pump plant, "
                             "with a total present worth of " +
                                 dollars(tpw) + "."));
}

TEST_F(LifeCycleSummaryTest, FailuresLeaveNotesAndTheRestOfTheDocument) {
    calculate(0, 0, true);
    threadState().colAlternatives.reset();
    const RtfDocument d = summary("LS1");
    const std::string body = d.bodyText();
    const ResourceTexts& r = res();
    for (const std::string& caption :
         {r.gXstrTable + " 1. " + r.gXstrLSTableExeSummary + " " + r.gXstrCanNotGen,
          r.gXstrTable + " 2. " + " " + r.gXstrCanNotGen,
          r.gXstrLSColTPW + ", " + r.gXstrLSColAnOpCost + ", " + r.gXstrLSColFirstCost + " " +
              r.gXstrGraphs}) {
        EXPECT_TRUE(hasParagraph(d, caption)) << caption;
    }
    for (const std::string procedure :
         {"GenerateFirstTable", "GenerateSecondTable", "GenerateGraphs"})
        EXPECT_NE(body.find(r.gXstrMethod + " - " + procedure), std::string::npos) << procedure;
    EXPECT_NE(body.find(r.gXstrError + " 91 - "), std::string::npos);
    EXPECT_NE(body.find(r.gXstrModule + " - cRptLifeCycleSummary"), std::string::npos);
    // Table 3 needs only the comparisons and is still written.
    EXPECT_TRUE(hasParagraph(d, r.gXstrTable + " 3. " + r.gXstrLSTableIncAnalyData));
    EXPECT_TRUE(d.pictures().empty());

    // No graph surface: the charts give way to their note, the tables stay.
    calculate(0, 0, true);
    reportState().gGraph = nullptr;
    const RtfDocument noGraphs = summary("LS1");
    EXPECT_TRUE(noGraphs.pictures().empty());
    EXPECT_TRUE(hasParagraph(noGraphs, r.gXstrLSColTPW + ", " + r.gXstrLSColAnOpCost + ", " +
                                           r.gXstrLSColFirstCost + " " + r.gXstrGraphs));
    EXPECT_EQ(noGraphs.tables().size(), 3u);
    // The note's text is in the paragraph after the caption, in the default colour.
    EXPECT_NE(noGraphs.bodyText().find(r.gXstrMethod + " - GenerateGraphs"), std::string::npos);
}

}  // namespace
}  // namespace qvc::test
