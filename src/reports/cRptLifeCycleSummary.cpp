#include "reports/cRptLifeCycleSummary.h"

#include <array>
#include <vector>

#include "qvc/document/Table.h"
#include "qvc/runtime/BasicString.h"
#include "qvc/runtime/Value.h"
#include "reports/AnswerSentence.h"
#include "reports/CaseResultsTable.h"
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
std::string comparedCase(const ReportInputs& in, int32_t caseNumber, int32_t winner) {
    std::string text = reports::caseShortTitle(in, caseNumber);
    if (caseNumber == winner)
        text += " " + in.texts.gXstrLSWinner;
    return text;
}

constexpr float kNarrowPadding = 3.0f / 32.0f;

struct Minimum {
    double value = 0;
    int16_t position = 0;
};

using SummaryRow = std::array<std::string, 3>;

bool threeSummaryRows(const std::string& subCode) {
    return isOneOf(subCode, {"LS3", "LS4", "LS6", "LS7"});
}

// The lowest total present worth, annual cost and first cost; a tie keeps the
// earlier case.
std::array<Minimum, 3> lowestValues(const tavlo::IAlternatives& alternatives) {
    std::array<Minimum, 3> lowest{};
    for (int16_t i = 1; i <= alternatives.Count(); ++i) {
        const tavlo::IAlternative& a = alternatives.Item(i);
        const std::array<double, 3> values{a.TotalPresentWorth(), a.AnnualOperatingCost(),
                                           a.FirstCost()};
        for (size_t k = 0; k < 3; ++k)
            if (i == 1 || values[k] < lowest[k].value)
                lowest[k] = {values[k], i};
    }
    return lowest;
}

// The body rows of table 1: the overall choice (the winner of the last
// comparison) where the code has that row, then the best case of each criterion.
std::vector<SummaryRow> summaryRows(const ReportInputs& in, const std::string& subCode) {
    const ResourceTexts& res = in.texts;
    const tavlo::IAlternatives& alternatives = reports::resultAlternatives(in);
    const tavlo::IComparisons& comparisons = reports::resultComparisons(in);
    const int16_t lastComparison = comparisons.Count();
    const int32_t winner = lastComparison > 0 ? comparisons.Item(lastComparison).Winner() : 0;
    const std::string overallChoice = reports::caseTitle(in, winner);
    const std::array<Minimum, 3> lowest = lowestValues(alternatives);
    auto criterionRow = [&](const std::string& label, const Minimum& m) {
        return SummaryRow{label, reports::caseTitle(in, m.position),
                          reports::moneyText(in, m.value)};
    };

    std::vector<SummaryRow> body;
    if (subCode == "LS7")
        body.push_back({res.gXstrLSPaybackAnalysis, overallChoice, "-"});
    else if (!threeSummaryRows(subCode))
        body.push_back({subCode == "LS5" ? res.gXstrLSIncrementalSIR : res.gXstrLSIncrementalNPW,
                        overallChoice, "-"});
    if (subCode != "LS7")
        body.push_back(criterionRow(res.gXstrLSLowestTPW, lowest[0]));
    body.push_back(criterionRow(res.gXstrLSAnnOpCost, lowest[1]));
    body.push_back(criterionRow(res.gXstrLSFirstCost, lowest[2]));
    return body;
}

// Table 1 with its caption.
void writeSummaryTable(doc::DocumentObject& docs, const ReportInputs& in,
                       const std::string& subCode, const std::vector<SummaryRow>& body) {
    const ResourceTexts& res = in.texts;
    const int32_t rows = threeSummaryRows(subCode) ? 4 : 5;
    const std::vector<ResultColumn> columns{{2.5f, true}, {3.75f, true}, {1.25f, false}};
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
    reports::setRowTexts(table, 0,
                         {rt::Trim(res.gXstrLSColEconomicCriteria),
                          rt::Trim(res.gXstrLSColBestDesignCaseForEachCriteria),
                          reports::moneyHeader(in, res.gXstrLSColValue)});
    for (size_t r = 0; r < body.size(); ++r)
        reports::setRowTexts(table, static_cast<int32_t>(r) + 1, {body[r].begin(), body[r].end()});
    reports::placeWithCaption(docs, table, res.gXstrTable + " 1. " + res.gXstrLSTableExeSummary);
}

