#pragma once
// The layouts of the design case input tables and the text of their cells
// (used by cRptDesignCaseInputs).

#include <string>
#include <vector>

#include "qvc/document/DocumentObject.h"
#include "qvc/document/Table.h"
#include "qvc/runtime/DynArray.h"
#include "qvc/runtime/Value.h"
#include "reports/ReportInputs.h"

namespace qvc::reports {

// How an item field is shown.
enum class CellKind {
    Plain,      // as stored, converted to text without formatting
    Money,      // grouped whole number, "$ " in front when the currency is "$"
    TaxExempt,  // cbotaxexempt0 (True) / cbotaxexempt1 (False)
    DepMethod,  // cbodepmethod0 .. 5, empty outside that range
    PayPlan,    // cbopayplan0 .. 2, empty outside that range
};

struct ColumnSpec {
    std::string header;  // final header text (currency already appended)
    float width;         // inches
    int field;           // field of the case array (first index)
    CellKind kind;
    bool textColumn;  // left-aligned; the others are right-aligned
};

// The columns of list "Inv", "Loan", "Ann" or "Other" for the detailed tables;
// "Inv" has 9 columns when the study considers income taxes, 6 otherwise.
std::vector<ColumnSpec> detailedColumns(const ReportInputs& in, const std::string& list);

// Cell text of one item field.
std::string cellText(const ReportInputs& in, const rt::Value& value, CellKind kind);
// A money amount as shown in the tables ("$12,345" or "12,345"); Null gives "".
std::string moneyText(const ReportInputs& in, const rt::Value& value);
// `key text` & " (" & currency symbol & ")".
std::string withCurrency(const ReportInputs& in, const std::string& header);

// Header row and data rows of a detailed table (cells already defined).
void fillHeaderRow(doc::Table& table, const std::vector<ColumnSpec>& columns);
void fillDataRow(const ReportInputs& in, doc::Table& table, int row,
                 const std::vector<ColumnSpec>& columns, const rt::DynArray2<rt::Value>& items,
                 long item);

// Writes a detailed table for `items` (items 1 .. upper bound) with its caption;
// where it continues on a further page the caption names the case (slot 1 of
// `caseGen`).
void writeDetailedTable(doc::DocumentObject& docs, const ReportInputs& in,
                        const std::string& caption, const std::vector<ColumnSpec>& columns,
                        const rt::DynArray2<rt::Value>& items,
                        const rt::DynArray<std::string>& caseGen);

// Writes a two-column label/value table with its caption.
void writeShortTable(doc::DocumentObject& docs, const std::string& caption,
                     const std::vector<std::pair<std::string, std::string>>& rows);

}  // namespace qvc::reports
