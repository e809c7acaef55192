#include "reports/DesignCaseTables.h"

#include <optional>

#include "reports/MoneyText.h"
#include "reports/ReportLines.h"
#include "reports/ResultTable.h"

namespace qvc::reports {

namespace code = doc::code;

namespace {

// Narrow enough that nine columns leave their item names room for whole words.
constexpr float kCellPadding = 3.0f / 32.0f;

std::string codedText(const rt::Value& value, const std::vector<const std::string*>& choices) {
    const double number = value.toDouble();
    for (size_t i = 0; i < choices.size(); ++i)
        if (number == static_cast<double>(i))
            return *choices[i];
    return "";
}

std::vector<int32_t> rowStarts(int rows, int columns) {
    std::vector<int32_t> starts;
    for (int r = 0; r < rows; ++r)
        starts.push_back(r * columns + 1);
    return starts;
}

}  // namespace

std::string withCurrency(const ReportInputs& in, const std::string& header) {
    return header + " (" + in.study.currencySymbol + ")";
}

std::string moneyText(const ReportInputs& in, const rt::Value& value) {
    if (value.isNull())
        return "";
    // Written like every other money figure: "$185,000", "-$60,000".
    return reports::moneyText(in, value.toDouble());
}

std::string cellText(const ReportInputs& in, const rt::Value& value, CellKind kind) {
    if (value.isNull())
        return "";
    const ResourceTexts& res = in.texts;
    switch (kind) {
        case CellKind::Plain:
            return value.toText();
        case CellKind::Money:
            return moneyText(in, value);
        case CellKind::TaxExempt:
            return value.toBool() ? res.cbotaxexempt0 : res.cbotaxexempt1;
        case CellKind::DepMethod:
            return codedText(value, {&res.cbodepmethod0, &res.cbodepmethod1, &res.cbodepmethod2,
                                     &res.cbodepmethod3, &res.cbodepmethod4, &res.cbodepmethod5});
        case CellKind::PayPlan:
            return codedText(value, {&res.cbopayplan0, &res.cbopayplan1, &res.cbopayplan2});
    }
    return "";
}

std::vector<ColumnSpec> detailedColumns(const ReportInputs& in, const std::string& list) {
    const ResourceTexts& res = in.texts;
    const auto withCurrency = [&in](const std::string& header) {
        return reports::withCurrency(in, header);
    };
    using K = CellKind;
    if (list == "Inv" && in.study.calculateIncomeTaxes)
        return {{res.gXstrDCColCostItem, 1.75f, 1, K::Plain, true},
                {withCurrency(res.gXstrDCColCost), 0.9f, 2, K::Money, false},
                {res.gXstrDCColYear, 0.65f, 3, K::Plain, false},
                {res.gXstrDCColEscRate, 0.65f, 4, K::Plain, false},
                {withCurrency(res.gXstrDCColSalvageValue), 0.65f, 9, K::Money, false},
                {res.gXstrDCColUseLife, 0.65f, 8, K::Plain, false},
                {res.gXstrDCColTaxExempt, 0.65f, 5, K::TaxExempt, false},
                {res.gXstrDCColDepMethod, 0.9f, 6, K::DepMethod, true},
                {res.gXstrDCColDepLife, 0.65f, 7, K::Plain, false}};
    if (list == "Inv")
        return {{res.gXstrDCColCostItem, 2.5f, 1, K::Plain, true},
                {withCurrency(res.gXstrDCColCost), 1.0f, 2, K::Money, false},
                {res.gXstrDCColYear, 1.0f, 3, K::Plain, false},
                {res.gXstrDCColEscRate, 1.0f, 4, K::Plain, false},
                {withCurrency(res.gXstrDCColSalvageValue), 1.0f, 9, K::Money, false},
                {res.gXstrDCColUseLife, 1.0f, 8, K::Plain, false}};
    if (list == "Loan")
        return {{res.gXstrDCColLoanItem, 1.7f, 1, K::Plain, true},
                {res.gXstrDCColStartYear, 0.9f, 3, K::Plain, false},
                {withCurrency(res.gXstrDCColInvInStartYear), 0.9f, 2, K::Money, false},
                {res.gXstrDCColPercentFinanced, 0.9f, 4, K::Plain, false},
                {res.gXstrDCColTermOfLoan, 0.9f, 5, K::Plain, false},
                {res.gXstrDCColInterestRate, 0.9f, 6, K::Plain, false},
                {res.gXstrDCColPaymentMethod, 1.3f, 7, K::PayPlan, true}};
    if (list == "Ann")
        return {{res.gXstrDCColCostItem, 2.5f, 1, K::Plain, true},
                {withCurrency(res.gXstrDCColCost), 1.25f, 2, K::Money, false},
                {res.gXstrDCColStartYear, 1.25f, 3, K::Plain, false},
                {res.gXstrDCColNoOfYears, 1.25f, 4, K::Plain, false},
                {res.gXstrDCColEscRate, 1.25f, 5, K::Plain, false}};
    // "Other"
    return {{res.gXstrDCColCostItem, 2.5f, 1, K::Plain, true},
            {withCurrency(res.gXstrDCColCost), 1.0f, 2, K::Money, false},
            {res.gXstrDCColYearFirstIncurred, 1.0f, 3, K::Plain, false},
            {res.gXstrDCColTimesOccur, 1.0f, 4, K::Plain, false},
            {res.gXstrDCColYearsBetCost, 1.0f, 5, K::Plain, false},
            {res.gXstrDCColEscRate, 1.0f, 6, K::Plain, false}};
}

void fillHeaderRow(doc::Table& table, const std::vector<ColumnSpec>& columns) {
    int32_t n = 1;
    for (const ColumnSpec& column : columns) {
        doc::TableCell& cell = table.Cell(n++);
        cell.SetWidth(column.width);
        cell.SetCellMeasure(0);
        cell.SetAlignment(column.textColumn ? code::kAlignLeft : code::kAlignRight);
        cell.SetVerticalAlignment(code::kVAlignCentre);
        cell.SetPadding(kCellPadding);
        cell.SetBackColor(reports::kHeaderShade);
        cell.SetFontSize(reports::kResultCellFontSize);
        cell.SetBold(true);
        cell.SetValue(column.header);
    }
}

void fillDataRow(const ReportInputs& in, doc::Table& table, int row,
                 const std::vector<ColumnSpec>& columns, const rt::DynArray2<rt::Value>& items,
                 long item) {
    int32_t n = (row - 1) * static_cast<int32_t>(columns.size()) + 1;
    for (const ColumnSpec& column : columns) {
        doc::TableCell& cell = table.Cell(n++);
        cell.SetWidth(column.width);
        cell.SetCellMeasure(0);
        cell.SetAlignment(column.textColumn ? code::kAlignLeft : code::kAlignRight);
        cell.SetVerticalAlignment(code::kVAlignTop);
        cell.SetPadding(kCellPadding);
        cell.SetFontSize(reports::kResultCellFontSize);
        cell.SetValue(cellText(in, items(column.field, item), column.kind));
    }
}

void writeDetailedTable(doc::DocumentObject& docs, const ReportInputs& in,
                        const std::string& caption, const std::vector<ColumnSpec>& columns,
                        const rt::DynArray2<rt::Value>& items,
                        const rt::DynArray<std::string>& caseGen) {
    const long count = items.ubound(2);
    const int columnCount = static_cast<int>(columns.size());
    const int rows = static_cast<int>(count) + 1;

    doc::Table table;
    table.Attach(docs);
    docs.EndTableBlock();
    table.SetHeaderRow(true);
    // An item list (at most 20 rows) stays on one page with its caption.
    table.SetKeepTogether(true);
    docs.SetTextFlags(code::kFlagKeepTables, true);
    const std::vector<int32_t> starts = rowStarts(rows, columnCount);
    table.Define(rows * columnCount, starts);
    fillHeaderRow(table, columns);
    for (long item = 1; item <= count; ++item)
        fillDataRow(in, table, static_cast<int>(item) + 1, columns, items, item);

    // A list longer than a page names its case again where it continues.
    if (caseGen.isDimensioned() && caseGen.ubound() >= 1)
        table.SetContinuedCaption(caption + " [" + caseGen(1) + "] :");

    docs.AddText(caption + " :", kLineTextSize, std::nullopt, code::kTextBold, std::nullopt,
                 code::kAlignLeft, code::kDefaultColour, false);
    table.InsertInto(docs);
    docs.SetTextFlags(code::kFlagEndBlock, true);
    docs.WriteDocument(-1, 0);
    docs.NewLine(1);
}

void writeShortTable(doc::DocumentObject& docs, const std::string& caption,
                     const std::vector<std::pair<std::string, std::string>>& rows) {
    const int rowCount = static_cast<int>(rows.size());
    doc::Table table;
    table.Attach(docs);
    docs.EndTableBlock();
    table.SetKeepTogether(true);
    docs.SetTextFlags(code::kFlagKeepTables, true);
    const std::vector<int32_t> starts = rowStarts(rowCount, 2);
    table.Define(rowCount * 2, starts);
    int32_t n = 1;
    for (const auto& [label, value] : rows) {
        for (int column = 0; column < 2; ++column) {
            doc::TableCell& cell = table.Cell(n++);
            cell.SetWidth(2.75f);
            cell.SetBackColor(column == 0 ? reports::kHeaderShade : reports::kBodyShade);
            cell.SetAlignment(code::kAlignLeft);
            cell.SetVerticalAlignment(code::kVAlignTop);
            cell.SetPadding(kCellPadding);
            cell.SetFontSize(reports::kResultCellFontSize);
            cell.SetBold(false);
            cell.SetValue(column == 0 ? label : value);
        }
    }
    docs.AddText(caption + " :", kLineTextSize, std::nullopt, code::kTextBold, std::nullopt,
                 code::kAlignLeft, code::kDefaultColour, false);
    table.InsertInto(docs);
    docs.SetTextFlags(code::kFlagEndBlock, true);
    docs.WriteDocument(-1, 0);
    docs.NewLine(1);
}

}  // namespace qvc::reports
