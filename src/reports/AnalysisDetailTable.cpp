// The year-by-year detail table "nB" of the analysis details report.

#include <fmt/format.h>

#include <vector>

#include "qvc/document/Table.h"
#include "qvc/runtime/NumberFormat.h"
#include "qvc/runtime/Rounding.h"
#include "qvc/runtime/Value.h"
#include "reports/MoneyText.h"
#include "reports/ReportLines.h"
#include "reports/ResultCases.h"
#include "reports/ResultTable.h"
#include "reports/cRptAnalysisDetails.h"

namespace qvc {

namespace code = doc::code;

namespace {

// Ten columns on 7.5 inches: year, date, seven amounts, year-end SIR. The
// padding is smaller than in the other tables so that seven-digit amounts
// with their separators stay on one line.
constexpr float kYearWidth = 0.4f;
constexpr float kDateWidth = 0.5f;
constexpr float kAmountWidth = 0.85f;
constexpr float kSirWidth = 0.65f;
constexpr float kDetailPadding = 2.0f / 32.0f;
constexpr int kAmountColumns = 7;

doc::TableCell& addCell(doc::Table& table, float width, bool isText, bool isHeader, bool rowStart,
                        const std::string& text) {
    doc::TableCell& cell = table.AddCell();
    cell.SetRowStart(rowStart);
    reports::styleCell(cell, width, isText, isHeader, kDetailPadding);
    if (isHeader)
        cell.SetAlignment(code::kAlignCentre);
    cell.SetValue(text);
    return cell;
}

// One row of year, date, the seven amounts and the SIR.
void addRow(doc::Table& table, const std::vector<std::string>& cells, bool isHeader) {
    addCell(table, kYearWidth, false, isHeader, true, cells[0]);
    addCell(table, kDateWidth, false, isHeader, false, cells[1]);
    for (int c = 0; c < kAmountColumns; ++c)
        addCell(table, kAmountWidth, false, isHeader, false, cells[static_cast<size_t>(2 + c)]);
    addCell(table, kSirWidth, false, isHeader, false, cells[9]);
}

std::string whole(double value) {
    return rt::FormatNumber(value, 0, true);
}

// The two header rows: the column groups, then the ten column titles.
void addHeaderRows(const ReportInputs& in, doc::Table& table, int variant,
                   const std::string& baseShort, const std::string& challengerShort) {
    const ResourceTexts& res = in.texts;
    const std::string& symbol = in.study.currencySymbol;
    const std::string inPresentWorth = "\r\n(" + res.gXstrPresentWorth + " " + symbol + ")";
    const std::string& cashFlowKey =
        variant == 2 ? res.gXstrADMainColAfterTaxCashFlow : res.gXstrADMainColCashFlow;

    addCell(table, kYearWidth + kDateWidth, true, true, true, "");
    addCell(table, 3 * kAmountWidth, true, true, false, cashFlowKey + inPresentWorth);
    addCell(table, 4 * kAmountWidth + kSirWidth, true, true, false,
            res.gXstrADMainColSIRandPBCalc + inPresentWorth);

    auto caseColumn = [&](const std::string& shortTitle) {
        return "[" + shortTitle + "]\r\n" + res.gXstrADMainColCashFlow + "\r\n (" + symbol + ")";
    };
    auto amount = [&](const std::string& key) {
        return cRptAnalysisDetails::WrapWords(key + " (" + symbol + ")");
    };
    addRow(
        table,
        {res.gXstrADColYear, res.gXstrADColDate, caseColumn(baseShort), caseColumn(challengerShort),
         amount(res.gXstrADNetpresentworthsavings), amount(res.gXstrADColOpCostSavings),
         amount(res.gXstrADColCumOpCostSavings), amount(res.gXstrADColAddInvCost),
         amount(res.gXstrADColCumAddInvCost), res.gXstrADColYearEndSIR},
        true);
}

int variantOf(const std::string& subCode) {
    if (subCode == "AD1")
        return 1;
    if (subCode == "AD2")
        return 2;
    if (subCode == "AD3")
        return 3;
    if (subCode == "AD4")
        return 4;
    return 0;
}

// The sums of the two columns that show rounded yearly figures.
struct RoundedSums {
    double opSavings = 0;
    double addInvestment = 0;
};

// One row per year, 0 (the initial date) to the end of the life cycle.
RoundedSums addYearRows(doc::Table& table, const ReportInputs& in, const tavlo::IComparison& cmp,
                        const tavlo::IAlternative& base, const tavlo::IAlternative& challenger) {
    const double baseYear = in.study.baseYear;
    RoundedSums sums;
    for (int16_t y = 0; y <= in.study.lifeCycle; ++y) {
        const double opSavings = rt::RoundHalfEven(cmp.OpCostSavingsAt(y));
        const double addInvestment = rt::RoundHalfEven(cmp.AddInvCostAt(y));
        sums.opSavings += opSavings;
        sums.addInvestment += addInvestment;
        addRow(table,
               {y == 0 ? "" : fmt::format("{}", y),
                y == 0 ? in.texts.gXstrInitial : rt::CStr(baseYear - 1 + y),
                whole(base.PWCashFlowAt(y)), whole(challenger.PWCashFlowAt(y)),
                whole(cmp.NPWSavingsAt(y)), whole(opSavings), whole(cmp.CumOpCostSavingsAt(y)),
                whole(addInvestment), whole(cmp.CumAddInvCostAt(y)),
                reports::definedOrNA(in, cmp.SIR(y), 3)},
               false);
    }
    return sums;
}

// The bold totals row: the label over year and date, one total per amount
// column, an empty SIR cell.
void addTotalsRow(doc::Table& table, const std::string& label,
                  const std::vector<std::string>& totals) {
    addCell(table, kYearWidth + kDateWidth, true, false, true, label).SetBold(true);
    for (const std::string& total : totals)
        addCell(table, kAmountWidth, false, false, false, total).SetBold(true);
    addCell(table, kSirWidth, false, false, false, "");
}

}  // namespace

void cRptAnalysisDetails::GenerateDetailTable(doc::DocumentObject& docs, const std::string& subCode,
                                              int32_t& index) {
    const ResourceTexts& res = in_.texts;
    try {
        const tavlo::IComparison& cmp =
            reports::resultComparisons(in_).Item(rt::Value(static_cast<double>(index)).toInt16());
        const tavlo::IAlternatives& alternatives = reports::resultAlternatives(in_);
        const int16_t baseNumber = cmp.BaseCase() == 0 ? int16_t{1} : cmp.BaseCase();
        const int16_t challengerNumber = cmp.Challenger() == 0 ? int16_t{1} : cmp.Challenger();
        const tavlo::IAlternative& base = alternatives.Item(baseNumber);
        const tavlo::IAlternative& challenger = alternatives.Item(challengerNumber);

        doc::Table table;
        table.Attach(docs);
        docs.EndTableBlock();
        // The group row and the column titles both repeat on every page the
        // table runs onto; the totals stay with the last years.
        table.SetHeaderRow(true);
        if (const int variant = variantOf(subCode); variant != 0) {
            addHeaderRows(in_, table, variant, reports::caseShortTitle(in_, baseNumber),
                          reports::caseShortTitle(in_, challengerNumber));
            table.SetHeaderRows(2);
        }
        table.SetTotalsRow(true);

        const RoundedSums sums = addYearRows(table, in_, cmp, base, challenger);
        // Totals: the summary's whole numbers and the sums of the rounded rows.
        addTotalsRow(table, res.gXstrTotals,
                     {whole(baseTotal_), whole(challengerTotal_), whole(savingsTotal_),
                      whole(sums.opSavings), "", whole(sums.addInvestment), ""});

        reports::placeWithCaption(
            docs, table, fmt::format("{}{}. {}", index, res.gXstrB, res.gXstrADTableCompAD));
        // Two of the totals add the rounded yearly figures.
        reports::writeRoundingNote(docs, in_);
        docs.SetTextFlags(code::kFlagEndBlock, true);
        docs.NewLine(1);
        docs.WriteDocument(-1, 0);
    } catch (...) {
        reports::writeFailureNote(docs, in_.texts,
                                  fmt::format("{}{}. {} {}", index, res.gXstrB,
                                              res.gXstrADTableCompAD, res.gXstrCanNotGen),
                                  "GenerateDetailTable", kClassName);
    }
}

}  // namespace qvc
