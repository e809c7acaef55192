#include "StudyCalculation.h"

#include <fmt/format.h>

#include <algorithm>
#include <filesystem>

#include "CalculatedCase.h"
#include "ResultsJson.h"
#include "SensitivityJson.h"
#include "qvc/cORVCalculator.h"
#include "qvc/ui/Services.h"
#include "tavlo/IAlternatives.h"

namespace qvc::py {

namespace fs = std::filesystem;

namespace {

// The codes of the reports that need results: a calculation that only wants
// numbers does not fall back to the input reports.
constexpr const char* kResultCodes = "LS-AD-CF-TPW-ACF";

// What the calculator says about a calculation that failed: its status,
// error record and the case that stopped it, read before the report build
// changes them.
struct Outcome {
    int status = 0;
    std::string record;
    int stoppingCase = 0;

    explicit Outcome(const cORVCalculator& calc)
        : status(calc.ReturnError()),
          record(calc.getErrorMsg()),
          stoppingCase(calc.ReturnERRDC()) {}
};

// What a failed calculation or report build raises: the status number (or
// the error record's number) and what the message boxes said (else the
// record's description, else `what`), followed by `note`.
[[noreturn]] void raiseNotDone(const Outcome& outcome, const std::vector<std::string>& shown,
                               const std::string& what, const std::string& note = "") {
    const int number = outcome.status != 0 ? outcome.status : cli::recordNumber(outcome.record);
    std::string text;
    for (const std::string& line : shown)
        text += (text.empty() ? "" : "\n") + line;
    if (text.empty())
        text = outcome.record.empty() ? what : cli::recordDescription(outcome.record);
    if (outcome.stoppingCase != 0)
        text += fmt::format(" (design case {})", outcome.stoppingCase);
    if (!note.empty())
        text += " " + note;
    throw cli::CommandError(what + ": " + text, number, text);
}

// Points the headless viewer at a folder for one report build.
class OutputFolderScope {
  public:
    explicit OutputFolderScope(const fs::path& folder) : previous_(ui::Services::outputFolder()) {
        ui::Services::setOutputFolder(folder);
    }
    ~OutputFolderScope() { ui::Services::setOutputFolder(previous_); }
    OutputFolderScope(const OutputFolderScope&) = delete;
    OutputFolderScope& operator=(const OutputFolderScope&) = delete;

  private:
    fs::path previous_;
};

std::vector<std::string> filesIn(const fs::path& folder) {
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (!entry.path().filename().string().starts_with("."))
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

StudyCalculation::StudyCalculation(const ProjectHandle& project, RecordingMessageBox& messages)
    : project_(project), messages_(messages) {}

CalculationResults StudyCalculation::calculate(int studyId) {
    cli::ProjectSession session = project_.open();
    const cStudy study = session.study(studyId);
    messages_.take();
    cORVCalculator calc;
    calc.StudyID = cli::toId(studyId, "study");
    calc.sReportTypes = kResultCodes;
    if (!calc.PerformCalc())
        raiseNotDone(Outcome(calc), messages_.take(),
                     fmt::format("study {} was not calculated", studyId));
    const tavlo::ILifeCycleEngine& engine = *calc.objLifeCycle;
    const std::vector<cli::CalculatedCase> cases =
        cli::calculatedCases(session, studyId, engine.Alternatives().Count());
    return CalculationResults(cli::resultsJson(studyId, study, engine, cases));
}

std::vector<std::string> StudyCalculation::writeReports(int studyId, const std::string& codes,
                                                        const std::string& out) {
    cli::ProjectSession session = project_.open();
    session.study(studyId);
    std::error_code ec;
    fs::create_directories(out, ec);
    if (ec)
        throw cli::CommandError("cannot create the output folder " + out + ": " + ec.message(),
                                cli::kErrPathAccess);
    OutputFolderScope folder(fs::absolute(out));
    messages_.take();
    cORVCalculator calc;
    calc.StudyID = cli::toId(studyId, "study");
    calc.sReportTypes = codes;
    const bool calculated = calc.PerformCalc();
    const Outcome calculation(calc);
    std::vector<std::string> shown = messages_.take();
    const bool built = calc.BuildReports(0);
    for (std::string& text : messages_.take())
        shown.push_back(std::move(text));
    // Input reports alone run no calculation: that is no failure.
    const bool failed = calculation.status != 0 || !calculation.record.empty();
    if (!calculated && failed)
        raiseNotDone(calculation, shown, fmt::format("study {} was not calculated", studyId),
                     built ? "The input reports were written." : "");
    if (!built)
        raiseNotDone(Outcome(calc), shown,
                     fmt::format("the reports of study {} were not built", studyId));
    return filesIn(out);
}

nlohmann::ordered_json StudyCalculation::sensitivity(int studyId,
                                                     std::vector<SensitivityFactor> factors) {
    cli::ProjectSession session = project_.open();
    session.study(studyId);
    SensitivityAnalysis analysis;
    analysis.StudyID = cli::toId(studyId, "study");
    const auto failed = [&](const char* what) {
        return cli::CommandError(fmt::format("{}: {}", what, analysis.ErrorDescription()),
                                 analysis.ErrorNumber(), analysis.ErrorDescription());
    };
    if (!analysis.Load())
        throw failed("the study cannot be analysed");
    const SensitivityPoint& base = analysis.Result().base;
    if (!base.calculated)
        throw cli::CommandError(
            "the study as stored cannot be calculated: " + base.errorDescription, base.errorNumber,
            base.errorDescription);
    if (factors.empty())
        factors = analysis.DefaultFactors();
    if (!analysis.Run(factors))
        throw failed("the sensitivity analysis failed");
    return cli::sensitivityJson(analysis.Result());
}

}  // namespace qvc::py
