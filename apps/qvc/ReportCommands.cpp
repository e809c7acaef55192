#include "ReportCommands.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <vector>

#include "AnswerTable.h"
#include "CalculatedCase.h"
#include "JsonOutputFile.h"
#include "ProjectSession.h"
#include "ResultsJson.h"
#include "ViewerSetup.h"
#include "qvc/CalcStatus.h"
#include "qvc/cORVCalculator.h"
#include "qvc/ui/Services.h"

namespace qvc::cli {

namespace {

int16_t actionFor(const ReportOptions& options) {
    return options.print ? 1 : 0;
}

void prepareOutput(const ReportOptions& options) {
    std::error_code ec;
    std::filesystem::create_directories(options.outDir, ec);
    if (ec)
        throw CommandError("cannot create the output folder " + options.outDir + ": " +
                           ec.message());
    ui::Services::setOutputFolder(std::filesystem::absolute(options.outDir));
}

// The reports in the output folder; hidden files (a writer's temporary file,
// the demo's marker) are none. After an answer they get a heading of their own.
void listOutput(const ReportOptions& options, std::ostream& out, bool afterAnswer) {
    if (afterAnswer)
        out << "\nReports:\n";
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(options.outDir))
        if (!entry.path().filename().string().starts_with("."))
            files.push_back(entry.path().string());
    // In name order, so the listing does not change from run to run.
    std::sort(files.begin(), files.end());
    for (const std::string& file : files)
        out << file << "\n";
}

void listOutput(const ReportOptions& options) {
    listOutput(options, std::cout, false);
}

bool namesResults(const std::string& reportTypes) {
    for (const char* code : {"LS", "AD", "CF", "TPW", "ACF"})
        if (reportTypes.find(code) != std::string::npos)
            return true;
    return false;
}

// What a calculator status means, for the closing message.
const char* statusMeaning(int16_t status) {
    switch (static_cast<CalcStatus>(status)) {
        case CalcStatus::NoDesignCase:
            return "the study has no design case";
        case CalcStatus::CaseRecordMissing:
            return "a design case record is missing";
        case CalcStatus::StudySettingsOutOfRange:
            return "the length of analysis, discount rate or tax rate is out of range";
        case CalcStatus::CaseValueOutOfRange:
            return "a design case value is out of range";
        default:
            return nullptr;
    }
}

void reportNotCalculated(const cORVCalculator& calc, int16_t status, const std::string& error) {
    std::cerr << "qvc: the study was not calculated (status " << status;
    if (const char* meaning = statusMeaning(status))
        std::cerr << ": " << meaning;
    std::cerr << ")";
    if (calc.ReturnERRDC() != 0)
        std::cerr << ", design case " << calc.ReturnERRDC();
    if (!error.empty())
        std::cerr << ": " << error;
    std::cerr << "\n";
}

}  // namespace

int calculate(const std::string& dir, int studyId, const std::string& reportTypes,
              const ReportOptions& options) {
    const bool reports = !options.outDir.empty();
    if (!options.jsonFile.empty() && !namesResults(reportTypes))
        throw CommandError("--json needs the results: --reports must name LS, AD, CF, TPW or ACF");
    ProjectSession session(dir);
    const cStudy study = session.study(studyId);
    std::optional<ViewerSetup> viewerSetup;
    if (reports) {
        prepareOutput(options);
        viewerSetup.emplace(options);
    }
    cORVCalculator calc;
    calc.StudyID = toId(studyId, "study");
    calc.sReportTypes = reportTypes;
    const bool calculated = calc.PerformCalc();
    const std::string error = calc.getErrorMsg();
    const int16_t status = calc.ReturnError();
    // Standard output carries the JSON document alone when it goes there.
    std::ostream& messages = options.jsonFile == "-" ? std::cerr : std::cout;
    if (calculated) {
        const tavlo::ILifeCycleEngine& engine = *calc.objLifeCycle;
        const std::vector<CalculatedCase> cases =
            calculatedCases(session, studyId, engine.Alternatives().Count());
        printAnswer(messages, studyId, study, engine, cases);
        if (!options.jsonFile.empty())
            writeJsonOutput(resultsJson(studyId, study, engine, cases), options.jsonFile);
    }
    if (!reports) {
        if (calculated)
            return 0;
        reportNotCalculated(calc, status, error);
        return 1;
    }
    const bool built = calc.BuildReports(actionFor(options));
    if (!options.print && !options.view)
        listOutput(options, messages, calculated);
    if (calculated && built)
        return 0;
    if (calculated) {
        // The failure itself has been shown by the message box.
        std::cerr << "qvc: the study was calculated, but its reports could not be "
                  << (options.print ? "printed" : "written") << "\n";
        return 1;
    }
    reportNotCalculated(calc, status, error);
    return built ? 3 : 1;
}

