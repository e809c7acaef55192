#pragma once
// The life-cycle summary report ("LS1" .. "LS7"): which design case is best
// for each economic criterion (table 1), three bar charts of first cost,
// annual operating cost and total present worth, every design case in rank
// order (table 2) and the incremental analysis of the comparisons (table 3).
//
// Reads the study, the case names and the engine's results from its
// ReportInputs and draws the charts on its graph surface. No operation
// throws: one that fails writes the in-report failure note in place of its
// table or charts and returns, and the rest of the document stays.

#include <string>

#include "reports/ReportGenerator.h"

namespace qvc {

class cRptLifeCycleSummary : public LifeCycleSummaryGenerator {
  public:
    explicit cRptLifeCycleSummary(const ReportInputs& inputs) : in_(inputs) {}
    explicit cRptLifeCycleSummary(ReportInputs&&) = delete;

    // Table 1: four rows, or three for "LS3", "LS4", "LS6" and "LS7".
    void GenerateFirstTable(doc::DocumentObject& docs, const std::string& subCode) override;
    // An empty full-width table, then (not for "LS7") the three charts.
    void GenerateGraphs(doc::DocumentObject& docs, const std::string& subCode) override;
    // Table 2; nothing for a code other than "LS1" .. "LS7".
    void GenerateSecondTable(doc::DocumentObject& docs, const std::string& subCode) override;
    // Table 3 for "LS1", "LS2", "LS5" and "LS7"; nothing otherwise.
    void Generate_ThirdTable(doc::DocumentObject& docs, const std::string& subCode) override;

    static constexpr const char* kClassName = "cRptLifeCycleSummary";

  private:
    const ReportInputs& in_;
};

}  // namespace qvc