// The headers and columns of a results table.
using TableLayout = reports::CaseResultsLayout;

// Table 3: LS7 four columns, LS1 seven (two rates of return), the others six.
TableLayout comparisonTableLayout(const ReportInputs& in, const std::string& subCode) {
    const ResourceTexts& res = in.texts;
    TableLayout layout;
    layout.headers = {rt::Trim(res.gXstrColChallenger), rt::Trim(res.gXstrColBaseCase),
                      reports::moneyHeader(in, res.gXstrColAddFirstCost)};
    if (subCode == "LS7") {
        layout.columns = {{2.5f, true}, {2.5f, true}, {1.25f, false}, {1.25f, false}};
    } else if (subCode == "LS1") {
        layout.headers.push_back(reports::moneyHeader(in, res.gXstrADColNPWsavings));
        layout.headers.push_back(rt::Trim(res.gXstrLSColAfterTaxIRR));
        layout.headers.push_back(rt::Trim(res.gXstrLSColBeforetaxIRR));
        layout.columns = {{1.75f, true}, {1.75f, true}, {0.8f, false}, {0.8f, false},
                          {0.8f, false}, {0.8f, false}, {0.8f, false}};
    } else {
        layout.headers.push_back(reports::moneyHeader(in, res.gXstrADColNPWsavings));
        layout.headers.push_back(
            subCode == "LS2" ? rt::Trim(res.gXstrLSColIRR + " (" + res.gXstrPercentPerYear + ")")
                             : rt::Trim(res.gXstrLSColSIR));
        layout.columns = {{1.75f, true}, {1.75f, true}, {1.0f, false},
                          {1.0f, false}, {1.0f, false}, {1.0f, false}};
    }
    layout.headers.push_back(rt::Trim(res.gXstrColPayBackPeriod) + " (" + rt::Trim(res.gXstryears) +
                             ")");
    return layout;
}

std::vector<std::string> comparisonTableRow(const ReportInputs& in, const tavlo::IComparison& cmp,
                                            const std::string& subCode) {
    std::vector<std::string> cells{comparedCase(in, cmp.Challenger(), cmp.Winner()),
                                   comparedCase(in, cmp.BaseCase(), cmp.Winner()),
                                   reports::moneyText(in, cmp.AdditionalFirstCost())};
    if (subCode != "LS7")
        cells.push_back(reports::moneyText(in, cmp.NPWSavings()));
    if (subCode == "LS1" || subCode == "LS2")
        cells.push_back(reports::definedOrNA(in, cmp.IRR(), 2, 100.0));
    if (subCode == "LS1")
        cells.push_back(reports::definedOrNA(in, cmp.BeforeTaxIRR(), 2, 100.0));
    if (subCode == "LS5")
        cells.push_back(reports::definedOrNA(in, cmp.SIR(in.study.lifeCycle), 3));
    cells.push_back(reports::definedOrNA(in, cmp.PaybackYears(), 1));
    return cells;
}

}  // namespace

void cRptLifeCycleSummary::GenerateFirstTable(doc::DocumentObject& docs,
                                              const std::string& subCode) {
    const ResourceTexts& res = in_.texts;
    try {
        writeSummaryTable(docs, in_, subCode, summaryRows(in_, subCode));
        // The table's answer in words, right under it; the table stands
        // without it when it cannot be worked out.
        std::string answer;
        try {
            answer = reports::answerSentence(in_, subCode);
        } catch (...) {
        }
        if (!answer.empty())
            docs.AddText(answer, reports::kResultCellFontSize, std::nullopt, 0, std::nullopt,
                         code::kAlignLeft, code::kDefaultColour, true);
        endBlock(docs);
        docs.NewLine(1);
    } catch (...) {
        reports::writeFailureNote(
            docs, in_.texts,
            res.gXstrTable + " 1. " + res.gXstrLSTableExeSummary + " " + res.gXstrCanNotGen,
            "GenerateFirstTable", kClassName);
    }
}

