#include "reports/cRptASCIICashFlow.h"

#include <filesystem>
#include <string>

#include "common/ErrorRecord.h"
#include "qvc/runtime/AtomicFileWrite.h"
#include "qvc/runtime/BasicString.h"
#include "qvc/runtime/Env.h"
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

// The whole file: one block per case in rank order, every line ending in CR LF.
std::string fileText(const ReportInputs& in, const ascii::AsciiLayout& layout) {
    const tavlo::IAlternatives& alternatives = reports::resultAlternatives(in);
    const long baseYear = in.study.baseYear;
    const int16_t years = in.study.lifeCycle;
    const std::string& title = in.texts.gXstrASCIITableCompCashFlow;

    std::string text;
    const auto line = [&text](const std::string& content = "") { text += content + kLineEnd; };
    for (const int16_t position : reports::rankOrder(alternatives)) {
        const tavlo::IAlternative& alternative = alternatives.Item(position);
        line();
        line();
        line(std::string(ascii::kIndent) + title + " [" + reports::caseTitle(in, position) + "]");
        line();
        line();
        for (const std::string& heading : layout.headerLines)
            line(heading);
        for (int16_t y = 0; y <= years; ++y)
            line(ascii::dataLine(layout, alternative, baseYear, y));
        line();
    }
    return text;
}

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

    rt::Env& env = rt::Env::Default();
    const fs::path folder = fs::path(path).parent_path();
    if (folder.empty() || !env.folderExists(folder)) {
        outcome.status = kFolderMissing;
        throw rt::Error(rt::err::kPathNotFound, "Path not found");
    }
    const std::string text = fileText(in_, layout);
    // Written beside the old file and renamed: a failure keeps an earlier
    // file whole and leaves no partial one; the error names the file.
    try {
        rt::writeFileAtomically(env, path, [&](rt::WritableFile& file) { file.append(text); });
    } catch (...) {
        outcome.status = kFileNotWritable;
        throw;
    }
    outcome.written = true;
}

}  // namespace qvc
