#include "ReportTest.h"
#include "reports/cRptLifeCycleSummary.h"
#include "reports/cRptTotPresWorthProfiles.h"

namespace qvc::test {
namespace {

using Alt = tavlo::IAlternative;

class SummaryTest : public ReportTest {
  protected:
    // The four parts in the builder's order, as one document.
    RtfDocument summary(const std::string& code) {
        return writeReport([&](doc::DocumentObject& docs) {
            OnInputs<cRptLifeCycleSummary> on;
            on.report.GenerateFirstTable(docs, code);
            on.report.GenerateGraphs(docs, code);
            on.report.GenerateSecondTable(docs, code);
            on.report.Generate_ThirdTable(docs, code);
        });
    }
    RtfDocument profiles(const std::string& subCode) {
        return writeReport([&](doc::DocumentObject& d) {
            OnInputs<cRptTotPresWorthProfiles> on;
            on.report.setGraph(d);
            on.report.setPWtable(d, subCode);
        });
    }
    // The first alternative with the lowest value of `get`.
    std::vector<std::string> criterion(const std::string& label, double (Alt::*get)() const) const {
        int16_t best = 1;
        for (int16_t i = 2; i <= alts().Count(); ++i)
            if ((alts().Item(i).*get)() < (alts().Item(best).*get)())
                best = i;
        return {label, caseTitle(best), dollars((alts().Item(best).*get)())};
    }
    static std::string orNA(double value, int decimals, double scale = 1) {
        return value == -1.0 ? "N/A" : fixed(value * scale, decimals);
    }
    // Table 1: the last comparison's winner, then the best case of each criterion.
    Rows choiceRows(const std::string& code, const std::string& choiceLabel) const {
        Rows rows;
        if (!choiceLabel.empty())
            rows.push_back({choiceLabel, caseTitle(comps().Item(comps().Count()).Winner()), "-"});
        if (code != "LS7")
            rows.push_back(criterion(res().gXstrLSLowestTPW, &Alt::TotalPresentWorth));
        rows.push_back(criterion(res().gXstrLSAnnOpCost, &Alt::AnnualOperatingCost));
        rows.push_back(criterion(res().gXstrLSFirstCost, &Alt::FirstCost));
        return rows;
    }
    std::string compared(int16_t caseNumber, int16_t winner) const {
        return shortTitle(caseNumber) + (caseNumber == winner ? " " + res().gXstrLSWinner : "");
    }
    // Table 3's row of comparison `i`: which rates it shows depends on the code.
    std::vector<std::string> comparisonRow(const std::string& code, int16_t i) const {
        const tavlo::IComparison& c = comps().Item(i);
        std::vector<std::string> row{compared(c.Challenger(), c.Winner()),
                                     compared(c.BaseCase(), c.Winner()),
                                     dollars(c.AdditionalFirstCost())};
        if (code != "LS7")
            row.push_back(dollars(c.NPWSavings()));
        if (code == "LS1" || code == "LS2")
            row.push_back(orNA(c.IRR(), 2, 100));
        if (code == "LS1")
            row.push_back(orNA(c.BeforeTaxIRR(), 2, 100));
        if (code == "LS5")
            row.push_back(orNA(c.SIR(25), 3));
        row.push_back(orNA(c.PaybackYears(), 1));
        return row;
    }
    std::string answer(const std::string& code) const {
        if (code == "LS7")
            return "The preferred design case by simple payback is " +
                   caseTitle(comps().Item(2).Winner()) + ".";
        if (code == "LS3" || code == "LS4" || code == "LS6")
            // Both new plants cost less over the study than the refurbishment.
            return "Design cases with a lower total present worth than the base case, Refurbish "
                   "the existing plant: High-efficiency chillers and condensing boilers, "
                   "Ground-source heat pump plant.";
        return preferredAnswer();
    }
    std::string preferredAnswer() const {
        const int16_t preferred = comps().Item(comps().Count()).Winner();
        const int16_t next = byRank()[byRank()[0] == preferred ? 1 : 0];
        const double tpw = alts().Item(preferred).TotalPresentWorth();
        const double saved =
            std::nearbyint(alts().Item(next).TotalPresentWorth()) - std::nearbyint(tpw);
        return "The preferred design case is " + caseTitle(preferred) +
               ", with a total present worth of " + dollars(tpw) +
               "; over the 25-year study period it saves " + dollars(saved) +
               " against the next best case, " + caseTitle(next) + ".";
    }
};

TEST_F(SummaryTest, HandWorkedCostsOfTheExample) {
    calculate(variantOf(0, 0, false));
    const RtfDocument d = summary("LS2");
    const Rows t2 = bodyRows(*d.tables().at(1));
    // First cost: the year-0 items (refurbish 185,000 + 42,000, ...). Annual cost:
    // year-1 items escalated once, half-to-even (refurbish 148,500 x 1.025 +
    // 41,200 x 1.03 + 26,800 x 1.025 + 6,400 x 1.02 = 228,646.5).
    const Rows expected{{"Refurbish the existing plant", "$228,646", "$227,000"},
                        {"High-efficiency chillers and condensing boilers", "$160,834", "$810,000"},
                        {"Ground-source heat pump plant", "$141,028", "$1,300,000"}};
    ASSERT_EQ(t2.size(), 3u);
    for (size_t r = 0; r < 3; ++r)
        EXPECT_EQ((std::vector<std::string>{t2[r][0], t2[r][3], t2[r][4]}), expected[r]);
    // High efficiency against the refurbishment: 810,000 - 227,000.
    EXPECT_EQ(d.tables().at(2)->rows.at(1).cells.at(2).text, "$583,000");
}

TEST_F(SummaryTest, EveryFigureOfTheThreeTablesForEverySubCode) {
    struct Case {
        const char* code;
        int16_t analysis, alternatives;
        bool taxes;
        std::string choiceLabel;  // the first row of table 1, empty when it has none
    };
    const ResourceTexts& r = res();
    for (const Case& c :
         {Case{"LS1", 0, 0, true, r.gXstrLSIncrementalNPW},
          Case{"LS2", 0, 0, false, r.gXstrLSIncrementalNPW},
          Case{"LS5", 1, 0, false, r.gXstrLSIncrementalSIR},
          Case{"LS7", 2, 0, false, r.gXstrLSPaybackAnalysis}, Case{"LS3", 0, 1, true, ""},
          Case{"LS4", 0, 1, false, ""}, Case{"LS6", 1, 1, false, ""}}) {
        SCOPED_TRACE(c.code);
        calculate(variantOf(c.analysis, c.alternatives, c.taxes));
        const std::string code = c.code;
        const bool independent = c.alternatives == 1;
        const RtfDocument d = summary(code);
        const auto tables = d.tables();
        ASSERT_EQ(tables.size(), independent ? 2u : 3u);
        for (const RtfTable* t : tables) {  // fits the page, names left and figures right
            expectFitsThePage(*t, d.sections.at(0));
            const auto& cells = t->rows.back().cells;
            EXPECT_EQ(std::string() + cells.front().align + cells.back().align, "lr");
        }
        EXPECT_EQ(bodyRows(*tables[0]), choiceRows(code, c.choiceLabel));
        EXPECT_EQ(bodyRows(*tables[1]), caseRows(independent, code == "LS1" || code == "LS3"));
        // Table 3 for mutually exclusive cases: a row per comparison, the winner marked.
        if (!independent) {
            Rows t3;
            for (int16_t i = 1; i <= comps().Count(); ++i)
                t3.push_back(comparisonRow(code, i));
            EXPECT_EQ(bodyRows(*tables[2]), t3);
        }
        // The answer under table 1, and three charts except for simple payback.
        EXPECT_TRUE(contains(d.bodyText(), answer(code))) << answer(code);
        EXPECT_EQ(d.pictures().size(), code == "LS7" ? 0u : 3u);
    }
}

TEST_F(SummaryTest, NotApplicableRatesCurrencyTiesAndOneCase) {
    // Cheaper electricity without investment: no ratio; a third, equal plant ties.
    std::vector<cDesignCase> cases{exampleCases()[0], exampleCases()[0], exampleCases()[0]};
    cases[1].setAnnOpCost(1, 140000);
    cases[2].CaseTitle = "Refurbish, second quote";
    ExampleVariant v = variantOf(1, 0, false);
    v.currency = "EUR";
    calculate(v, cases);
    ASSERT_EQ(comps().Item(1).SIR(25), -1.0);
    const RtfDocument d = summary("LS5");
    EXPECT_EQ(d.tables().at(2)->rows.at(1).cells.at(4).text, "N/A");
    // The amounts lose the "$"; ties name the earlier case.
    const Rows t2 = bodyRows(*d.tables().at(1));
    EXPECT_EQ(t2.at(0).at(0), "Refurbish the existing plant");
    EXPECT_EQ(t2.at(0).at(4), grouped(alts().Item(1).FirstCost()));
    for (const auto& row : bodyRows(*d.tables()[0]))
        EXPECT_NE(row[1], "Refurbish, second quote");
    calculate(variantOf(0, 0, false), {exampleCases()[2]});
    const RtfDocument one = summary("LS2");
    for (const auto& row : bodyRows(*one.tables().at(0)))
        EXPECT_EQ(row[1], "Ground-source heat pump plant");
    EXPECT_EQ(one.tables().at(2)->rows.size(), 1u);  // the header only
    EXPECT_TRUE(contains(one.bodyText(),
                         "The study has one design case, Ground-source heat pump plant, "
                         "with a total present worth of " +
                             dollars(alts().Item(1).TotalPresentWorth()) + "."));
}

TEST_F(SummaryTest, FailuresLeaveNotesAndTheRestOfTheDocument) {
    calculate();
    const ResourceTexts& r = res();
    threadState().colAlternatives.reset();
    const RtfDocument d = summary("LS1");
    // Notes for tables 1 and 2 and for the charts; table 3 needs only the comparisons.
    EXPECT_EQ(countParagraphs(
                  d, [&](const RtfParagraph& p) { return contains(p.text, r.gXstrCanNotGen); }),
              2u);
    EXPECT_TRUE(contains(d.bodyText(), r.gXstrGraphs));
    EXPECT_EQ(d.tables().size(), 1u);
}

TEST_F(SummaryTest, ProfilesAccumulateTheRoundedYearlyPresentWorthsInRankOrder) {
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

TEST_F(SummaryTest, ProfilesOfTwentyOneCasesGiveWayToANoteButTheTableStays) {
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
    const RtfDocument d = profiles("TPW2");
    EXPECT_TRUE(d.pictures().empty());
    EXPECT_TRUE(contains(d.bodyText(), "Procedure - setGraph")) << d.bodyText();
    // The table: by first cost for mutually exclusive cases.
    ASSERT_EQ(d.tables().size(), 1u);
    EXPECT_EQ(bodyRows(*d.tables()[0]), caseRows(false, false));
    expectFitsThePage(*d.tables()[0], d.sections.at(0));
}

}  // namespace
}  // namespace qvc::test
