#include "reports/cRptAnalysisDetails.h"

#include <fmt/format.h>

#include <optional>
#include <vector>

#include "qvc/document/Table.h"
#include "qvc/runtime/BasicString.h"
#include "qvc/runtime/NumberFormat.h"
#include "qvc/runtime/Value.h"
#include "reports/MoneyText.h"
#include "reports/ReportLines.h"
#include "reports/ResultCases.h"
#include "reports/ResultTable.h"

namespace qvc {

namespace code = doc::code;

namespace {

// Summary table: label | winner mark | case name in the two case rows,
// label | value in the others; the value column lines up with the names.
constexpr float kLabelWidth = 2.75f;
constexpr float kMarkWidth = 1.0f;
constexpr float kValueWidth = 3.75f;

struct SummaryRow {
    std::string label;
    std::optional<std::string> mark;  // set for the two case rows
    std::string value;
};

std::string rateText(const ReportInputs& in, double rate) {
    return reports::definedOrNA(in, rate, 1, 100.0) +
           (rate == -1.0 ? "" : " " + in.texts.gXstrPercentPerYear);
}

std::string paybackText(const ReportInputs& in, double years) {
    if (years == -1.0)
        return in.texts.gXstrNA;
    return rt::FormatNumber(years, 1, true) + "  " + in.texts.gXstryears;
}

// The rates of return or savings-to-investment ratio of the analysis, then
// the payback period.
void appendRateRows(const ReportInputs& in, const tavlo::IComparison& cmp,
                    const std::string& subCode, std::vector<SummaryRow>& rows) {
    const ResourceTexts& res = in.texts;
    if (subCode == "AD1") {
        rows.push_back({res.gXstrADColInternalRateReturn, std::nullopt, rateText(in, cmp.IRR())});
        rows.push_back({res.gXstrADColAdjustedRateReturn, std::nullopt, rateText(in, cmp.AIRR())});
    } else if (subCode == "AD2") {
        rows.push_back(
            {res.gXstrADColBeforeTaxIRR, std::nullopt, rateText(in, cmp.BeforeTaxIRR())});
        rows.push_back({res.gXstrADColAfterTaxIRR, std::nullopt, rateText(in, cmp.IRR())});
        rows.push_back({res.gXstrADColAdjustedRateReturn, std::nullopt, rateText(in, cmp.AIRR())});
    } else if (subCode == "AD3") {
        rows.push_back({res.gXstrADColSavingsToInv, std::nullopt,
                        reports::definedOrNA(in, cmp.SIR(in.study.lifeCycle), 3)});
    }
    rows.push_back({res.gXstrColPayBackPeriod, std::nullopt, paybackText(in, cmp.PaybackYears())});
}

// One table row per summary row: the shaded label, the winner mark where the
// row has one (the label is wider where it has none), the value.
void fillSummaryTable(doc::Table& table, const std::vector<SummaryRow>& rows) {
    std::vector<int32_t> starts;
    int32_t cellCount = 0;
    for (const SummaryRow& row : rows) {
        starts.push_back(cellCount + 1);
        cellCount += row.mark ? 3 : 2;
    }
    table.Define(cellCount, starts);
    int32_t n = 0;
    for (const SummaryRow& row : rows) {
        doc::TableCell& label = table.Cell(++n);
        reports::styleCell(label, row.mark ? kLabelWidth : kLabelWidth + kMarkWidth, true, false);
        label.SetBackColor(reports::kHeaderShade);
        label.SetValue(row.label);
        if (row.mark) {
            doc::TableCell& mark = table.Cell(++n);
            reports::styleCell(mark, kMarkWidth, true, false);
            mark.SetBold(true);
            mark.SetValue(*row.mark);
        }
        doc::TableCell& value = table.Cell(++n);
        reports::styleCell(value, kValueWidth, true, false);
        value.SetValue(row.value);
    }
}

}  // namespace

std::string cRptAnalysisDetails::WrapWords(const std::string& text) {
    std::string result;
    std::string previous;
    size_t start = 0;
    while (true) {
        const size_t blank = text.find(' ', start);
        const std::string word =
            text.substr(start, blank == std::string::npos ? std::string::npos : blank - start);
        if (rt::Len(word) + rt::Len(previous) < 11) {
            result += " " + word;
            previous = word;
        } else {
            result += "\r\n" + word;
        }
        if (blank == std::string::npos)
            break;
        start = blank + 1;
    }
    return result;
}

void cRptAnalysisDetails::GenerateSummary(doc::DocumentObject& docs, const std::string& subCode,
                                          int32_t& index) {
    const ResourceTexts& res = in_.texts;
    try {
        const tavlo::IComparison& cmp =
            reports::resultComparisons(in_).Item(rt::Value(static_cast<double>(index)).toInt16());
        const tavlo::IAlternatives& alternatives = reports::resultAlternatives(in_);
        const int16_t baseNumber = cmp.BaseCase() == 0 ? int16_t{1} : cmp.BaseCase();
        const int16_t challengerNumber = cmp.Challenger() == 0 ? int16_t{1} : cmp.Challenger();
        const std::string& symbol = in_.study.currencySymbol;
        const std::string baseShort = reports::caseShortTitle(in_, baseNumber);
        const std::string challengerShort = reports::caseShortTitle(in_, challengerNumber);
        const std::string& tpwKey =
            subCode == "AD2" ? res.gXstrLSColAfterTaxTPW : res.gXstrLSColTPW;

        const double baseTpw = alternatives.Item(baseNumber).TotalPresentWorth();
        const double challengerTpw = alternatives.Item(challengerNumber).TotalPresentWorth();
        const double savings = cmp.NPWSavings();
        baseTotal_ = reports::moneyWhole(baseTpw);
        challengerTotal_ = reports::moneyWhole(challengerTpw);
        savingsTotal_ = reports::moneyWhole(savings);

        std::vector<SummaryRow> rows{
            {res.gXstrColBaseCase, cmp.Winner() == cmp.BaseCase() ? res.gXstrLSWinner : "",
             reports::caseTitle(in_, baseNumber) + " [" + baseShort + "]"},
            {res.gXstrColChallenger, cmp.Winner() == cmp.Challenger() ? res.gXstrLSWinner : "",
             reports::caseTitle(in_, challengerNumber) + " [" + challengerShort + "]"},
            {"[" + baseShort + "] " + tpwKey + " (" + symbol + ")", std::nullopt,
             reports::moneyText(in_, baseTpw)},
            {"[" + challengerShort + "] " + tpwKey + " (" + symbol + ")", std::nullopt,
             reports::moneyText(in_, challengerTpw)},
            {res.gXstrADNetpresentworthsavings + " (" + symbol + ")", std::nullopt,
             reports::moneyText(in_, savings)}};
        appendRateRows(in_, cmp, subCode, rows);

        doc::Table table;
        table.Attach(docs);
        docs.EndTableBlock();
        fillSummaryTable(table, rows);

        reports::placeWithCaption(
            docs, table, fmt::format("{}{}. {}", index, res.gXstrA, res.gXstrADTableSumOfResults));
        docs.SetTextFlags(code::kFlagEndBlock, true);
        docs.NewLine(1);
    } catch (...) {
        reports::writeFailureNote(docs, in_.texts,
                                  fmt::format("{}{}. {} {}", index, res.gXstrA,
                                              res.gXstrADTableSumOfResults, res.gXstrCanNotGen),
                                  "GenerateSummary", kClassName);
    }
}

}  // namespace qvc
