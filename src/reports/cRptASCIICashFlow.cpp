#include "reports/cRptASCIICashFlow.h"

#include <filesystem>
#include <fstream>
#include <string>

#include "common/ErrorRecord.h"
#include "common/ResourceStrings.h"
#include "common/ThreadState.h"
#include "qvc/runtime/BasicString.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"
#include "qvc/runtime/SafeFileName.h"
#include "reports/AsciiCashFlowLayout.h"
#include "reports/ReportCodes.h"
#include "reports/ReportFolder.h"
#include "reports/ReportLines.h"
#include "reports/ReportState.h"
#include "reports/ResultCases.h"
#include "tavlo/IAlternatives.h"

namespace qvc {

namespace fs = std::filesystem;
namespace ascii = reports::ascii;

namespace {

constexpr const char* kLineEnd = "\r\n";

// The folder and the full path of the file.
std::string textFilePath() {
    const ThreadState& state = threadState();
    const std::string folder = reports::reportFolder(
        state.strProjectPath.empty() ? state.StrWorkPath : state.strProjectPath);
    const std::string prefix = rt::Replace(texts().gXstrADMainColCashFlow, " ", "");
    // The prefix is a resource text: made safe with the title, so it cannot
    // lead out of the folder.
    const std::string name =
        rt::SafeFileName(prefix + "_" + reports::MakeFileSafe(state.arrStudy[0]), ".TXT");
    return (fs::path(folder) / name).string();
}

[[noreturn]] void cannotWrite() {
    threadState().gErrCode = cRptASCIICashFlow::kFileNotWritable;
    throw rt::Error(rt::err::kPermissionDenied, "Permission denied");
}

// Writes one line and stops at the first write that fails.
class LineWriter {
  public:
    explicit LineWriter(std::ofstream& out) : out_(out) {}
    void line(const std::string& text = "") {
        out_ << text << kLineEnd;
        if (!out_)
            cannotWrite();
    }

  private:
    std::ofstream& out_;
};

}  // namespace

void cRptASCIICashFlow::BuildITPvtSectorCashFlow() {
    try {
        build(ascii::incomeTaxLayout());
    } catch (...) {
        threadState().gErrMsg =
            currentErrorRecord("#BuildITPvtSectorCashFlow # cRptASCIICashFlow #");
    }
}

void cRptASCIICashFlow::BuildOtherASCIICashFlow() {
    try {
        build(ascii::otherLayout());
    } catch (...) {
        threadState().gErrMsg =
            currentErrorRecord("#BuildOtherASCIICashFlow # cRptASCIICashFlow #");
    }
}

void cRptASCIICashFlow::build(const ascii::AsciiLayout& layout) {
    ThreadState& state = threadState();
    ReportState& report = reportState();
    const std::string path = textFilePath();
    report.gAsciiPath = path;

    std::error_code ec;
    const fs::path folder = fs::path(path).parent_path();
    if (folder.empty() || !fs::is_directory(folder, ec)) {
        state.gErrCode = kFolderMissing;
        throw rt::Error(rt::err::kPathNotFound, "Path not found");
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        cannotWrite();

    const tavlo::IAlternatives& alternatives = reports::resultAlternatives();
    const auto baseYear = static_cast<long>(reports::numberOf(state.arrStudy[4]));
    const auto years = static_cast<int16_t>(reports::numberOf(state.arrStudy[5]));
    const std::string& title = texts().gXstrASCIITableCompCashFlow;

    LineWriter writer(out);
    for (const int16_t position : reports::rankOrder(alternatives)) {
        const tavlo::IAlternative& alternative = alternatives.Item(position);
        writer.line();
        writer.line();
        writer.line(std::string(ascii::kIndent) + title + " [" + reports::caseTitle(position) +
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
        cannotWrite();
    report.gAsciiFileWritten = true;
}

}  // namespace qvc
