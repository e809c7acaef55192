#pragma once
// The building-load commands of `qvc` and the analysis type conversion
// (StudyConversion.h):
//   qvc wex buildings WEXDIR
//   qvc wex import DIR STUDY WEXDIR BUILDING [--equipment]
//   qvc study convert DIR STUDY TYPE

#include <CLI/CLI.hpp>
#include <functional>

namespace qvc::cli {

// Adds `wex buildings`, `wex import` and `study convert` to the app; the
// chosen command is stored in `run`. Call after the `study` command exists.
void addWexCommands(CLI::App& app, std::function<int()>& run);

// Prints one line per building of the sibling project, "tagID#name#".
int listBuildings(const std::string& wexDir);
// Imports a building (its tag ID, its name, or a line of `wex buildings`) as a
// new case of the study and prints the case ID.
int importBuilding(const std::string& dir, int studyId, const std::string& wexDir,
                   const std::string& building, bool equipment);

}  // namespace qvc::cli
