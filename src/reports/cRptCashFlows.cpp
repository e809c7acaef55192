#include "reports/cRptCashFlows.h"

#include <fmt/format.h>

#include <algorithm>
#include <optional>

#include "qvc/graph/Chart.h"
#include "qvc/graph/ChartRenderer.h"
#include "qvc/runtime/BasicString.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"
#include "qvc/runtime/NumberFormat.h"
#include "qvc/runtime/Rounding.h"
#include "reports/MoneyText.h"
#include "reports/ReportLines.h"
#include "reports/ResultCases.h"
#include "reports/ResultTable.h"
#include "tavlo/IAlternatives.h"

namespace qvc {

namespace code = doc::code;

namespace {

constexpr const char* kClass = "cRptCashFlows";

// Tight rows, so that a table of a 25-year study with its three-line header
// fits one landscape page; longer studies get smaller type and tighter rows,
// so that a table of up to 40 years still does.
struct RowLook {
    float fontSize;  // points
    float padding;   // inches
};
constexpr RowLook kRowsUpTo25Years{10.0f, 3.0f / 32.0f};
constexpr RowLook kRowsUpTo32Years{9.0f, 2.0f / 32.0f};
constexpr RowLook kRowsUpTo40Years{8.0f, 0.5f / 32.0f};
// Up to this many years two tables share a page.
constexpr int16_t kYearsForTwoTablesPerPage = 10;

// Widths (inches) on the landscape page, whose text is 10 inches wide: year and
// date narrow, the money columns share the rest.
constexpr float kYearWidth = 0.7f;
constexpr float kDateWidth = 0.7f;
constexpr float kTextWidth = 10.0f;

// The chart picture, in points.
constexpr double kChartWidth = 440;
constexpr double kChartHeight = 300;
constexpr graph::Colour kInvestmentColour{130, 130, 255};
constexpr graph::Colour kOperatingColour{151, 6, 46};

using Getter = double (tavlo::IAlternative::*)(int16_t) const;

std::string wholeText(double whole) {
    return rt::FormatNumber(whole, 0, true);
}

const tavlo::IAlternative& alternativeAt(const ReportInputs& in, int32_t index) {
    return reports::resultAlternatives(in).Item(static_cast<int16_t>(index));
}

// The chart title and last column of table A: before-tax cash flow with
// income taxes, total cash flow without.
const std::string& cashFlowTitle(const ReportInputs& in, const std::string& subCode) {
    const ResourceTexts& res = in.texts;
    return subCode == "CF1" ? res.gXstrCFColBeforeTaxCF : res.gXstrCFColTotalCF;
}

RowLook rowLook(int16_t years) {
    if (years <= 25)
        return kRowsUpTo25Years;
    return years <= 32 ? kRowsUpTo32Years : kRowsUpTo40Years;
}

void styleCell(doc::TableCell& cell, float width, bool header, int16_t years) {
    const RowLook look = rowLook(years);
    cell.SetBackColor(header ? reports::kHeaderShade : reports::kBodyShade);
    cell.SetBold(header);
    cell.SetWidth(width);
    cell.SetAlignment(code::kAlignRight);
    cell.SetVerticalAlignment(header ? code::kVAlignBottom : code::kVAlignTop);
    cell.SetPadding(look.padding);
    cell.SetFontSize(look.fontSize);
}

std::vector<float> widthsFor(size_t columns) {
    const size_t money = columns - 2;
    const float each = (kTextWidth - kYearWidth - kDateWidth) / static_cast<float>(money);
    std::vector<float> widths{kYearWidth, kDateWidth};
    widths.insert(widths.end(), money, each);
    return widths;
}

void finishBlock(doc::DocumentObject& docs) {
    docs.SetTextFlags(code::kFlagEndBlock, true);
    docs.WriteDocument(-1, 0);
    docs.NewLine(1);
}

}  // namespace

graph::Chart cRptCashFlows::cashFlowChart(int32_t index, const std::string& subCode) const {
    const ResourceTexts& res = in_.texts;
    const std::string& symbol = in_.study.currencySymbol;
    const tavlo::IAlternative& alternative = alternativeAt(in_, index);
    const int16_t years = in_.study.lifeCycle;

    graph::Chart chart;
    chart.kind = graph::ChartKind::StackedBar;
    chart.title =
        rt::Trim(cashFlowTitle(in_, subCode)) + " [" + reports::caseTitle(in_, index) + "]";
    graph::Subset investment{
        rt::Trim(res.gXstrASCIIInvestment) + " " + rt::Trim(res.gXstrASCIICost),
        kInvestmentColour,
        {}};
    graph::Subset operating{
        rt::Trim(res.gXstrASCIICoOperating) + " " + rt::Trim(res.gXstrASCIICost),
        kOperatingColour,
        {}};
    // The scale runs to 1.2 times the largest single part of any year's bar
    // (the two parts are not added).
    double largest = 0;
    for (int16_t y = 0; y <= years; ++y) {
        const double inv = rt::RoundHalfEven(alternative.TotalInvestmentAt(y));
        const double op = rt::RoundHalfEven(alternative.TotalOpCostAt(y));
        chart.pointLabels.push_back(fmt::format("{}", y));
        investment.values.push_back(inv);
        operating.values.push_back(op);
        largest = std::max(largest, std::max(inv, op));
    }
    chart.subsets = {std::move(investment), std::move(operating)};
    chart.showLegend = true;
    chart.xAxisLabel = res.gXstrADColYear;
    chart.yAxisLabel = rt::Trim(res.gXstrADColCashFlow) + " (" + symbol + ")";
    chart.yMin = 0;
    chart.yMax = largest * 1.2;
    chart.fontFamily = "Arial";
    chart.barFill = 0.7;
    chart.widthPt = kChartWidth;
    chart.heightPt = kChartHeight;
    return chart;
}

void cRptCashFlows::setGraph(doc::DocumentObject& docs, int32_t& index,
                             const std::string& subCode) {
    try {
        const graph::Chart chart = cashFlowChart(index, subCode);
        const graph::ChartRenderer* renderer = in_.graph;
        if (!renderer)
            throw rt::Error(rt::err::kObjectNotSet,
                            "Object variable or With block variable not set");
        const graph::Image image = renderer->render(chart);
        docs.InsertPicture(image.png, image.widthPt, image.heightPt);
        finishBlock(docs);
    } catch (...) {
        const ResourceTexts& res = in_.texts;
        reports::writeFailureNote(
            docs, in_.texts, res.gXstrCFColBeforeTaxCF + " " + res.gXstrGraphs, "setGraph", kClass);
    }
}

void cRptCashFlows::setComponentCash(doc::DocumentObject& docs, int32_t& index,
                                     const std::string& subCode, int32_t& rankPosition) {
    std::string caption;
    try {
        const ResourceTexts& res = in_.texts;
        caption = fmt::format("{}{}. {} [{}], {}", rankPosition, res.gXstrA,
                              res.gXstrASCIITableCompCashFlow, reports::caseTitle(in_, index),
                              res.gXstrCFTableAddOnActualVal);
        const bool cf1 = subCode == "CF1";
        writeTable(docs, caption, cf1 ? HeaderLayout::ComponentCF1 : HeaderLayout::ComponentCF2,
                   RowLayout::Component, alternativeAt(in_, index), cf1);
    } catch (...) {
        reports::writeFailureNote(docs, in_.texts, caption + " " + in_.texts.gXstrCanNotGen,
                                  "setComponentCash", kClass);
    }
}

void cRptCashFlows::setAfterTaxCashFlows(doc::DocumentObject& docs, int32_t& index,
                                         int32_t& rankPosition) {
    std::string caption;
    try {
        const ResourceTexts& res = in_.texts;
        caption = fmt::format("{}{}. {} [{}], {}", rankPosition, res.gXstrB,
                              res.gXstrCFTableCalcAfterTaxCF, reports::caseTitle(in_, index),
                              res.gXstrCFTableAddOnActualVal);
        writeTable(docs, caption, HeaderLayout::AfterTax, RowLayout::AfterTax,
                   alternativeAt(in_, index), true);
    } catch (...) {
        reports::writeFailureNote(docs, in_.texts, caption + " " + in_.texts.gXstrCanNotGen,
                                  "setAfterTaxCashFlows", kClass);
    }
}

void cRptCashFlows::setPresentWorth(doc::DocumentObject& docs, int32_t& index,
                                    const std::string& subCode, int32_t& rankPosition) {
    std::string caption;
    try {
        const ResourceTexts& res = in_.texts;
        const bool cf1 = subCode == "CF1";
        caption = fmt::format("{}{}. {} [{}]", rankPosition, cf1 ? res.gXstrC : res.gXstrB,
                              res.gXstrCFTablePWCF, reports::caseTitle(in_, index));
        writeTable(docs, caption,
                   cf1 ? HeaderLayout::PresentWorthCF1 : HeaderLayout::PresentWorthCF2,
                   RowLayout::PresentWorth, alternativeAt(in_, index), cf1);
    } catch (...) {
        reports::writeFailureNote(docs, in_.texts, caption + " " + in_.texts.gXstrCanNotGen,
                                  "setPresentWorth", kClass);
    }
}

void cRptCashFlows::writeTable(doc::DocumentObject& docs, const std::string& caption,
                               HeaderLayout header, RowLayout rows,
                               const tavlo::IAlternative& alternative, bool cf1) {
    const int16_t years = in_.study.lifeCycle;
    // Each table starts a page of its own (the chart fills the top of the page
    // before table A), except that two short tables share one.
    const bool firstOfCase = rows == RowLayout::Component;
    if (firstOfCase || years > kYearsForTwoTablesPerPage || m_TablesOnPage >= 2) {
        docs.InsertBreak(code::kBreakPage);
        m_TablesOnPage = 0;
    }
    ++m_TablesOnPage;
    doc::Table table;
    table.Attach(docs);
    docs.EndTableBlock();
    table.SetHeaderRow(true);
    table.SetTotalsRow(true);
    writeHeader(table, header);
    for (int16_t y = 0; y <= years; ++y)
        writeRow(table, rows, alternative, y, cf1);
    writeTotals(table, rows);

    docs.AddText(caption, reports::kResultCellFontSize, std::nullopt, 0, std::nullopt,
                 code::kAlignLeft, code::kDefaultColour, false);
    table.InsertInto(docs);
    // The totals add the whole numbers shown.
    reports::writeRoundingNote(docs, in_);
    finishBlock(docs);
}

void cRptCashFlows::writeHeader(doc::Table& table, HeaderLayout layout) {
    const ResourceTexts& res = in_.texts;
    std::vector<std::string> headers{res.gXstrADColYear, res.gXstrADColDate};
    switch (layout) {
        case HeaderLayout::ComponentCF1:
        case HeaderLayout::ComponentCF2:
            headers.insert(
                headers.end(),
                {res.gXstrCFColCashInv, res.gXstrCFLoanPrincipal, res.gXstrCFColLoanInterest,
                 res.gXstrCFColTotalInvCost, res.gXstrCFColAnOpCost, res.gXstrCFColNonAnOpCost,
                 res.gXstrCFColTotalOpCost,
                 layout == HeaderLayout::ComponentCF1 ? res.gXstrCFColBeforeTaxCF
                                                      : res.gXstrCFColTotalCF});
            break;
        case HeaderLayout::AfterTax:
            headers.insert(headers.end(), {res.gXstrCFColBeforeTaxCF, res.gXstrCFColNetIncome,
                                           res.gXstrCFColDeprec, res.gXstrCFColInterest,
                                           res.gXstrCFColTaxableIncome, res.gXstrCFColTax,
                                           res.gXstrCFColAftertaxCF, res.gXstrCFColYearEndBV});
            break;
        case HeaderLayout::PresentWorthCF1:
            headers.insert(headers.end(),
                           {res.gXstrCFColBeforeTaxTotInvCost, res.gXstrCFColBeforeTaxTolOpCost,
                            res.gXstrCFColBeforetaxTPW, res.gXstrCFColAfterTaxTPW});
            break;
        case HeaderLayout::PresentWorthCF2:
            headers.insert(headers.end(), {res.gXstrCFColTotalInvCost, res.gXstrCFColTotalOpCost,
                                           res.gXstrLSColTPW});
            break;
    }
    m_Widths = widthsFor(headers.size());
    m_Totals.assign(headers.size() - 2, 0.0);
    for (size_t c = 0; c < headers.size(); ++c) {
        doc::TableCell& cell = table.AddCell();
        styleCell(cell, m_Widths[c], true, in_.study.lifeCycle);
        // The figures are bare numbers: the money headings name the currency.
        cell.SetValue(c < 2 ? rt::Trim(headers[c]) : reports::moneyHeader(in_, headers[c]));
    }
}

void cRptCashFlows::writeRow(doc::Table& table, RowLayout layout,
                             const tavlo::IAlternative& alternative, int16_t year, bool cf1) {
    std::vector<double> values;
    auto add = [&](Getter getter) {
        values.push_back(rt::RoundHalfEven((alternative.*getter)(year)));
    };
    using A = tavlo::IAlternative;
    switch (layout) {
        case RowLayout::Component:
            for (Getter g : {&A::CashInvestmentAt, &A::LoanPrincipalAt, &A::LoanInterestAt,
                             &A::TotalInvestmentAt, &A::AnnualOpCostAt, &A::NonAnnualOpCostAt,
                             &A::TotalOpCostAt, &A::BeforeTaxCashFlowAt})
                add(g);
            break;
        case RowLayout::AfterTax:
            for (Getter g :
                 {&A::BeforeTaxCashFlowAt, &A::NetIncomeAt, &A::DepreciationAt, &A::LoanInterestAt,
                  &A::TaxableIncomeAt, &A::TaxAt, &A::AfterTaxCashFlowAt, &A::BookValueAt})
                add(g);
            break;
        case RowLayout::PresentWorth:
            add(&A::PWInvestmentAt);
            add(&A::PWOpCostAt);
            // The total present worth of the year is the sum of the two whole
            // numbers just shown, so the row adds up as printed.
            values.push_back(values[0] + values[1]);
            if (cf1)
                add(&A::PWCashFlowAt);
            break;
    }
    if (values.size() != m_Totals.size())
        throw rt::Error(rt::err::kSubscriptOutOfRange, "Subscript out of range");

    const std::string date =
        year == 0 ? in_.texts.gXstrInitial : fmt::format("{}", in_.study.baseYear + year - 1);
    std::vector<std::string> cells{fmt::format("{}", year), date};
    for (size_t c = 0; c < values.size(); ++c) {
        m_Totals[c] += values[c];
        cells.push_back(wholeText(values[c]));
    }
    for (size_t c = 0; c < cells.size(); ++c) {
        doc::TableCell& cell = table.AddCell();
        if (c == 0)
            cell.SetRowStart(true);
        styleCell(cell, m_Widths[c], false, in_.study.lifeCycle);
        cell.SetValue(cells[c]);
    }
}

void cRptCashFlows::writeTotals(doc::Table& table, RowLayout layout) {
    std::vector<std::string> cells{in_.texts.gXstrTotals, ""};
    for (size_t c = 0; c < m_Totals.size(); ++c) {
        // The book value is a balance at each year end; adding it up means nothing.
        const bool bookValue = layout == RowLayout::AfterTax && c + 1 == m_Totals.size();
        cells.push_back(bookValue ? "-" : wholeText(m_Totals[c]));
    }
    for (size_t c = 0; c < cells.size(); ++c) {
        doc::TableCell& cell = table.AddCell();
        if (c == 0)
            cell.SetRowStart(true);
        styleCell(cell, m_Widths[c], false, in_.study.lifeCycle);
        cell.SetValue(cells[c]);
    }
}

}  // namespace qvc
