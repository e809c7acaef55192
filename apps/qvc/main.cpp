// qvc: the command-line host of the component. Creates projects, enters and
// shows studies and design cases as JSON, counts, and runs the bundled demo.

#include <CLI/CLI.hpp>
#include <iostream>
#include <optional>

#include "DemoCommand.h"
#include "JsonRecords.h"
#include "ProjectCommands.h"
#include "ProjectSession.h"
#include "WexCommands.h"

int main(int argc, char** argv) {
    using namespace qvc::cli;
    CLI::App app{"qvc - life-cycle cost projects from the command line"};
    app.require_subcommand(1);
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
