#pragma once
// The text cash flow file: the yearly cash flows of every design case, in rank
// order, as fixed-width columns for a spreadsheet or another program. One block
// per case: two empty lines, the title line "Component Cash Flows [case]", two
// empty lines, the stacked column headings ending in a dash line, one line per
// year (0 = the initial date) and an empty line. No study header, no totals.
//
// File: "<words of gXstrADMainColCashFlow joined>_<file-safe study title>.TXT"
// in the project folder (the work folder when no project folder is set),
// UTF-8 with CR LF line ends, replacing an existing file. Its full path goes to
// gAsciiPath and gAsciiFileWritten is set once the file is complete.
//
// Nothing escapes. When the folder does not exist gErrCode becomes
// TextFileFolderMissing, when the file cannot be created or written
// TextFileNotWritable (qvc/CalcStatus.h); any failure leaves the record
// "number#description#<operation> # cRptASCIICashFlow #" in gErrMsg, and the
// lines already written stay in the file.

#include "qvc/CalcStatus.h"
#include "reports/ReportGenerator.h"

namespace qvc {

namespace reports::ascii {
struct AsciiLayout;
}

class cRptASCIICashFlow : public AsciiCashFlowGenerator {
  public:
    // Status codes left in gErrCode for the builder's message.
    static constexpr int16_t kFolderMissing = statusNumber(CalcStatus::TextFileFolderMissing);
    static constexpr int16_t kFileNotWritable = statusNumber(CalcStatus::TextFileNotWritable);

    // Private sector with income taxes: 19 value columns.
    void BuildITPvtSectorCashFlow() override;
    // Every other study: 11 value columns.
    void BuildOtherASCIICashFlow() override;

  private:
    void build(const reports::ascii::AsciiLayout& layout);
};

}  // namespace qvc
