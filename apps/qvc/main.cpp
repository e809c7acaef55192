// qvc: the command-line host of the component. Creates projects, enters and
// shows studies and design cases as JSON, counts, and runs the bundled demo.

#include <CLI/CLI.hpp>
#include <iostream>

#include "DemoCommand.h"
#include "JsonRecords.h"
#include "ProjectCommands.h"
#include "ProjectSession.h"
#include "ReportCommands.h"
#include "SensitivityCommand.h"
#include "WexCommands.h"
#include "qvc/InstalledFiles.h"

int main(int argc, char** argv) {
    using namespace qvc::cli;
    CLI::App app{"qvc - life-cycle cost projects from the command line"};
    app.require_subcommand(1);
    app.set_version_flag("--version",
                         "qvc " QVC_VERSION " (QVComponents " + qvc::ComponentVersion() + ")");
    std::function<int()> run;
    // Each group adds its own commands; the order here is the order of the help.
    addProjectCommands(app, run);
    addReportCommands(app, run);
    addSensitivityCommand(app, run);
    addCountCommand(app, run);
    addDemoCommand(app, run);
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
