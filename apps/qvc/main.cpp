// qvc: the command-line host of the component. Creates projects, enters and
// shows studies and design cases as JSON, counts, and runs the bundled demo.

#include <CLI/CLI.hpp>
#include <iostream>
#include <optional>

#include "DemoCommand.h"
#include "JsonRecords.h"
#include "ProjectCommands.h"
#include "ProjectSession.h"
#include "ReportCommands.h"
#include "WexCommands.h"
#include "qvc/InstalledFiles.h"

int main(int argc, char** argv) {
    using namespace qvc::cli;
    CLI::App app{"qvc - life-cycle cost projects from the command line"};
    app.require_subcommand(1);
    app.set_version_flag("--version",
                         "qvc " QVC_VERSION " (QVComponents " + qvc::ComponentVersion() + ")");
    std::function<int()> run;

    std::string dir, json, out;
    int study = 0, kase = 0;
    std::optional<int> optStudy;

    auto* init = app.add_subcommand("init", "create an empty project database DIR/ORV30.mdb");
    init->add_option("DIR", dir, "project folder")->required();
    init->callback([&] { run = [&] { return initProject(dir); }; });

    auto* studyCmd = app.add_subcommand("study", "add, show or update a study");
    studyCmd->require_subcommand(1);
    auto* studyAdd = studyCmd->add_subcommand("add", "add a study; prints its ID");
    studyAdd->add_option("DIR", dir)->required();
    studyAdd->add_option("--json", json, "study as JSON")->required();
    studyAdd->callback([&] { run = [&] { return addStudy(dir, json); }; });
    auto* studyShow = studyCmd->add_subcommand("show", "print a study as JSON");
    studyShow->add_option("DIR", dir)->required();
    studyShow->add_option("ID", study)->required();
    studyShow->callback([&] { run = [&] { return showStudy(dir, study); }; });
    auto* studyUpdate = studyCmd->add_subcommand("update", "replace a study's settings");
    studyUpdate->add_option("DIR", dir)->required();
    studyUpdate->add_option("ID", study)->required();
    studyUpdate->add_option("--json", json)->required();
    studyUpdate->callback([&] { run = [&] { return updateStudy(dir, study, json); }; });

    auto* studyCopy = studyCmd->add_subcommand("copy", "copy a study with its cases");
    studyCopy->add_option("DIR", dir)->required();
    studyCopy->add_option("ID", study)->required();
    studyCopy->callback([&] { run = [&] { return copyStudy(dir, study); }; });
    auto* studyDelete = studyCmd->add_subcommand("delete", "delete a study and its cases");
    studyDelete->add_option("DIR", dir)->required();
    studyDelete->add_option("ID", study)->required();
    studyDelete->callback([&] { run = [&] { return deleteStudy(dir, study); }; });

    auto* caseCmd = app.add_subcommand("case", "add, show or update a design case");
    caseCmd->require_subcommand(1);
    auto* caseAdd = caseCmd->add_subcommand("add", "add a design case; prints its ID");
    caseAdd->add_option("DIR", dir)->required();
    caseAdd->add_option("STUDY", study)->required();
    caseAdd->add_option("--json", json)->required();
    caseAdd->callback([&] { run = [&] { return addCase(dir, study, json); }; });
    auto* caseShow = caseCmd->add_subcommand("show", "print a design case as JSON");
    caseShow->add_option("DIR", dir)->required();
    caseShow->add_option("STUDY", study)->required();
    caseShow->add_option("CASE", kase)->required();
    caseShow->callback([&] { run = [&] { return showCase(dir, study, kase); }; });
    auto* caseUpdate = caseCmd->add_subcommand("update", "write a changed design case back");
    caseUpdate->add_option("DIR", dir)->required();
    caseUpdate->add_option("STUDY", study)->required();
    caseUpdate->add_option("CASE", kase)->required();
    caseUpdate->add_option("--json", json)->required();
    caseUpdate->callback([&] { run = [&] { return updateCase(dir, study, kase, json); }; });

    int toStudy = 0;
    for (const auto& [name, action] : {std::pair{"copy", "D"}, std::pair{"move", "M"}}) {
        auto* cmd =
            caseCmd->add_subcommand(name, std::string(name) + " a design case into a study");
        cmd->add_option("DIR", dir)->required();
        cmd->add_option("STUDY", study)->required();
        cmd->add_option("CASE", kase)->required();
        cmd->add_option("--to", toStudy, "target study (default: the same study)");
        const std::string act = action;
        cmd->callback([&, act] {
            run = [&, act] {
                return copyOrMoveCase(dir, study, kase, act, toStudy != 0 ? toStudy : study);
            };
        });
    }
    auto* caseDelete = caseCmd->add_subcommand("delete", "delete a design case");
    caseDelete->add_option("DIR", dir)->required();
    caseDelete->add_option("STUDY", study)->required();
    caseDelete->add_option("CASE", kase)->required();
    caseDelete->callback([&] { run = [&] { return deleteCase(dir, study, kase); }; });

    bool table = false;
    auto* list = app.add_subcommand("list", "the project summary (studies and their cases)");
    list->add_option("DIR", dir)->required();
    list->add_option("STUDY", optStudy);
    list->add_flag("--table", table, "a readable table instead of the mark-up");
    list->callback([&] { run = [&] { return listProject(dir, optStudy, table); }; });

    ReportOptions reportOptions;
    std::string reportTypes = "SI-DC-LS-AD-CF-TPW-ACF";
    auto* calc = app.add_subcommand("calc", "calculate a study and write its reports");
    calc->add_option("DIR", dir)->required();
    calc->add_option("STUDY", study)->required();
    calc->add_option("--reports", reportTypes, "report codes joined by '-'")->capture_default_str();
    calc->add_option("--out", reportOptions.outDir, "folder for the reports");
    calc->add_option("--json", reportOptions.jsonFile,
                     "every result as one JSON document into this file ('-': standard output)");
    calc->add_flag("--print", reportOptions.print, "print every report instead of writing them");
    calc->add_flag("--view", reportOptions.view, "show the reports in the report viewer");
    calc->add_option("--pdf", reportOptions.pdfFile, "with --print: print into this PDF file");
    calc->callback([&] {
        if (reportOptions.outDir.empty() &&
            (reportOptions.jsonFile.empty() || reportOptions.print || reportOptions.view))
            throw CLI::ValidationError("calc",
                                       "--out FOLDER is required unless --json FILE "
                                       "alone is given");
        run = [&] { return calculate(dir, study, reportTypes, reportOptions); };
    });

    auto* inputs =
        app.add_subcommand("inputs", "study inputs report, or a design case's inputs report");
    inputs->add_option("DIR", dir)->required();
    inputs->add_option("STUDY", study)->required();
    inputs->add_option("CASE", kase, "design case (omit for the study inputs)");
    inputs->add_option("--out", reportOptions.outDir, "folder for the reports")->required();
    inputs->add_flag("--print", reportOptions.print, "print the report instead of writing it");
    inputs->add_flag("--view", reportOptions.view, "show the report in the report viewer");
    inputs->add_option("--pdf", reportOptions.pdfFile, "with --print: print into this PDF file");
    inputs->callback([&] { run = [&] { return inputReports(dir, study, kase, reportOptions); }; });

    auto* count = app.add_subcommand("count", "number of studies, or of a study's cases");
    count->add_option("DIR", dir)->required();
    count->add_option("STUDY", optStudy);
    count->callback([&] { run = [&] { return countRecords(dir, optStudy); }; });

    auto* demo = app.add_subcommand("demo", "create the bundled example project and run it");
    out = "demo-output";
    demo->add_option("OUTDIR", out, "folder for the project and its reports");
    demo->callback([&] { run = [&] { return runDemo(out); }; });

    addWexCommands(app, run);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? 0 : 2;
    }
    try {
        return run ? run() : 2;
    } catch (const CommandError& e) {
        std::cerr << "qvc: " << e.what() << "\n";
    } catch (const JsonInputError& e) {
        std::cerr << "qvc: " << e.what() << "\n";
    } catch (const std::exception& e) {
        std::cerr << "qvc: unexpected failure: " << e.what() << "\n";
    }
    return 1;
}
