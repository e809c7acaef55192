#include "reports/cRptASCIICashFlow.h"

#include <filesystem>
#include <fstream>
#include <string>

#include "common/ErrorRecord.h"
#include "qvc/runtime/BasicString.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"
#include "qvc/runtime/SafeFileName.h"
#include "reports/AsciiCashFlowLayout.h"
#include "reports/ReportCodes.h"
#include "reports/ReportLines.h"
#include "reports/ResultCases.h"
#include "tavlo/IAlternatives.h"

namespace qvc {

namespace fs = std::filesystem;
namespace ascii = reports::ascii;

namespace {

constexpr const char* kLineEnd = "\r\n";

// The full path of the file.
std::string textFilePath(const ReportInputs& in) {
    const std::string prefix = rt::Replace(in.texts.gXstrADMainColCashFlow, " ", "");
    // The prefix is a resource text: made safe with the title, so it cannot
    // lead out of the folder.
    const std::string name =
        rt::SafeFileName(prefix + "_" + reports::MakeFileSafe(in.study.title), ".TXT");
    return (fs::path(in.textFileFolder) / name).string();
}

[[noreturn]] void cannotWrite(TextFileOutcome& outcome) {
    outcome.status = cRptASCIICashFlow::kFileNotWritable;
    throw rt::Error(rt::err::kPermissionDenied, "Permission denied");
}

// Writes one line and stops at the first write that fails.
class LineWriter {
  public:
    LineWriter(std::ofstream& out, TextFileOutcome& outcome) : out_(out), outcome_(outcome) {}
    void line(const std::string& text = "") {
        out_ << text << kLineEnd;
        if (!out_)
            cannotWrite(outcome_);
    }

  private:
    std::ofstream& out_;
    TextFileOutcome& outcome_;
};

}  // namespace

TextFileOutcome cRptASCIICashFlow::BuildITPvtSectorCashFlow() {
    return buildReporting(ascii::incomeTaxLayout(in_.texts, in_.study.currencySymbol),
                          "#BuildITPvtSectorCashFlow # cRptASCIICashFlow #");
}

TextFileOutcome cRptASCIICashFlow::BuildOtherASCIICashFlow() {
    return buildReporting(ascii::otherLayout(in_.texts, in_.study.currencySymbol),
                          "#BuildOtherASCIICashFlow # cRptASCIICashFlow #");
}

TextFileOutcome cRptASCIICashFlow::buildReporting(const ascii::AsciiLayout& layout,
                                                  const char* procedureTag) {
    TextFileOutcome outcome;
    try {
        build(layout, outcome);
    } catch (...) {
        outcome.errorRecord = currentErrorRecord(procedureTag);
    }
    return outcome;
}

void cRptASCIICashFlow::build(const ascii::AsciiLayout& layout, TextFileOutcome& outcome) {
    const std::string path = textFilePath(in_);
    outcome.path = path;

    std::error_code ec;
    const fs::path folder = fs::path(path).parent_path();
    if (folder.empty() || !fs::is_directory(folder, ec)) {
        outcome.status = kFolderMissing;
        throw rt::Error(rt::err::kPathNotFound, "Path not found");
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        cannotWrite(outcome);

    const tavlo::IAlternatives& alternatives = reports::resultAlternatives(in_);
    const long baseYear = in_.study.baseYear;
    const int16_t years = in_.study.lifeCycle;
    const std::string& title = in_.texts.gXstrASCIITableCompCashFlow;

    LineWriter writer(out, outcome);
    for (const int16_t position : reports::rankOrder(alternatives)) {
        const tavlo::IAlternative& alternative = alternatives.Item(position);
        writer.line();
        writer.line();
        writer.line(std::string(ascii::kIndent) + title + " [" + reports::caseTitle(in_, position) +
                    "]");
        writer.line();
        writer.line();
        for (const std::string& heading : layout.headerLines)
            writer.line(heading);
        for (int16_t y = 0; y <= years; ++y)
            writer.line(ascii::dataLine(layout, alternative, baseYear, y));
        writer.line();
    }
    out.close();
    if (out.fail())
        cannotWrite(outcome);
    outcome.written = true;
}

}  // namespace qvc