void cRptLifeCycleSummary::GenerateSecondTable(doc::DocumentObject& docs,
                                               const std::string& subCode) {
    const ResourceTexts& res = in_.texts;
    try {
        docs.SetTextFlags(code::kFlagKeepTables, true);
        const bool sixColumns = isOneOf(subCode, {"LS1", "LS3"});
        if (!sixColumns && !isOneOf(subCode, {"LS2", "LS4", "LS5", "LS6", "LS7"}))
            return;
        const bool ranked = isOneOf(subCode, {"LS3", "LS4", "LS6"});
        const std::string& title =
            ranked ? res.gXstrLSTableDesignCaseRankedByTPW : res.gXstrLSTableFirstCostDesignCases;
        const TableLayout layout = reports::caseResultsLayout(in_, sixColumns);

        const tavlo::IAlternatives& alternatives = reports::resultAlternatives(in_);
        // The rows follow what the caption promises.
        const std::vector<int16_t> order =
            ranked ? reports::rankOrder(alternatives) : reports::firstCostOrder(alternatives);
        doc::Table table;
        table.Attach(docs);
        table.SetHeaderRow(true);
        reports::addStyledCells(table, static_cast<int32_t>(order.size()) + 1, layout.columns);
        reports::setRowTexts(table, 0, layout.headers);
        int32_t row = 0;
        for (const int16_t k : order)
            reports::setRowTexts(table, ++row, reports::caseResultsRow(in_, k, sixColumns));

        reports::placeWithCaption(docs, table, res.gXstrTable + " 2. " + title);
        endBlock(docs);
        docs.NewLine(1);
    } catch (...) {
        reports::writeFailureNote(docs, in_.texts,
                                  res.gXstrTable + " 2. " + " " + res.gXstrCanNotGen,
                                  "GenerateSecondTable", kClassName);
    }
}

void cRptLifeCycleSummary::Generate_ThirdTable(doc::DocumentObject& docs,
                                               const std::string& subCode) {
    const ResourceTexts& res = in_.texts;
    try {
        docs.SetTextFlags(code::kFlagKeepTables, true);
        if (!isOneOf(subCode, {"LS1", "LS2", "LS5", "LS7"}))
            return;
        const TableLayout layout = comparisonTableLayout(in_, subCode);
        const tavlo::IComparisons& comparisons = reports::resultComparisons(in_);
        doc::Table table;
        table.Attach(docs);
        table.SetHeaderRow(true);
        // The five 0.8-inch columns of the seven-column form keep a word such as
        // "Additional" whole in their bold headers only with a narrower padding.
        const float padding = subCode == "LS1" ? kNarrowPadding : reports::kResultCellPadding;
        reports::addStyledCells(table, comparisons.Count() + 1, layout.columns, padding);
        reports::setRowTexts(table, 0, layout.headers);
        for (int16_t i = 1; i <= comparisons.Count(); ++i)
            reports::setRowTexts(table, i, comparisonTableRow(in_, comparisons.Item(i), subCode));

        reports::placeWithCaption(docs, table,
                                  res.gXstrTable + " 3. " + res.gXstrLSTableIncAnalyData);
        endBlock(docs);
    } catch (...) {
        reports::writeFailureNote(
            docs, in_.texts,
            res.gXstrTable + " 3. " + res.gXstrLSTableIncAnalyData + " " + res.gXstrCanNotGen,
            "Generate_ThirdTable", kClassName);
    }
}

}  // namespace qvc
