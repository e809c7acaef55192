#include "reports/cRptLifeCycleSummary.h"

#include <array>
#include <vector>

#include "common/ResourceStrings.h"
#include "common/ThreadState.h"
#include "qvc/document/Table.h"
#include "qvc/runtime/BasicString.h"
#include "qvc/runtime/Value.h"
#include "reports/AnswerSentence.h"
#include "reports/MoneyText.h"
#include "reports/ReportLines.h"
#include "reports/ResultCases.h"
#include "reports/ResultTable.h"

namespace qvc {

namespace code = doc::code;
using reports::ResultColumn;

namespace {

bool isOneOf(const std::string& subCode, std::initializer_list<const char*> codes) {
    for (const char* c : codes)
        if (subCode == c)
            return true;
    return false;
}

void endBlock(doc::DocumentObject& docs) {
    docs.SetTextFlags(code::kFlagEndBlock, true);
    docs.WriteDocument(-1, 0);
}

// The case named by a comparison, with the winner mark when it won.
std::string comparedCase(int32_t caseNumber, int32_t winner) {
    std::string text = reports::caseShortTitle(caseNumber);
    if (caseNumber == winner)
        text += " " + texts().gXstrLSWinner;
    return text;
}

constexpr float kNarrowPadding = 3.0f / 32.0f;

struct Minimum {
    double value = 0;
    int16_t position = 0;
};

}  // namespace

void cRptLifeCycleSummary::GenerateFirstTable(doc::DocumentObject& docs,
                                              const std::string& subCode) {
    const ResourceTexts& res = texts();
    try {
        const tavlo::IAlternatives& alternatives = reports::resultAlternatives();
        const tavlo::IComparisons& comparisons = reports::resultComparisons();
        const bool threeRows = isOneOf(subCode, {"LS3", "LS4", "LS6", "LS7"});
        const int32_t rows = threeRows ? 4 : 5;
        const std::vector<ResultColumn> columns{{2.5f, true}, {3.75f, true}, {1.25f, false}};

        // The overall choice is the winner of the last comparison.
        const int16_t lastComparison = comparisons.Count();
        const int32_t winner = lastComparison > 0 ? comparisons.Item(lastComparison).Winner() : 0;
        const std::string overallChoice = reports::caseTitle(winner);

        // The lowest value of each criterion; a tie keeps the earlier case.
        std::array<Minimum, 3> lowest{};  // total present worth, annual cost, first cost
        for (int16_t i = 1; i <= alternatives.Count(); ++i) {
            const tavlo::IAlternative& a = alternatives.Item(i);
            const std::array<double, 3> values{a.TotalPresentWorth(), a.AnnualOperatingCost(),
                                               a.FirstCost()};
            for (size_t k = 0; k < 3; ++k)
                if (i == 1 || values[k] < lowest[k].value)
                    lowest[k] = {values[k], i};
        }
        auto criterionRow = [&](const std::string& label, const Minimum& m) {
            return std::array<std::string, 3>{label, reports::caseTitle(m.position),
                                              reports::moneyText(m.value)};
        };

        std::vector<std::array<std::string, 3>> body;
        if (subCode == "LS7")
            body.push_back({res.gXstrLSPaybackAnalysis, overallChoice, "-"});
        else if (!threeRows)
            body.push_back(
                {subCode == "LS5" ? res.gXstrLSIncrementalSIR : res.gXstrLSIncrementalNPW,
                 overallChoice, "-"});
        if (subCode != "LS7")
            body.push_back(criterionRow(res.gXstrLSLowestTPW, lowest[0]));
        body.push_back(criterionRow(res.gXstrLSAnnOpCost, lowest[1]));
        body.push_back(criterionRow(res.gXstrLSFirstCost, lowest[2]));

        doc::Table table;
        table.Attach(docs);
        std::vector<int32_t> starts;
        for (int32_t r = 0; r < rows; ++r)
            starts.push_back(r * 3 + 1);
        table.Define(rows * 3, starts);
        for (int32_t r = 0; r < rows; ++r)
            for (int32_t c = 1; c <= 3; ++c)
                reports::styleCell(table.Cell(reports::cellNumber(r, c, 3)),
                                   columns[static_cast<size_t>(c - 1)].width,
                                   columns[static_cast<size_t>(c - 1)].isText, r == 0);

        if (subCode == "LS7") {
            endBlock(docs);
            docs.NewLine(1);
        }
        table.Cell(1).SetValue(rt::Trim(res.gXstrLSColEconomicCriteria));
        table.Cell(2).SetValue(rt::Trim(res.gXstrLSColBestDesignCaseForEachCriteria));
        table.Cell(3).SetValue(reports::moneyHeader(res.gXstrLSColValue));
        for (size_t r = 0; r < body.size(); ++r)
            for (int32_t c = 1; c <= 3; ++c)
                table.Cell(reports::cellNumber(static_cast<int32_t>(r) + 1, c, 3))
                    .SetValue(body[r][static_cast<size_t>(c - 1)]);

        reports::placeWithCaption(docs, table,
                                  res.gXstrTable + " 1. " + res.gXstrLSTableExeSummary);
        // The table's answer in words, right under it; the table stands
        // without it when it cannot be worked out.
        std::string answer;
        try {
            answer = reports::answerSentence(subCode);
        } catch (...) {
        }
        if (!answer.empty())
            docs.AddText(answer, reports::kResultCellFontSize, std::nullopt, 0, std::nullopt,
                         code::kAlignLeft, code::kDefaultColour, true);
        endBlock(docs);
        docs.NewLine(1);
    } catch (...) {
        reports::writeFailureNote(
            docs, res.gXstrTable + " 1. " + res.gXstrLSTableExeSummary + " " + res.gXstrCanNotGen,
            "GenerateFirstTable", kClassName);
    }
}

void cRptLifeCycleSummary::GenerateSecondTable(doc::DocumentObject& docs,
                                               const std::string& subCode) {
    const ResourceTexts& res = texts();
    try {
        docs.SetTextFlags(code::kFlagKeepTables, true);
        bool sixColumns = false;
        const std::string* title = nullptr;
        if (isOneOf(subCode, {"LS1", "LS3"}))
            sixColumns = true;
        else if (!isOneOf(subCode, {"LS2", "LS4", "LS5", "LS6", "LS7"}))
            return;
        const bool ranked = isOneOf(subCode, {"LS3", "LS4", "LS6"});
        title =
            ranked ? &res.gXstrLSTableDesignCaseRankedByTPW : &res.gXstrLSTableFirstCostDesignCases;

        std::vector<std::string> headers{rt::Trim(res.gXstrColDesignCaseName),
                                         rt::Trim(res.gXstrColDesignCaseShortName)};
        std::vector<ResultColumn> columns;
        if (sixColumns) {
            headers.push_back(reports::moneyHeader(res.gXstrLSColAfterTaxTPW));
            headers.push_back(reports::moneyHeader(res.gXstrLSColBeforeTaxTPW));
            columns = {{2.0f, true},  {1.1f, true},  {1.1f, false},
                       {1.1f, false}, {1.1f, false}, {1.1f, false}};
        } else {
            headers.push_back(reports::moneyHeader(res.gXstrLSColTPW));
            columns = {{2.6f, true}, {1.2f, true}, {1.25f, false}, {1.25f, false}, {1.2f, false}};
        }
        headers.push_back(reports::annualMoneyHeader(res.gXstrLSColAnOpCost));
        headers.push_back(reports::moneyHeader(res.gXstrLSColFirstCost));

        const tavlo::IAlternatives& alternatives = reports::resultAlternatives();
        // The rows follow what the caption promises.
        const std::vector<int16_t> order =
            ranked ? reports::rankOrder(alternatives) : reports::firstCostOrder(alternatives);
        const auto columnCount = static_cast<int32_t>(columns.size());

        doc::Table table;
        table.Attach(docs);
        table.SetHeaderRow(true);
        reports::addStyledCells(table, static_cast<int32_t>(order.size()) + 1, columns);
        for (int32_t c = 1; c <= columnCount; ++c)
            table.Cell(c).SetValue(headers[static_cast<size_t>(c - 1)]);
        int32_t row = 0;
        for (const int16_t k : order) {
            const tavlo::IAlternative& a = alternatives.Item(k);
            std::vector<std::string> cells{reports::caseTitle(k), reports::caseShortTitle(k),
                                           reports::moneyText(a.TotalPresentWorth())};
            if (sixColumns)
                cells.push_back(reports::moneyText(a.BeforeTaxTPW()));
            cells.push_back(reports::moneyText(a.AnnualOperatingCost()));
            cells.push_back(reports::moneyText(a.FirstCost()));
            ++row;
            for (int32_t c = 1; c <= columnCount; ++c)
                table.Cell(reports::cellNumber(row, c, columnCount))
                    .SetValue(cells[static_cast<size_t>(c - 1)]);
        }

        reports::placeWithCaption(docs, table, res.gXstrTable + " 2. " + *title);
        endBlock(docs);
        docs.NewLine(1);
    } catch (...) {
        reports::writeFailureNote(docs, res.gXstrTable + " 2. " + " " + res.gXstrCanNotGen,
                                  "GenerateSecondTable", kClassName);
    }
}

void cRptLifeCycleSummary::Generate_ThirdTable(doc::DocumentObject& docs,
                                               const std::string& subCode) {
    const ResourceTexts& res = texts();
    try {
        docs.SetTextFlags(code::kFlagKeepTables, true);
        if (!isOneOf(subCode, {"LS1", "LS2", "LS5", "LS7"}))
            return;

        std::vector<std::string> headers{rt::Trim(res.gXstrColChallenger),
                                         rt::Trim(res.gXstrColBaseCase),
                                         reports::moneyHeader(res.gXstrColAddFirstCost)};
        std::vector<ResultColumn> columns;
        if (subCode == "LS7") {
            columns = {{2.5f, true}, {2.5f, true}, {1.25f, false}, {1.25f, false}};
        } else {
            headers.push_back(reports::moneyHeader(res.gXstrADColNPWsavings));
            if (subCode == "LS1") {
                headers.push_back(rt::Trim(res.gXstrLSColAfterTaxIRR));
                headers.push_back(rt::Trim(res.gXstrLSColBeforetaxIRR));
                columns = {{1.75f, true}, {1.75f, true}, {0.8f, false}, {0.8f, false},
                           {0.8f, false}, {0.8f, false}, {0.8f, false}};
            } else {
                headers.push_back(subCode == "LS2" ? rt::Trim(res.gXstrLSColIRR + " (" +
                                                              res.gXstrPercentPerYear + ")")
                                                   : rt::Trim(res.gXstrLSColSIR));
                columns = {{1.75f, true}, {1.75f, true}, {1.0f, false},
                           {1.0f, false}, {1.0f, false}, {1.0f, false}};
            }
        }
        headers.push_back(rt::Trim(res.gXstrColPayBackPeriod) + " (" + rt::Trim(res.gXstryears) +
                          ")");

        const tavlo::IComparisons& comparisons = reports::resultComparisons();
        const int16_t lifecycle = rt::Value(threadState().arrStudy[5]).toInt16();
        const auto columnCount = static_cast<int32_t>(columns.size());
        doc::Table table;
        table.Attach(docs);
        table.SetHeaderRow(true);
        // The five 0.8-inch columns of the seven-column form keep a word such as
        // "Additional" whole in their bold headers only with a narrower padding.
        const float padding = subCode == "LS1" ? kNarrowPadding : reports::kResultCellPadding;
        reports::addStyledCells(table, comparisons.Count() + 1, columns, padding);
        for (int32_t c = 1; c <= columnCount; ++c)
            table.Cell(c).SetValue(headers[static_cast<size_t>(c - 1)]);

        for (int16_t i = 1; i <= comparisons.Count(); ++i) {
            const tavlo::IComparison& cmp = comparisons.Item(i);
            std::vector<std::string> cells{comparedCase(cmp.Challenger(), cmp.Winner()),
                                           comparedCase(cmp.BaseCase(), cmp.Winner()),
                                           reports::moneyText(cmp.AdditionalFirstCost())};
            if (subCode != "LS7")
                cells.push_back(reports::moneyText(cmp.NPWSavings()));
            if (subCode == "LS1" || subCode == "LS2")
                cells.push_back(reports::definedOrNA(cmp.IRR(), 2, 100.0));
            if (subCode == "LS1")
                cells.push_back(reports::definedOrNA(cmp.BeforeTaxIRR(), 2, 100.0));
            if (subCode == "LS5")
                cells.push_back(reports::definedOrNA(cmp.SIR(lifecycle), 3));
            cells.push_back(reports::definedOrNA(cmp.PaybackYears(), 1));
            for (int32_t c = 1; c <= columnCount; ++c)
                table.Cell(reports::cellNumber(i, c, columnCount))
                    .SetValue(cells[static_cast<size_t>(c - 1)]);
        }

        reports::placeWithCaption(docs, table,
                                  res.gXstrTable + " 3. " + res.gXstrLSTableIncAnalyData);
        endBlock(docs);
    } catch (...) {
        reports::writeFailureNote(
            docs, res.gXstrTable + " 3. " + res.gXstrLSTableIncAnalyData + " " + res.gXstrCanNotGen,
            "Generate_ThirdTable", kClassName);
    }
}

}  // namespace qvc
