#pragma once
// The cash flow report ("CF1" with income taxes, "CF2" without): for one design
// case at a time, a stacked bar chart of its investment and operating cost per
// year, then its tables, each with a row for the initial date, one per year of
// the study and a totals row:
//   A  component cash flows (actual money);
//   B  after-tax cash flow calculation ("CF1" only);
//   C  present worth of the cash flows (B for "CF2").
// Tables are captioned with the case's rank position and letter ("2A.", "2B."),
// laid out for the landscape pages the builder opens for this report.
//
// Money cells show the engine's values rounded half-to-even to whole numbers
// with digit grouping and no currency sign; every total is the sum of the whole
// numbers shown above it, so the columns add up on paper.
//
// Nothing escapes: a chart or table that fails is replaced by the in-report
// failure note and the report goes on with the next one.

#include <cstdint>
#include <string>
#include <vector>

#include "qvc/document/DocumentObject.h"
#include "qvc/document/Table.h"
#include "qvc/graph/Chart.h"
#include "reports/ReportGenerator.h"

namespace tavlo {
class IAlternative;
}

namespace qvc {

class cRptCashFlows : public CashFlowGenerator {
  public:
    explicit cRptCashFlows(const ReportInputs& inputs) : in_(inputs) {}
    explicit cRptCashFlows(ReportInputs&&) = delete;

    // The chart description of the alternative at `index` (1-based position in
    // colAlternatives): stacked bars of its total investment and total
    // operating cost per year, as whole numbers.
    graph::Chart cashFlowChart(int32_t index, const std::string& subCode) const;

    // The chart, drawn by the report state's graph surface.
    void setGraph(doc::DocumentObject& docs, int32_t& index, const std::string& subCode) override;
    // Table A; `rankPosition` numbers the caption.
    void setComponentCash(doc::DocumentObject& docs, int32_t& index, const std::string& subCode,
                          int32_t& rankPosition) override;
    // Table B of "CF1".
    void setAfterTaxCashFlows(doc::DocumentObject& docs, int32_t& index,
                              int32_t& rankPosition) override;
    // The present-worth table: C for "CF1", B for "CF2".
    void setPresentWorth(doc::DocumentObject& docs, int32_t& index, const std::string& subCode,
                         int32_t& rankPosition) override;

  private:
    enum class HeaderLayout {
        ComponentCF1,
        ComponentCF2,
        AfterTax,
        PresentWorthCF1,
        PresentWorthCF2
    };
    enum class RowLayout { Component, AfterTax, PresentWorth };

    // Header row of a table (row 0) and the column widths of its layout.
    void writeHeader(doc::Table& table, HeaderLayout layout);
    // The data row of year `year` (0 = the initial date); adds the shown whole
    // numbers to the column totals.
    void writeRow(doc::Table& table, RowLayout layout, const tavlo::IAlternative& alternative,
                  int16_t year, bool cf1);
    // The totals row after the last year.
    void writeTotals(doc::Table& table, RowLayout layout);
    // The common frame: table, header, rows, totals, caption, insertion.
    void writeTable(doc::DocumentObject& docs, const std::string& caption, HeaderLayout header,
                    RowLayout rows, const tavlo::IAlternative& alternative, bool cf1);

    // Per money column of the table being written: the sum of the whole
    // numbers shown so far.
    std::vector<double> m_Totals;
    // Column widths (inches) of the table being written.
    std::vector<float> m_Widths;
    // Tables written on the current page of the case.
    int m_TablesOnPage = 0;
    const ReportInputs& in_;
};

}  // namespace qvc
