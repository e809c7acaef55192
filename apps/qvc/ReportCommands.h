#pragma once
// Report commands of `qvc`: calculating a study with its reports, and input
// reports without a calculation. Reports are written to an output folder by
// the headless report viewer (or shown/printed by an installed viewer).

#include <CLI/CLI.hpp>
#include <functional>
#include <string>

namespace qvc::cli {

struct ReportOptions {
    std::string outDir;    // where the report documents are written; empty: no reports
    bool print = false;    // print every document instead of writing them
    bool view = false;     // show the documents in the report viewer (needs a display)
    std::string pdfFile;   // with print: print into this PDF file
    std::string jsonFile;  // calc: every result as JSON into this file ("-": stdout)
};

// Calculates the study, prints the answer (the cases by rank, the preferred
// case or the cases beating the base case), writes the results as JSON when
// asked, then builds the reports when there is an output folder and lists the
// files written. With the JSON on standard output, the answer and the list go
// to standard error so that standard output holds the document alone. A study
// that is not calculated gets no answer and no JSON file.
// Exit status: 0 results calculated and reports built; 3 the study could not be
// calculated but the requested input reports were built; 1 failure.
int calculate(const std::string& dir, int studyId, const std::string& reportTypes,
              const ReportOptions& options);
// Study inputs (caseId 0) or one design case's inputs.
int inputReports(const std::string& dir, int studyId, int caseId, const ReportOptions& options);

// Adds `calc` and `inputs` to the app; the chosen command is stored in `run`.
void addReportCommands(CLI::App& app, std::function<int()>& run);

}  // namespace qvc::cli
