#pragma once
// The project commands of `qvc`: each returns the process exit status and
// writes failures to stderr.

#include <CLI/CLI.hpp>
#include <functional>
#include <optional>
#include <string>

namespace qvc::cli {

// Adds `init`, `study` (add, show, update, copy, delete), `case` (add, show,
// update, copy, move, delete) and `list` to the app; the chosen command is stored
// in `run`.
void addProjectCommands(CLI::App& app, std::function<int()>& run);
// Adds `count`.
void addCountCommand(CLI::App& app, std::function<int()>& run);

int initProject(const std::string& dir);
int addStudy(const std::string& dir, const std::string& jsonFile);
int showStudy(const std::string& dir, int studyId);
int updateStudy(const std::string& dir, int studyId, const std::string& jsonFile);
int addCase(const std::string& dir, int studyId, const std::string& jsonFile);
int showCase(const std::string& dir, int studyId, int caseId);
int updateCase(const std::string& dir, int studyId, int caseId, const std::string& jsonFile);
int countRecords(const std::string& dir, std::optional<int> studyId);
// The project summary mark-up, or a readable table of it.
int listProject(const std::string& dir, std::optional<int> studyId, bool table);
int copyStudy(const std::string& dir, int studyId);
int deleteStudy(const std::string& dir, int studyId);
// action "D" copies, "M" moves the case into study `toStudy`.
int copyOrMoveCase(const std::string& dir, int studyId, int caseId, const std::string& action,
                   int toStudy);
int deleteCase(const std::string& dir, int studyId, int caseId);

}  // namespace qvc::cli
