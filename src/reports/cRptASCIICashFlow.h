#pragma once
// The text cash flow file: the yearly cash flows of every design case, in rank
// order, as fixed-width columns for a spreadsheet or another program. One block
// per case: two empty lines, the title line "Component Cash Flows [case]", two
// empty lines, the stacked column headings ending in a dash line, one line per
// year (0 = the initial date) and an empty line. No study header, no totals.
//
// File: "<words of gXstrADMainColCashFlow joined>_<file-safe study title>.TXT"
// in the inputs' text-file folder, UTF-8 with CR LF line ends, replacing an
// existing file. The outcome carries its full path, and `written` once the
// file is complete.
//
// Nothing escapes. When the folder does not exist the outcome's status is
// TextFileFolderMissing, when the file cannot be created or written
// TextFileNotWritable (qvc/CalcStatus.h); any failure gives the record
// "number#description#<operation> # cRptASCIICashFlow #", and the lines
// already written stay in the file.

#include "qvc/CalcStatus.h"
#include "reports/ReportGenerator.h"

namespace qvc {

namespace reports::ascii {
struct AsciiLayout;
}

class cRptASCIICashFlow : public AsciiCashFlowGenerator {
  public:
    // Status codes returned for the builder's message.
    static constexpr int16_t kFolderMissing = statusNumber(CalcStatus::TextFileFolderMissing);
    static constexpr int16_t kFileNotWritable = statusNumber(CalcStatus::TextFileNotWritable);

    explicit cRptASCIICashFlow(const ReportInputs& inputs) : in_(inputs) {}
    explicit cRptASCIICashFlow(ReportInputs&&) = delete;

    // Private sector with income taxes: 19 value columns.
    TextFileOutcome BuildITPvtSectorCashFlow() override;
    // Every other study: 11 value columns.
    TextFileOutcome BuildOtherASCIICashFlow() override;

  private:
    TextFileOutcome buildReporting(const reports::ascii::AsciiLayout& layout,
                                   const char* procedureTag);
    void build(const reports::ascii::AsciiLayout& layout, TextFileOutcome& outcome);

    const ReportInputs& in_;
};

}  // namespace qvc
