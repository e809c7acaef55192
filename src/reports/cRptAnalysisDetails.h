#pragma once
// The analysis details report ("AD1" .. "AD4"): for comparison n of the last
// run, a summary of results (table "nA": the two cases, their total present
// worths, the net present worth savings, rate of return or savings-to-
// investment ratio, and payback) and the year-by-year table "nB" of present
// worth cash flows, savings and additional investment with its totals row.
//
// GenerateDetailTable must follow GenerateSummary for the same n: its totals
// row repeats the whole numbers the summary showed (the two total present
// worths and the savings), so that the two tables agree to the dollar.
//
// Reads the study, the case names and the engine's results from its
// ReportInputs. No operation throws: one that fails writes the in-report
// failure note in place of its table and returns.

#include <cstdint>
#include <string>

#include "reports/ReportGenerator.h"

namespace qvc {

class cRptAnalysisDetails : public AnalysisDetailsGenerator {
  public:
    explicit cRptAnalysisDetails(const ReportInputs& inputs) : in_(inputs) {}
    explicit cRptAnalysisDetails(ReportInputs&&) = delete;

    void GenerateSummary(doc::DocumentObject& docs, const std::string& subCode,
                         int32_t& index) override;
    void GenerateDetailTable(doc::DocumentObject& docs, const std::string& subCode,
                             int32_t& index) override;

    // Splits `text` at blanks into short lines for narrow column headers: a
    // word joins the previous word's line (after a blank) while the two words
    // together are shorter than 11 characters, otherwise it starts a new line
    // (CR LF). The result starts with a blank or a line break.
    static std::string WrapWords(const std::string& text);

    static constexpr const char* kClassName = "cRptAnalysisDetails";

  private:
    // Whole numbers shown by the last summary, for the detail table's totals.
    double baseTotal_ = 0;
    double challengerTotal_ = 0;
    double savingsTotal_ = 0;
    const ReportInputs& in_;
};

}  // namespace qvc