int inputReports(const std::string& dir, int studyId, int caseId, const ReportOptions& options) {
    ProjectSession session(dir);
    const cStudy study = session.study(studyId);
    if (caseId != 0)
        session.designCase(studyId, caseId);
    prepareOutput(options);
    ViewerSetup viewerSetup(options);
    session.project().InputReports(toId(studyId, "study"), study.TypeOfAnalysis,
                                   caseId == 0 ? int16_t{0} : toId(caseId, "case"),
                                   actionFor(options));
    session.check("building the input reports");
    if (!options.print && !options.view)
        listOutput(options);
    return 0;
}

namespace {

// What the report commands read from the command line; the callbacks share it.
struct ReportArguments {
    std::string dir;
    int study = 0, kase = 0;
    std::string reportTypes = "SI-DC-LS-AD-CF-TPW-ACF";
    ReportOptions options;
};

void addCalcCommand(CLI::App& app, std::function<int()>& run,
                    const std::shared_ptr<ReportArguments>& a) {
    auto* calc = app.add_subcommand("calc", "calculate a study and write its reports");
    calc->add_option("DIR", a->dir)->required();
    calc->add_option("STUDY", a->study)->required();
    calc->add_option("--reports", a->reportTypes, "report codes joined by '-'")
        ->capture_default_str();
    calc->add_option("--out", a->options.outDir, "folder for the reports");
    calc->add_option("--json", a->options.jsonFile,
                     "every result as one JSON document into this file ('-': standard output)");
    calc->add_flag("--print", a->options.print, "print every report instead of writing them");
    calc->add_flag("--view", a->options.view, "show the reports in the report viewer");
    calc->add_option("--pdf", a->options.pdfFile, "with --print: print into this PDF file");
    calc->callback([a, &run] {
        const ReportOptions& o = a->options;
        if (o.outDir.empty() && (o.jsonFile.empty() || o.print || o.view))
            throw CLI::ValidationError("calc",
                                       "--out FOLDER is required unless --json FILE "
                                       "alone is given");
        run = [a] { return calculate(a->dir, a->study, a->reportTypes, a->options); };
    });
}

}  // namespace

void addReportCommands(CLI::App& app, std::function<int()>& run) {
    auto a = std::make_shared<ReportArguments>();
    addCalcCommand(app, run, a);
    auto* inputs =
        app.add_subcommand("inputs", "study inputs report, or a design case's inputs report");
    inputs->add_option("DIR", a->dir)->required();
    inputs->add_option("STUDY", a->study)->required();
    inputs->add_option("CASE", a->kase, "design case (omit for the study inputs)");
    inputs->add_option("--out", a->options.outDir, "folder for the reports")->required();
    inputs->add_flag("--print", a->options.print, "print the report instead of writing it");
    inputs->add_flag("--view", a->options.view, "show the report in the report viewer");
    inputs->add_option("--pdf", a->options.pdfFile, "with --print: print into this PDF file");
    inputs->callback(
        [a, &run] { run = [a] { return inputReports(a->dir, a->study, a->kase, a->options); }; });
}

}  // namespace qvc::cli
